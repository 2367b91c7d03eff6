// The fields of a note record and the tags of the note tables by name, the
// one place where their names are written: the field layout and index list
// (note_record.cpp) and every read, write and order of a note use these, so
// a misspelt name does not compile. The field lookup ignores case.
#pragma once

namespace pw::note_field {

inline constexpr char kDesc[] = "DESC";
inline constexpr int kDescWidth = 50;  // the caption's bytes in the table
inline constexpr char kMemo[] = "MEMO";
inline constexpr char kColor[] = "COLOR";
inline constexpr char kLeft[] = "LEFT";
inline constexpr char kTop[] = "TOP";
inline constexpr char kWidth[] = "WIDTH";
inline constexpr char kHeight[] = "HEIGHT";
inline constexpr char kMinimized[] = "MINIMIZED";
inline constexpr char kShowing[] = "SHOWING";
inline constexpr char kDateCreate[] = "DATECREATE";
inline constexpr char kNoteBoard[] = "NOTEBOARD";
inline constexpr char kAlarmAct[] = "ALARMACT";
inline constexpr char kAlarmType[] = "ALARMTYPE";
inline constexpr char kAlarmDate[] = "ALARMDATE";
inline constexpr char kAlarmTime[] = "ALARMTIME";
inline constexpr char kStayOnTop[] = "STAYONTOP";
inline constexpr char kHandle[] = "HANDLE";
inline constexpr char kRead[] = "READ";
inline constexpr char kChar1[] = "CHAR1";
inline constexpr char kChar2[] = "CHAR2";
inline constexpr char kChar3[] = "CHAR3";
inline constexpr char kChar4[] = "CHAR4";
inline constexpr char kNum1[] = "NUM1";
inline constexpr char kNum2[] = "NUM2";
inline constexpr char kNum3[] = "NUM3";
inline constexpr char kNum4[] = "NUM4";
inline constexpr char kExpires[] = "EXPIRES";
inline constexpr char kExpireDate[] = "EXPIREDATE";
inline constexpr char kExpireTime[] = "EXPIRETIME";
inline constexpr char kExpireType[] = "EXPIRETYPE";
inline constexpr char kExpireTrsh[] = "EXPIRETRSH";
inline constexpr char kCapFontNam[] = "CAPFONTNAM";
inline constexpr char kCapFontSiz[] = "CAPFONTSIZ";
inline constexpr char kCapFontCol[] = "CAPFONTCOL";
inline constexpr char kDateAlmAct[] = "DATEALMACT";
inline constexpr char kDate1[] = "DATE1";
inline constexpr char kTimeAlmAct[] = "TIMEALMACT";

}  // namespace pw::note_field

namespace pw::note_tag {

inline constexpr char kBoard[] = "BOARD";
inline constexpr char kHandle[] = "HANDLE";
inline constexpr char kShowing[] = "SHOWING";
inline constexpr char kAlarmAct[] = "ALARMACT";
inline constexpr char kExpireAct[] = "EXPIREACT";

}  // namespace pw::note_tag
