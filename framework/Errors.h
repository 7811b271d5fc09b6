// French texts for the system's error numbers, as the window reports them.
#pragma once

#include "framework/Core.h"

namespace fw {

String FrenchReason(int err);

}  // namespace fw
