// A timer: runs its Action on the event loop, once or repeatedly, Period milliseconds apart.
#pragma once

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
  void Fired();
  std::unique_ptr<QTimer> timer_;
  int mode_ = ModeOff;
  int period_ = 1000;
};

}  // namespace fw
