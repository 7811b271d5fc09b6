// Notes when a program's main window is first on screen, prints the time since the process
// started, and closes that window so the program ends as a user's close would end it.
#pragma once

#include <unistd.h>
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace bench {

// Milliseconds since the process started. The caller passes the moment it started the process
// (BENCH_T0, seconds since the epoch with a fraction); without it, the kernel's record of the
// start serves, at its coarse tick.
inline double MillisecondsSinceStart() {
  if (const char* t0 = std::getenv("BENCH_T0")) {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return (double(now.tv_sec) + double(now.tv_nsec) / 1e9 - std::strtod(t0, nullptr)) * 1000.0;
  }
  std::ifstream stat("/proc/self/stat");
  std::string line;
  std::getline(stat, line);
  // The fields after the command's closing parenthesis; the start time is field 22.
  size_t p = line.rfind(')');
  std::string rest = p == std::string::npos ? std::string() : line.substr(p + 2);
  unsigned long long ticks = 0;
  int field = 3;
  for (size_t i = 0, start = 0; i <= rest.size(); ++i) {
    if (i < rest.size() && rest[i] != ' ') continue;
    if (field == 22) ticks = std::strtoull(rest.substr(start, i - start).c_str(), nullptr, 10);
    ++field;
    start = i + 1;
  }
  timespec now;
  clock_gettime(CLOCK_BOOTTIME, &now);
  double started = double(ticks) / double(sysconf(_SC_CLK_TCK));
  return (double(now.tv_sec) + double(now.tv_nsec) / 1e9 - started) * 1000.0;
}

// An application-wide filter: at the first expose of a main window (the window is on screen),
// notes the time; once that event is handled, prints "shown_ms N" and closes the window.
class FirstShown : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (done_ || event->type() != QEvent::Expose || !watched->isWindowType()) return false;
    auto* window = static_cast<QWindow*>(watched);
    if (!window->isExposed()) return false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* main = qobject_cast<QMainWindow*>(w);
      if (!main || main->windowHandle() != window) continue;
      done_ = true;
      const double shown = MillisecondsSinceStart();
      QTimer::singleShot(0, main, [main, shown] {
        std::printf("shown_ms %.3f\n", shown);
        std::fflush(stdout);
        main->close();
      });
      break;
    }
    return false;
  }

 private:
  bool done_ = false;
};

}  // namespace bench
