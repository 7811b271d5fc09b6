// A one-pixel line that only marks a boundary: horizontal when wider than high, vertical otherwise.
#pragma once

#include "framework/Control.h"

namespace fw {

class Separator : public RectControl {
 public:
  explicit Separator(ControlHost& host);

 protected:
  void Resized(int oldWidth, int oldHeight) override;
};

}  // namespace fw
