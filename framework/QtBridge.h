// Private to the layer: the Qt widget classes behind controls hand their events to the control.
#pragma once

#include <QEvent>
#include <QFocusEvent>
#include <QWidget>

#include "framework/Control.h"

namespace fw::detail {

// The widget of the control that holds the framework's focus, which a menu, the menu bar or
// another window may hold the keyboard away from for a while; null when none does.
QWidget* LogicalFocusWidget();

struct BridgeBase {
  RectControl* ctl = nullptr;
};

template <class Base>
class Bridged : public Base, public BridgeBase {
 public:
  using Base::Base;

 protected:
  bool event(QEvent* e) override {
    if (ctl && ctl->BridgeEvent(e)) return true;
    return Base::event(e);
  }
  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    if (ctl) ctl->BridgeFocusIn(e);
  }
  void focusOutEvent(QFocusEvent* e) override {
    Base::focusOutEvent(e);
    if (ctl) ctl->BridgeFocusOut(e);
  }
};

}  // namespace fw::detail
