#include "common/error_state.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "common/error_text.h"

namespace pw {
namespace {

// Starts every case from a quiet state and puts the process defaults back.
class ErrorStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedAutoDispatch_ = SetAutoDispatch(false);
    savedRaiseMode_ = SetRaiseMode(false);
    savedHook_ = SetErrorHook(nullptr);
    ClearEngineError();
    TakeDetailText();
  }
  void TearDown() override {
    ClearEngineError();
    TakeDetailText();
    SetErrorHook(savedHook_);
    SetRaiseMode(savedRaiseMode_);
    SetAutoDispatch(savedAutoDispatch_);
  }

 private:
  bool savedAutoDispatch_ = true;
  bool savedRaiseMode_ = false;
  ErrorHook savedHook_;
};

TEST_F(ErrorStateTest, WithoutAutoDispatchSetErrorOnlyRecords) {
  SetError(222, "Index notes.mdx");
  EXPECT_EQ(EngineErrorCode(), 222);
  EXPECT_EQ(ErrorMessage(), ErrorText(222) + "\r\nIndex notes.mdx");
  EXPECT_EQ(ErrorMessage(), "");
  EXPECT_EQ(EngineErrorCode(), 222);
}

TEST_F(ErrorStateTest, TakeDetailTextClearsPendingMessage) {
  StoreError(2, "Error opening x");
  EXPECT_EQ(TakeDetailText(), "Error opening x");
  EXPECT_EQ(TakeDetailText(), "");
  EXPECT_EQ(ErrorMessage(), "");
  EXPECT_EQ(EngineErrorCode(), 2);
  ClearEngineError();
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(ErrorStateTest, StoredErrorLeavesPendingMessageAlone) {
  SetError(222, "first");
  StoreError(220, "Record not locked. [UnlockRec(9)]");
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(ErrorMessage(), ErrorText(222) + "\r\nRecord not locked. [UnlockRec(9)]");
  StoreError(220, "quiet");
  EXPECT_EQ(ErrorMessage(), "");
  SetEngineErrorCode(33);
  EXPECT_EQ(EngineErrorCode(), 33);
  EXPECT_EQ(TakeDetailText(), "quiet");
}

TEST_F(ErrorStateTest, SettersReturnPreviousValue) {
  EXPECT_FALSE(SetAutoDispatch(true));
  EXPECT_TRUE(SetAutoDispatch(false));
  EXPECT_FALSE(SetRaiseMode(true));
  EXPECT_TRUE(SetRaiseMode(false));
  {
    AutoDispatchOff guard;
    SetAutoDispatch(true);
  }
  EXPECT_FALSE(SetAutoDispatch(false));
}

TEST_F(ErrorStateTest, HookReplacesEveryOtherDispatch) {
  int calls = 0;
  SetErrorHook([&calls] { ++calls; });
  SetRaiseMode(true);
  SetAutoDispatch(true);
  EXPECT_NO_THROW(SetError(214, "notes.dbf"));
  EXPECT_EQ(calls, 1);
  // The hook did nothing with the message, so it is still pending.
  EXPECT_EQ(ErrorMessage(), ErrorText(214) + "\r\nnotes.dbf");
  SetError(0, "");
  EXPECT_EQ(calls, 2);
}

TEST_F(ErrorStateTest, RaiseModeThrowsWithErrorMessageText) {
  SetError(222, "detail");
  const std::string expected = ErrorMessage();
  SetRaiseMode(true);
  SetAutoDispatch(true);
  try {
    SetError(222, "detail");
    FAIL() << "no exception";
  } catch (const EngineError& e) {
    EXPECT_EQ(std::string(e.what()), expected);
  }
  EXPECT_EQ(ErrorMessage(), "") << "the detail was taken by the dispatch";
}

TEST_F(ErrorStateTest, DispatchOfCodeZeroDoesNothing) {
  SetRaiseMode(true);
  StoreError(0, "ignored");
  EXPECT_NO_THROW(DispatchError());
}

TEST_F(ErrorStateTest, DispatchMakesEngineCodePending) {
  StoreError(33, "lock");
  TakeDetailText();
  EXPECT_EQ(ErrorMessage(), "");
  SetRaiseMode(true);
  EXPECT_THROW(DispatchError(), EngineError);
}

TEST_F(ErrorStateTest, RaiseEngineErrorThrowsGivenText) {
  try {
    RaiseEngineError("bad field");
    FAIL() << "no exception";
  } catch (const EngineError& e) {
    EXPECT_STREQ(e.what(), "bad field");
  }
}

// Runs SetError in stop mode in a child; returns its exit status (-1 when it
// did not exit) and stores what it wrote to stderr.
int StopInChild(std::uint16_t code, const std::string& detail, std::string* output) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return -1;
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    close(pipeFds[0]);
    dup2(pipeFds[1], STDERR_FILENO);
    SetAutoDispatch(true);
    SetError(code, detail);
    _exit(0);  // reached only when the dispatch did not stop the process
  }
  close(pipeFds[1]);
  char buffer[256];
  for (ssize_t got; (got = read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
    output->append(buffer, static_cast<std::size_t>(got));
  }
  close(pipeFds[0]);
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST_F(ErrorStateTest, StopModeEndsProcessWithCodeAndMessage) {
  std::string output;
  EXPECT_EQ(StopInChild(222, "notes.mdx", &output), 222);
  EXPECT_NE(output.find("Program halted."), std::string::npos) << output;
  EXPECT_NE(output.find(ErrorText(222)), std::string::npos) << output;
  EXPECT_NE(output.find("notes.mdx"), std::string::npos) << output;
}

TEST_F(ErrorStateTest, StopModeNeverExitsWithSuccessForLargeCodes) {
  std::string output;
  EXPECT_EQ(StopInChild(1280, "", &output), 255);
  EXPECT_NE(output.find(ErrorText(1280)), std::string::npos) << output;
}

}  // namespace
}  // namespace pw
