#include "support/Support.h"

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

namespace testsupport {

TempFolder::TempFolder() : dir_(QDir::tempPath() + QStringLiteral("/brenvaltique-test-XXXXXX")) {}

// Removed by the bytes of its names: Qt's own removal skips names that are not UTF-8.
TempFolder::~TempFolder() {
  if (!dir_.isValid()) return;
  // Whatever cannot go (an immutable file) is passed over, so the rest still goes.
  auto removeOne = [](const char* p, const struct stat*, int, struct FTW*) {
    ::remove(p);
    return 0;
  };
  nftw(Path().constData(), removeOne, 16, FTW_DEPTH | FTW_PHYS);
}

QByteArray TempFolder::Path() const { return QFile::encodeName(dir_.path()); }

QByteArray TempFolder::MakeFile(const QByteArray& name, const QByteArray& content, int mode) const {
  QByteArray path = Path() + '/' + name;
  FILE* f = fopen(path.constData(), "wb");
  if (f) {
    fwrite(content.constData(), 1, size_t(content.size()), f);
    fclose(f);
  }
  chmod(path.constData(), mode_t(mode));
  return path;
}

void SendX(QWidget* to, const XKey& k) {
  QKeyEvent e(k.type, k.qtKey, k.mods, k.scan, 0, 0, k.text, k.repeat);
  QApplication::sendEvent(to, &e);
}

bool ShowAndActivate(QWidget* window) {
  window->show();
  window->activateWindow();
  window->raise();
  return QTest::qWaitForWindowActive(window);
}

namespace {
// QTest's helpers refuse non-ASCII text; a key event built by hand goes through the same path.
void Send(QWidget* w, QEvent::Type type, int key, const QString& text, Qt::KeyboardModifiers mods) {
  QWidget* target = w->focusWidget() ? w->focusWidget() : w;
  if (type == QEvent::KeyPress) {
    QKeyEvent so(QEvent::ShortcutOverride, key, mods, text);
    QApplication::sendEvent(target, &so);
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(target, &press);
  } else {
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(target, &release);
  }
}
}  // namespace

void KeyDownOnly(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers mods) {
  Send(w, QEvent::KeyPress, key, text, mods);
}
void KeyUpOnly(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers mods) {
  Send(w, QEvent::KeyRelease, key, text, mods);
}
void PressKey(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers mods) {
  KeyDownOnly(w, key, text, mods);
  KeyUpOnly(w, key, text, mods);
}

}  // namespace testsupport
