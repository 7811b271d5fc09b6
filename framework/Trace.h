// A record of the program's start-up and shut-down steps, kept only while a test asks for it.
#pragma once

#include <QStringList>

#include "framework/Core.h"

namespace fw::seams {

// Starts a fresh record; steps before this call are not kept.
void StartTrace();
void StopTrace();
// Adds a step to the record when one is being kept.
void Trace(const String& step);
QStringList TraceLog();

}  // namespace fw::seams
