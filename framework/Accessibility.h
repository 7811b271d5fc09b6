// What assistive technologies and keyboard users get beyond a control's design.
#pragma once

#include "framework/Control.h"

namespace fw {

// The name a screen reader announces for the control (its visible text is left as it is).
void SetAccessibleName(RectControl& control, const String& name);
String AccessibleName(const RectControl& control);

// Moves the control in the keyboard's focus order so that it comes just before next.
void PutInTabOrderBefore(RectControl& control, RectControl& next);

}  // namespace fw
