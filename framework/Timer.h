// A timer: runs its Action on the event loop, once or repeatedly, Period milliseconds apart.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Control.h"

class QTimer;

namespace fw {

class Timer : public Control {
 public:
  static constexpr int ModeOff = 0, ModeSingle = 1, ModeMultiple = 2;

  explicit Timer(ControlHost& host);
  ~Timer() override;

  int Mode() const { return mode_; }
  // Single or multiple starts the count anew from now, also while it runs; off stops it.
  void SetMode(int mode);
  int Period() const { return period_; }
  // A running timer starts its count anew with the new period.
  void SetPeriod(int ms);

  Event<void()> Action;
  virtual void Event_Action() { Action.Raise(*this); }

  bool ApplyProperty(std::string_view name, const Value& v) override;

 private:
  friend struct TimerClock;
  void Start(int ms);
  void Stop();
  bool Running() const;
  void Fired();
  std::unique_ptr<QTimer> timer_;
  int mode_ = ModeOff;
  int period_ = 1000;
  // When the timer comes due on the manual clock; negative while it is not counting there.
  std::int64_t due_ = -1;
};

namespace seams {
// While the manual clock is on, timers count only the time that AdvanceClock gives them, so tests
// need not sleep. Switching carries every running timer's remaining time over.
void UseManualClock(bool on);
// Moves the manual clock on by ms, running every Action that comes due meanwhile in order of due
// time (a multiple timer once for each period that fits).
void AdvanceClock(int ms);
}  // namespace seams

}  // namespace fw
