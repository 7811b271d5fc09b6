#include "framework/CheckBox.h"

#include <QCheckBox>

#include "framework/QtBridge.h"

namespace fw {

CheckBox::CheckBox(ControlHost& host) : RectControl(host, new detail::Bridged<QCheckBox>()) {
  QObject::connect(QtCheckBox(), &QCheckBox::clicked, [this] { Event_Action(); });
}

QCheckBox* CheckBox::QtCheckBox() const { return static_cast<QCheckBox*>(Widget()); }

String CheckBox::Caption() const { return QtCheckBox()->text(); }
void CheckBox::SetCaption(const String& c) { QtCheckBox()->setText(c); }
bool CheckBox::Value() const { return QtCheckBox()->isChecked(); }
void CheckBox::SetValue(bool v) { QtCheckBox()->setChecked(v); }

bool CheckBox::ApplyProperty(std::string_view name, const fw::Value& v) {
  if (name == "Caption") return SetCaption(AsString(v, name)), true;
  if (name == "Value") return SetValue(AsBool(v, name)), true;
  if (name == "State") return SetState(AsInt(v, name)), true;
  return RectControl::ApplyProperty(name, v);
}

}  // namespace fw
