#include "framework/Timer.h"

#include <QTimer>
#include <algorithm>

namespace fw {

Timer::Timer(ControlHost& host) : Control(host), timer_(std::make_unique<QTimer>()) {
  timer_->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] { Fired(); });
}

Timer::~Timer() = default;

void Timer::SetMode(int mode) {
  mode_ = mode;
  if (mode == ModeOff) {
    timer_->stop();
    return;
  }
  timer_->setSingleShot(mode == ModeSingle);
  timer_->start(std::max(0, period_));
}

void Timer::SetPeriod(int ms) {
  period_ = ms;
  if (timer_->isActive()) timer_->start(std::max(0, period_));
}

void Timer::Fired() {
  // A single shot is over before its action runs, so the action may arm it again.
  if (mode_ == ModeSingle) mode_ = ModeOff;
  Event_Action();
}

bool Timer::ApplyProperty(std::string_view name, const Value& v) {
  if (name == "Mode") return SetMode(AsInt(v, name)), true;
  if (name == "Period") return SetPeriod(AsInt(v, name)), true;
  return Control::ApplyProperty(name, v);
}

}  // namespace fw
