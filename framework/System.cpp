#include "framework/System.h"

#include <QApplication>
#include <QDesktopServices>
#include <QTimer>
#include <QUrl>

namespace fw {

namespace {
int beeps = 0;
bool capturing = false;
QStringList captured;
}  // namespace

void Beep() {
  ++beeps;
  QApplication::beep();
}

void ShowURL(const String& url) {
  if (capturing) {
    captured << url;
    return;
  }
  QDesktopServices::openUrl(QUrl(url));
}

void CallLater(std::function<void()> f) { QTimer::singleShot(0, qApp, std::move(f)); }

namespace seams {
int BeepCount() { return beeps; }
void ResetBeeps() { beeps = 0; }
void CaptureUrls(bool on) { capturing = on; }
QStringList CapturedUrls() { return captured; }
void ClearCapturedUrls() { captured.clear(); }
}  // namespace seams

}  // namespace fw
