#include "framework/Label.h"

#include <QLabel>
#include <QPalette>

#include "framework/QtBridge.h"

namespace fw {

Label::Label(ControlHost& host) : RectControl(host, new detail::Bridged<QLabel>()) {
  QtLabel()->setFocusPolicy(Qt::NoFocus);
  // A static text shows its characters as they are, never as markup.
  QtLabel()->setTextFormat(Qt::PlainText);
  QtLabel()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // The design colour applies until someone changes it.
  SetTextColor(textColor_);
}

QLabel* Label::QtLabel() const { return static_cast<QLabel*>(Widget()); }

String Label::Text() const { return QtLabel()->text(); }
void Label::SetText(const String& t) { QtLabel()->setText(t); }

void Label::SetTextColor(Color c) {
  textColor_ = c;
  QPalette p = QtLabel()->palette();
  p.setColor(QPalette::WindowText, QColor(c.Red, c.Green, c.Blue));
  QtLabel()->setPalette(p);
}

void Label::SetTextAlign(int a) {
  textAlign_ = a;
  Qt::Alignment h = a == 1 ? Qt::AlignHCenter : a == 2 ? Qt::AlignRight : Qt::AlignLeft;
  QtLabel()->setAlignment(h | Qt::AlignTop);
}

void Label::SetMultiline(bool m) {
  multiline_ = m;
  QtLabel()->setWordWrap(m);
}

bool Label::ApplyProperty(std::string_view name, const Value& v) {
  if (name == "Text") return SetText(AsString(v, name)), true;
  if (name == "TextColor") return SetTextColor(AsColor(v, name)), true;
  if (name == "TextAlign") return SetTextAlign(AsInt(v, name)), true;
  if (name == "Multiline") return SetMultiline(AsBool(v, name)), true;
  if (name == "Selectable")
    return QtLabel()->setTextInteractionFlags(AsBool(v, name) ? Qt::TextSelectableByMouse : Qt::NoTextInteraction),
           true;
  if (name == "Transparent") return AsBool(v, name), true;
  return RectControl::ApplyProperty(name, v);
}

}  // namespace fw
