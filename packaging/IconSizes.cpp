// Writes the application's picture at the icon theme's sizes: IconSizes <picture> <folder> <name> <size>...
// gives <folder>/<size>x<size>/apps/<name>.png for each size.
#include <QDir>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s picture folder name size...\n", argv[0]);
    return 2;
  }
  QImage source(QString::fromLocal8Bit(argv[1]));
  if (source.isNull()) {
    std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
    return 1;
  }
  for (int i = 4; i < argc; ++i) {
    int size = QString::fromLatin1(argv[i]).toInt();
    if (size <= 0) return 2;
    QString dir = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
    QDir().mkpath(dir);
    QImage scaled = size == source.width() && size == source.height()
                        ? source
                        : source.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QString out = dir + QLatin1Char('/') + QString::fromLocal8Bit(argv[3]) + QStringLiteral(".png");
    if (!scaled.save(out, "PNG")) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(out));
      return 1;
    }
  }
  return 0;
}
