// The engine's process-wide error state: the last error code, the message
// code whose text is pending, the detail text, and how a recorded error is
// dispatched (hook, exception, or stop). Engine functions never throw; they
// record here and return their failure result.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace pw {

// The engine's one exception, raised in raise mode and by the data set layer.
class EngineError : public std::runtime_error {
 public:
  explicit EngineError(const std::string& message) : std::runtime_error(message) {}
};

using ErrorHook = std::function<void()>;

// Records code and detail text; dispatches at once when auto-dispatch is on.
void SetError(std::uint16_t code, const std::string& detail);
// Hook, exception (raise mode) or message and process end (stop mode).
void DispatchError();
// ErrorText(message code) CR LF detail, taking the detail; empty when none.
std::string ErrorMessage();
// Returns the detail text and clears it and the message code.
std::string TakeDetailText();
// Each returns the previous value.
bool SetRaiseMode(bool on);
bool SetAutoDispatch(bool on);
ErrorHook SetErrorHook(ErrorHook hook);
[[noreturn]] void RaiseEngineError(const std::string& text);

// The engine error code: 0 = no error. Operations clear it on entry.
std::uint16_t EngineErrorCode();
void ClearEngineError();
void SetEngineErrorCode(std::uint16_t code);
// Sets code and detail, leaving the message code and never dispatching
// (UnlockRec reports this way).
void StoreError(std::uint16_t code, const std::string& detail);

// Restores auto-dispatch on scope exit; for steps that must not be interrupted.
class AutoDispatchOff {
 public:
  AutoDispatchOff() : previous_(SetAutoDispatch(false)) {}
  ~AutoDispatchOff() { SetAutoDispatch(previous_); }
  AutoDispatchOff(const AutoDispatchOff&) = delete;
  AutoDispatchOff& operator=(const AutoDispatchOff&) = delete;

 private:
  bool previous_;
};

}  // namespace pw
