// Platform services: the alert sound and opening addresses, with their test seams.
#pragma once

#include <QStringList>

#include "framework/Core.h"

namespace fw {

void Beep();
// Opens the text as an address with the system's default handler.
void ShowURL(const String& url);
// Runs f from the event loop once the current event has been handled.
void CallLater(std::function<void()> f);

namespace seams {
int BeepCount();
void ResetBeeps();
// While capturing, ShowURL records the address and opens nothing.
void CaptureUrls(bool on);
QStringList CapturedUrls();
void ClearCapturedUrls();
}  // namespace seams

}  // namespace fw
