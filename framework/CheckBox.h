// A check box. Action comes when the user clicks it; setting Value from code raises nothing.
#pragma once

#include "framework/Control.h"

class QCheckBox;

namespace fw {

class CheckBox : public RectControl {
 public:
  explicit CheckBox(ControlHost& host);

  String Caption() const;
  void SetCaption(const String& c);
  bool Value() const;
  void SetValue(bool v);
  // 0 unchecked, 1 checked.
  int State() const { return Value() ? 1 : 0; }
  void SetState(int s) { SetValue(s != 0); }

  Event<void()> Action;
  virtual void Event_Action() { Action.Raise(*this); }

  bool ApplyProperty(std::string_view name, const fw::Value& v) override;
  QCheckBox* QtCheckBox() const;
};

}  // namespace fw
