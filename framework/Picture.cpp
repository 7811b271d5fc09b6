#include "framework/Picture.h"

#include <QFile>
#include <QPainter>

#include "framework/FolderItem.h"

namespace fw {

namespace {
int pictureFailures = 0;

void CheckAllocation(qint64 width, qint64 height) {
  if (pictureFailures > 0) {
    --pictureFailures;
    throw OutOfMemoryException(QStringLiteral("picture allocation failed"));
  }
  if (width <= 0 || height <= 0 || width * height > (qint64(1) << 28))
    throw OutOfMemoryException(QStringLiteral("picture too large"));
}
}  // namespace

namespace seams {
void FailNextPictureAllocations(int count) { pictureFailures = count; }
int PendingPictureFailures() { return pictureFailures; }
}  // namespace seams

Picture::Picture(int width, int height, int /*depth*/) {
  CheckAllocation(width, height);
  image_ = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
  if (image_.isNull()) throw OutOfMemoryException(QStringLiteral("picture allocation failed"));
  image_.fill(Qt::transparent);
}

std::shared_ptr<Picture> Picture::Open(const QByteArray& path) {
  QImage img;
  if (!img.load(QFile::decodeName(path))) return nullptr;
  // Kept in the format the painter blends directly: drawn as loaded, a picture with alpha went
  // through Qt's generic path, which starts a pool of threads and waits for them (at start-up, the
  // icon drawn in App.Open).
  if (img.hasAlphaChannel()) img.convertTo(QImage::Format_ARGB32_Premultiplied);
  return std::make_shared<Picture>(std::move(img));
}

std::shared_ptr<fw::Graphics> Picture::Graphics() {
  auto painter = std::make_unique<QPainter>(&image_);
  return std::shared_ptr<fw::Graphics>(new fw::Graphics(std::move(painter), Width(), Height()));
}

std::shared_ptr<Picture> FolderItem::OpenAsPicture() const { return Picture::Open(path_); }

Graphics::Graphics(QPainter* painter, int width, int height) : painter_(painter), width_(width), height_(height) {}

Graphics::Graphics(std::unique_ptr<QPainter> owned, int width, int height)
    : owned_(std::move(owned)), painter_(owned_.get()), width_(width), height_(height) {}

Graphics::~Graphics() = default;

void Graphics::FillRect(int x, int y, int width, int height) {
  painter_->fillRect(x, y, width, height, QColor(foreColor_.Red, foreColor_.Green, foreColor_.Blue));
}

void Graphics::DrawPicture(const PicturePtr& pic, int x, int y, int width, int height, int sourceX, int sourceY,
                           int sourceWidth, int sourceHeight) {
  if (!pic) return;
  if (sourceWidth == kOmittedSize) sourceWidth = pic->Width();
  if (sourceHeight == kOmittedSize) sourceHeight = pic->Height();
  if (width == kOmittedSize) width = sourceWidth;
  if (height == kOmittedSize) height = sourceHeight;
  QRect source(sourceX, sourceY, sourceWidth, sourceHeight);
  if (width != sourceWidth || height != sourceHeight) {
    // Scaling works on a copy of the picture's size.
    CheckAllocation(width, height);
    QImage scaled = pic->Image().copy(source).scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter_->drawImage(QPoint(x, y), scaled);
    return;
  }
  painter_->drawImage(QRect(x, y, width, height), pic->Image(), source);
}

}  // namespace fw
