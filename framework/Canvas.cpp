#include "framework/Canvas.h"

#include <QPaintEvent>
#include <QPainter>

#include "framework/QtBridge.h"

namespace fw {

namespace {
class CanvasWidget : public detail::Bridged<QWidget> {
 protected:
  void paintEvent(QPaintEvent* e) override {
    auto* canvas = static_cast<Canvas*>(ctl);
    if (!canvas) return;
    std::vector<Rect> areas;
    for (const QRect& r : e->region()) areas.push_back({r.x(), r.y(), r.width(), r.height()});
    QPainter painter(this);
    Graphics g(&painter, width(), height());
    canvas->Event_Paint(g, areas);
  }
};
}  // namespace

Canvas::Canvas(ControlHost& host) : RectControl(host, new CanvasWidget) { Widget()->setFocusPolicy(Qt::NoFocus); }

void Canvas::SetAcceptFocus(bool b) {
  acceptFocus_ = b;
  Widget()->setFocusPolicy(!b ? Qt::NoFocus : TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

void Canvas::SetTransparent(bool b) {
  transparent_ = b;
  Widget()->setAutoFillBackground(!b);
}

bool Canvas::ApplyProperty(std::string_view name, const Value& v) {
  if (name == "AcceptFocus") return SetAcceptFocus(AsBool(v, name)), true;
  if (name == "AcceptTabs") return SetAcceptTabs(AsBool(v, name)), true;
  if (name == "DoubleBuffer") return SetDoubleBuffer(AsBool(v, name)), true;
  if (name == "EraseBackground") return SetEraseBackground(AsBool(v, name)), true;
  if (name == "Transparent") return SetTransparent(AsBool(v, name)), true;
  return RectControl::ApplyProperty(name, v);
}

}  // namespace fw
