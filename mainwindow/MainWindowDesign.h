// The main window's design: its own entries and one list per control, in the order they are applied.
#pragma once

#include "framework/Core.h"

namespace mainwindow_design {

const fw::Design& Window();
// The design list of the control of that name; each control's entries in their fixed order.
const fw::Design& ForControl(const char* name);

// Texts that the window's code uses as well as its design.
extern const char* const kTitle;

}  // namespace mainwindow_design
