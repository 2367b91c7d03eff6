// A timer that fires once after it is started, behind an interface so that
// tests can fire it themselves instead of waiting.
#pragma once

#include <QTimer>
#include <functional>

namespace pw {

class OneShotTimer {
 public:
  virtual ~OneShotTimer() = default;
  void SetHandler(std::function<void()> handler) { handler_ = std::move(handler); }
  // Starts the timer, or starts it again from zero when it runs.
  virtual void Start(int milliseconds) = 0;
  virtual void Stop() = 0;

 protected:
  void Fire() {
    if (handler_) handler_();
  }

 private:
  std::function<void()> handler_;
};

// The event loop's timer.
class QtOneShotTimer : public OneShotTimer {
 public:
  QtOneShotTimer();
  void Start(int milliseconds) override { timer_.start(milliseconds); }
  void Stop() override { timer_.stop(); }

 private:
  QTimer timer_;
};

}  // namespace pw
