// A push button with a caption beside an icon; Action comes each time it is pressed.
#pragma once

#include "framework/Control.h"
#include "framework/Picture.h"

class QToolButton;

namespace fw {

class BevelButton : public RectControl {
 public:
  explicit BevelButton(ControlHost& host);

  String Caption() const;
  void SetCaption(const String& c);
  PicturePtr Icon() const { return icon_; }
  // Nil is accepted: the button then shows its caption alone.
  void SetIcon(PicturePtr p);

  Event<void()> Action;
  virtual void Event_Action() { Action.Raise(*this); }
  // Presses the button as a click would.
  void Push();

  bool ApplyProperty(std::string_view name, const Value& v) override;
  QToolButton* QtButton() const;

 private:
  PicturePtr icon_;
};

}  // namespace fw
