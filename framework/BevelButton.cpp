#include "framework/BevelButton.h"

#include <QPixmap>
#include <QToolButton>

#include "framework/QtBridge.h"

namespace fw {

BevelButton::BevelButton(ControlHost& host) : RectControl(host, new detail::Bridged<QToolButton>()) {
  QtButton()->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QtButton()->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(QtButton(), &QToolButton::clicked, [this] { Event_Action(); });
}

QToolButton* BevelButton::QtButton() const { return static_cast<QToolButton*>(Widget()); }

String BevelButton::Caption() const { return QtButton()->text(); }
void BevelButton::SetCaption(const String& c) { QtButton()->setText(c); }

void BevelButton::SetIcon(PicturePtr p) {
  icon_ = std::move(p);
  QtButton()->setIcon(icon_ ? QIcon(QPixmap::fromImage(icon_->Image())) : QIcon());
  if (icon_) QtButton()->setIconSize(QSize(icon_->Width(), icon_->Height()).boundedTo(QSize(16, 16)));
}

void BevelButton::Push() { QtButton()->click(); }

bool BevelButton::ApplyProperty(std::string_view name, const Value& v) {
  if (name == "Caption") return SetCaption(AsString(v, name)), true;
  // Appearance codes of the original platform; a tool button beside its icon serves them all.
  static const std::string_view ints[] = {"CaptionAlign", "CaptionPlacement", "CaptionDelta", "IconAlign",
                                          "IconDX",       "IconDY",           "Bevel",        "HasMenu",
                                          "MenuValue",    "ButtonType"};
  for (auto n : ints)
    if (name == n) return AsInt(v, name), true;
  if (name == "HasBackColor" || name == "Value" || name == "AcceptFocus") return AsBool(v, name), true;
  if (name == "BackColor" || name == "TextColor") return AsColor(v, name), true;
  return RectControl::ApplyProperty(name, v);
}

}  // namespace fw
