// Saves the process-wide date settings before each test and restores them
// after, so that tests choosing a layout or century switch do not leak.
#pragma once

#include <gtest/gtest.h>

#include "common/date_settings.h"

namespace pw {

class DateTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = CurrentDateSettings(); }
  void TearDown() override { CurrentDateSettings() = saved_; }

  // Layout `code`, century switch as given, epoch year 1954 (start-up in 2024).
  static void UseDates(int code, bool century) {
    CurrentDateSettings().century = century;
    CurrentDateSettings().epochYear = 1954;
    SetDateType(code);
  }

 private:
  DateSettings saved_;
};

}  // namespace pw
