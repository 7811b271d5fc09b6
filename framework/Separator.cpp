#include "framework/Separator.h"

#include <QFrame>
#include <QPalette>

#include "framework/QtBridge.h"

namespace fw {

namespace {
QFrame* LineOf(const Separator& s) { return static_cast<QFrame*>(s.Widget()); }
}  // namespace

Separator::Separator(ControlHost& host) : RectControl(host, new detail::Bridged<QFrame>()) {
  QFrame* f = LineOf(*this);
  f->setFocusPolicy(Qt::NoFocus);
  f->setFrameShape(QFrame::HLine);
  f->setFrameShadow(QFrame::Plain);
  f->setLineWidth(1);
  QPalette p = f->palette();
  p.setColor(QPalette::WindowText, QColor(0x99, 0x99, 0x99));
  f->setPalette(p);
}

void Separator::Resized(int, int) { LineOf(*this)->setFrameShape(Width() >= Height() ? QFrame::HLine : QFrame::VLine); }

}  // namespace fw
