// Pictures and the drawing surface that paints into pictures and controls.
#pragma once

#include <QImage>
#include <memory>

#include "framework/Core.h"

class QPainter;

namespace fw {

class Graphics;

class Picture {
 public:
  // A blank picture; raises OutOfMemoryException when it cannot be allocated.
  Picture(int width, int height, int depth = 32);
  explicit Picture(QImage image) : image_(std::move(image)) {}
  // Reads a picture file; Nil when it is absent or not a picture.
  static std::shared_ptr<Picture> Open(const QByteArray& path);

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  // A drawing surface on the picture, open while the returned object lives.
  std::shared_ptr<fw::Graphics> Graphics();
  const QImage& Image() const { return image_; }

 private:
  QImage image_;
};
using PicturePtr = std::shared_ptr<Picture>;

// Marks a width or height that is left out of DrawPicture: the picture's own size is used.
constexpr int kOmittedSize = -10000;

class Graphics {
 public:
  // Draws on a painter that someone else owns (a control's paint), of the given size.
  Graphics(QPainter* painter, int width, int height);
  ~Graphics();
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  Color ForeColor() const { return foreColor_; }
  void SetForeColor(Color c) { foreColor_ = c; }
  void FillRect(int x, int y, int width, int height);
  // Draws the source part of pic into the destination rectangle, scaling as needed. A Nil picture draws
  // nothing. Scaling raises OutOfMemoryException when the scaled copy cannot be made.
  void DrawPicture(const PicturePtr& pic, int x, int y, int width = kOmittedSize, int height = kOmittedSize,
                   int sourceX = 0, int sourceY = 0, int sourceWidth = kOmittedSize, int sourceHeight = kOmittedSize);

 private:
  friend class Picture;
  Graphics(std::unique_ptr<QPainter> owned, int width, int height);
  std::unique_ptr<QPainter> owned_;
  QPainter* painter_;
  int width_, height_;
  Color foreColor_{0, 0, 0};
};

namespace seams {
// The next count picture allocations (new pictures, scaled drawing) raise OutOfMemoryException.
void FailNextPictureAllocations(int count = 1);
int PendingPictureFailures();
}  // namespace seams

}  // namespace fw
