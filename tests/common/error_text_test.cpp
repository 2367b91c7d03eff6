#include "common/error_text.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(ErrorTextTable, CodeZeroHasNoText) {
  EXPECT_EQ(ErrorText(0), "");
}

TEST(ErrorTextTable, TextNamesCodeAndMessage) {
  EXPECT_EQ(ErrorText(220), "Error # 220 (Invalid parameter)");
  EXPECT_EQ(ErrorText(1), "Error # 1 (Invalid DOS function code)");
  EXPECT_EQ(ErrorText(2), "Error # 2 (File not found)");
  EXPECT_EQ(ErrorText(5), "Error # 5 (File access denied)");
  EXPECT_EQ(ErrorText(32), "Error # 32 (File sharing violation)");
  EXPECT_EQ(ErrorText(36), "Error # 36 (File sharing buffer overflow)");
  EXPECT_EQ(ErrorText(60), "Error # 60 (Remote adapter incompatible)");
  EXPECT_EQ(ErrorText(101), "Error # 101 (Disk write error (probable cause: Disk Full).)");
  EXPECT_EQ(ErrorText(162), "Error # 162 (File sharing violation)");
  EXPECT_EQ(ErrorText(210), "Error # 210 (Not a dBASE data file)");
  EXPECT_EQ(ErrorText(225), "Error # 225 (Exclusive Use() required)");
  EXPECT_EQ(ErrorText(243), "Error # 243 (TimeDiff result negative)");
  EXPECT_EQ(ErrorText(254), "Error # 254 (Vozir internal error)");
  EXPECT_EQ(ErrorText(266), "Error # 266 (Invalid size)");
  EXPECT_EQ(ErrorText(1019),
            "Error # 1019 (Invalid memo operation: database not open or no memo field in "
            "database)");
  EXPECT_EQ(ErrorText(1202),
            "Error # 1202 (Semaphore file error. Possible solutions: log into network or load "
            "SHARE.EXE before running Windows)");
  EXPECT_EQ(ErrorText(1300), "Error # 1300 (File format not supported)");
}

TEST(ErrorTextTable, TrailingBlanksAreKept) {
  EXPECT_EQ(ErrorText(227), "Error # 227 (Insufficient disk space )");
  EXPECT_EQ(ErrorText(228), "Error # 228 (Unbalanced Push/Pop operation )");
  EXPECT_EQ(ErrorText(1103), "Error # 1103 (Invalid Operation )");
}

TEST(ErrorTextTable, NetworkRangeSharesOneMessage) {
  EXPECT_EQ(ErrorText(1203), "Error # 1203 (Network Error)");
  EXPECT_EQ(ErrorText(1250), "Error # 1250 (Network Error)");
  EXPECT_EQ(ErrorText(1299), "Error # 1299 (Network Error)");
  EXPECT_EQ(ErrorText(1201), "Error # 1201 (File not locked)");
}

TEST(ErrorTextTable, UnlistedCodesAreUndefined) {
  for (std::uint16_t code : {7, 37, 107, 232, 1000, 1104, 1301, 65535}) {
    EXPECT_EQ(ErrorText(code), "Error # " + std::to_string(code) + " (Undefined error)");
  }
}

TEST(ErrorTextTable, ListedCodesAllHaveMessages) {
  // 121 single codes plus the network range make the 122 entries of the
  // classic table; the expression and index codes add 7.
  int listed = 0;
  for (int code = 1; code <= 1300; ++code) {
    if (code >= 1203 && code <= 1299) continue;
    if (ErrorText(static_cast<std::uint16_t>(code)).find("(Undefined error)") ==
        std::string::npos) {
      ++listed;
    }
  }
  EXPECT_EQ(listed, 128);
}

TEST(ErrorTextTable, ExpressionAndIndexCodesHaveTheirOwnText) {
  EXPECT_EQ(ErrorText(351), "Error # 351 (Error in expression)");
  EXPECT_EQ(ErrorText(300), "Error # 300 (Expression too long)");
  EXPECT_EQ(ErrorText(362), "Error # 362 (FOR condition is not logical)");
  EXPECT_EQ(ErrorText(350), "Error # 350 (Undefined error)");
}

}  // namespace
}  // namespace pw
