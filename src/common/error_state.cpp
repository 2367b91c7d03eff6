#include "common/error_state.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "common/error_text.h"

namespace pw {
namespace {

constexpr int kLargestExitStatus = 255;

struct ErrorState {
  std::uint16_t engineCode = 0;
  std::uint16_t messageCode = 0;
  std::string detail;
  bool autoDispatch = true;
  bool raiseMode = false;
  ErrorHook hook;
  // Set once the program is being stopped, so that no second dispatch runs.
  bool stopping = false;
};

ErrorState& State() {
  static ErrorState state;
  return state;
}

// ErrorText of the pending code, CR LF, and the detail text, which is taken.
std::string ComposeMessage(std::uint16_t code) {
  std::string message = ErrorText(code);
  message += "\r\n";
  message += TakeDetailText();
  return message;
}

[[noreturn]] void StopProgram(const std::string& message, std::uint16_t code) {
  State().stopping = true;
  std::fprintf(stderr, "Program halted.\n%s\n", message.c_str());
  std::fflush(stderr);
  // An exit status keeps eight bits: larger codes end with 255 rather than
  // with their low byte, which could read as 0, success.
  std::exit(std::min<int>(code, kLargestExitStatus));
}

}  // namespace

void SetError(std::uint16_t code, const std::string& detail) {
  StoreError(code, detail);
  State().messageCode = code;
  if (State().autoDispatch) DispatchError();
}

void StoreError(std::uint16_t code, const std::string& detail) {
  ErrorState& state = State();
  state.engineCode = code;
  state.detail = detail;
}

void DispatchError() {
  ErrorState& state = State();
  if (state.stopping) return;
  state.messageCode = state.engineCode;
  if (state.hook) {
    state.hook();
    return;
  }
  const std::uint16_t code = state.engineCode;
  if (code == 0) return;
  const std::string message = ComposeMessage(code);
  if (state.raiseMode) throw EngineError(message);
  StopProgram(message, code);
}

std::string ErrorMessage() {
  const std::uint16_t code = State().messageCode;
  if (code == 0) return {};
  return ComposeMessage(code);
}

std::string TakeDetailText() {
  ErrorState& state = State();
  state.messageCode = 0;
  return std::exchange(state.detail, std::string());
}

bool SetRaiseMode(bool on) {
  return std::exchange(State().raiseMode, on);
}

bool SetAutoDispatch(bool on) {
  return std::exchange(State().autoDispatch, on);
}

ErrorHook SetErrorHook(ErrorHook hook) {
  return std::exchange(State().hook, std::move(hook));
}

void RaiseEngineError(const std::string& text) {
  throw EngineError(text);
}

std::uint16_t EngineErrorCode() {
  return State().engineCode;
}

void ClearEngineError() {
  State().engineCode = 0;
}

void SetEngineErrorCode(std::uint16_t code) {
  State().engineCode = code;
}

}  // namespace pw
