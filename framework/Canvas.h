// A control that its owner draws in its Paint event.
#pragma once

#include <vector>

#include "framework/Control.h"
#include "framework/Picture.h"

namespace fw {

struct Rect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

class Canvas : public RectControl {
 public:
  explicit Canvas(ControlHost& host);

  // Raised at every paint with a surface on the control and the areas that need it.
  Event<void(Graphics&, const std::vector<Rect>&)> Paint;
  virtual void Event_Paint(Graphics& g, const std::vector<Rect>& areas) { Paint.Raise(*this, g, areas); }

  // Whether a click or Tab can give the canvas the keyboard focus.
  bool AcceptFocus() const { return acceptFocus_; }
  void SetAcceptFocus(bool b);
  bool AcceptTabs() const { return acceptTabs_; }
  void SetAcceptTabs(bool b) { acceptTabs_ = b; }
  // Qt always double-buffers and erases; these are kept for the designs that set them.
  bool DoubleBuffer() const { return doubleBuffer_; }
  void SetDoubleBuffer(bool b) { doubleBuffer_ = b; }
  bool EraseBackground() const { return eraseBackground_; }
  void SetEraseBackground(bool b) { eraseBackground_ = b; }
  // A transparent canvas shows its parent through whatever Paint leaves undrawn.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool b);

  bool ApplyProperty(std::string_view name, const Value& v) override;

 private:
  bool acceptFocus_ = false, acceptTabs_ = false, doubleBuffer_ = false, eraseBackground_ = true, transparent_ = true;
};

}  // namespace fw
