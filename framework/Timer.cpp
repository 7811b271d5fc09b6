#include "framework/Timer.h"

#include <QTimer>
#include <algorithm>
#include <vector>

namespace fw {

// The manual clock of the tests, and every timer that may count on it.
struct TimerClock {
  static inline bool manual = false;
  static inline std::int64_t now = 0;
  static inline std::vector<Timer*> timers;

  static Timer* NextDue(std::int64_t until) {
    Timer* next = nullptr;
    for (Timer* t : timers)
      if (t->due_ >= 0 && t->due_ <= until && (!next || t->due_ < next->due_)) next = t;
    return next;
  }

  static void Switch(bool on) {
    if (on == manual) return;
    manual = on;
    for (Timer* t : timers) {
      if (on && t->timer_->isActive()) {
        int left = t->timer_->remainingTime();
        t->timer_->stop();
        t->Start(left);
      } else if (!on && t->due_ >= 0) {
        int left = int(t->due_ - now);
        t->due_ = -1;
        t->Start(left);
      }
    }
  }

  static void Advance(int ms) {
    const std::int64_t until = now + std::max(0, ms);
    while (Timer* t = NextDue(until)) {
      now = t->due_;
      t->due_ = -1;
      // A multiple timer counts its next period before its action, which may stop it.
      if (t->mode_ == Timer::ModeMultiple) t->Start(std::max(1, t->period_));
      t->Fired();
    }
    now = until;
  }
};

Timer::Timer(ControlHost& host) : Control(host), timer_(std::make_unique<QTimer>()) {
  timer_->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] { Fired(); });
  TimerClock::timers.push_back(this);
}

Timer::~Timer() { std::erase(TimerClock::timers, this); }

void Timer::Start(int ms) {
  ms = std::max(0, ms);
  if (TimerClock::manual) {
    due_ = TimerClock::now + ms;
    return;
  }
  timer_->setSingleShot(mode_ == ModeSingle);
  timer_->start(ms);
}

void Timer::Stop() {
  due_ = -1;
  timer_->stop();
}

bool Timer::Running() const { return due_ >= 0 || timer_->isActive(); }

void Timer::SetMode(int mode) {
  mode_ = mode;
  if (mode == ModeOff) {
    Stop();
    return;
  }
  Start(period_);
}

void Timer::SetPeriod(int ms) {
  period_ = ms;
  if (Running()) Start(period_);
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

namespace seams {
void UseManualClock(bool on) { TimerClock::Switch(on); }
void AdvanceClock(int ms) { TimerClock::Advance(ms); }
}  // namespace seams

}  // namespace fw
