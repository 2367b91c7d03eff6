// The notes table as the program creates it (app/record/note_record.cpp:
// 37 fields, record length 481, five tags without FOR conditions), and new
// notes with scattered boards, handles and flags and a memo each, for the
// benchmarks. The engine cannot reach the application's Qt field lines, so
// the layout is written here in engine terms; table creation checks the
// record length against the program's.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "bench_support.h"
#include "engine/expr/expr_hooks.h"
#include "engine/index/index_unit.h"
#include "engine/index/make_index.h"
#include "engine/index/set_index_to.h"
#include "engine/index/tag_description.h"
#include "engine/memo/blob_stream.h"
#include "engine/memo/memo_commit.h"
#include "engine/memo/memo_unit.h"
#include "engine/table/append.h"
#include "engine/table/close_work_area.h"
#include "engine/table/create_dbf.h"
#include "engine/table/lock.h"
#include "engine/table/position_queries.h"
#include "engine/table/record_image.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"

namespace pw::bench {

inline std::vector<FieldDef> NoteFields() {
  return {Def("DESC", 'C', 50),       Def("MEMO", 'M', 10),       Def("COLOR", 'N', 10),
          Def("LEFT", 'N', 10),       Def("TOP", 'N', 10),        Def("WIDTH", 'N', 10),
          Def("HEIGHT", 'N', 10),     Def("MINIMIZED", 'C', 1),   Def("SHOWING", 'C', 1),
          Def("DATECREATE", 'D', 8),  Def("NOTEBOARD", 'C', 50),  Def("ALARMACT", 'C', 1),
          Def("ALARMTYPE", 'N', 1),   Def("ALARMDATE", 'D', 8),   Def("ALARMTIME", 'C', 12),
          Def("STAYONTOP", 'C', 1),   Def("HANDLE", 'N', 10),     Def("READ", 'C', 1),
          Def("CHAR1", 'C', 40),      Def("CHAR2", 'C', 40),      Def("CHAR3", 'C', 20),
          Def("CHAR4", 'C', 10),      Def("NUM1", 'N', 10),       Def("NUM2", 'N', 10),
          Def("NUM3", 'N', 15, 2),    Def("NUM4", 'N', 15, 2),    Def("EXPIRES", 'C', 1),
          Def("EXPIREDATE", 'D', 8),  Def("EXPIRETIME", 'C', 12), Def("EXPIRETYPE", 'N', 1),
          Def("EXPIRETRSH", 'C', 1),  Def("CAPFONTNAM", 'C', 50), Def("CAPFONTSIZ", 'N', 5, 2),
          Def("CAPFONTCOL", 'N', 10), Def("DATEALMACT", 'D', 8),  Def("DATE1", 'D', 8),
          Def("TIMEALMACT", 'C', 12)};
}

// The program's index list: "name,unique,descending,key", then FOR.
inline std::vector<TagDescription> NoteTags() {
  return ParseTagList({"BOARD,F,F,upper(Noteboard)", "", "HANDLE,F,F,handle", "",
                       "SHOWING,F,F,showing", "", "ALARMACT,F,F,upper(alarmact)", "",
                       "EXPIREACT,F,F,upper(expires)", ""});
}

// The tag numbers of NoteTags().
enum NoteTag { kBoardTag = 1, kHandleTag, kShowingTag, kAlarmActTag, kExpireActTag };

// Raw record offsets of the fields a note sets (the deleted flag is byte 0).
struct NoteOffsets {
  std::size_t memo = 0, showing = 0, board = 0, alarmAct = 0, handle = 0, expires = 0;
};

inline NoteOffsets NoteFieldOffsets() {
  NoteOffsets offsets;
  std::size_t at = 1;
  for (const FieldDef& field : NoteFields()) {
    const auto mark = [&](const char* name, std::size_t* offset) {
      if (field.name == name) *offset = at;
    };
    mark("MEMO", &offsets.memo);
    mark("SHOWING", &offsets.showing);
    mark("NOTEBOARD", &offsets.board);
    mark("ALARMACT", &offsets.alarmAct);
    mark("HANDLE", &offsets.handle);
    mark("EXPIRES", &offsets.expires);
    at += field.length;
  }
  return offsets;
}

// The scattered handle of note `i` (1 to 1,000,000 notes give distinct
// handles, as the multiplier is odd).
inline unsigned NoteHandle(int i) {
  return (static_cast<unsigned>(i) * 2654435761u) % 1000000000u;
}

// A new empty notes table with its production index, closed again.
inline void CreateNoteTable(const ScratchFolder& folder, bool withIndex = true) {
  RegisterExprUnit();
  RegisterIndexUnit();
  RegisterMemoUnit();
  SetAutoDispatch(false);
  SetMemoCommitOnClose(false);
  CloseAll();
  Check(CreateDBF(folder.Table(), static_cast<int>(NoteFields().size()), NoteFields()),
        "CreateDBF");
  Check(Use(folder.Table() + " EXCLUSIVE"), "Use");
  Check(RecSize() == 481, "record length of the notes table");
  if (withIndex) Check(MakeIndex(NoteTags(), ""), "MakeIndex");
  CloseAll();
}

// Opens the table with its index in work area `number`.
inline void OpenNoteTable(const ScratchFolder& folder, int number, bool exclusive) {
  Check(Select(number), "Select");
  const std::string alias = " ALIAS NOTES" + std::to_string(number);
  Check(Use(folder.Table() + alias + (exclusive ? " EXCLUSIVE" : "")), "Use");
  Check(SetIndexTo(""), "SetIndexTo");
}

// Appends note `i` with its memo to the current work area, under the
// append lock when shared. SHOWING is mostly "N", ALARMACT and EXPIREACT
// mostly "N", BOARD one of 50: long runs of equal keys, as on a real desk.
inline void AppendNote(int i, bool shared) {
  static const NoteOffsets offsets = NoteFieldOffsets();
  static const std::string memo =
      "A note of a few lines, as a user writes them.\r\n" + std::string(200, 'x');
  WorkArea& area = CurrentArea();
  const auto put = [&](std::size_t offset, const std::string& value) {
    std::copy(value.begin(), value.end(), area.raw.begin() + static_cast<long>(offset));
  };
  const unsigned handle = NoteHandle(i);
  const std::int32_t block = CreateBlobDescriptor(true, 0, 2);
  Check(block != 0 && WriteBlobStream(memo.data(), memo.size()) == memo.size() && CloseBlobStream(),
        "memo");
  area.raw.assign(area.recordLength, ' ');
  put(1, "Benchmark note");
  const std::string blockText = std::to_string(block);
  put(offsets.memo + 10 - blockText.size(), blockText);
  put(offsets.board, "BOARD " + std::to_string(handle % 50));
  const std::string handleText = std::to_string(handle);
  put(offsets.handle + 10 - handleText.size(), handleText);
  put(offsets.showing, handle % 5 == 0 ? "Y" : "N");
  put(offsets.alarmAct, handle % 7 == 0 ? "Y" : "N");
  put(offsets.expires, handle % 11 == 0 ? "Y" : "N");
  RawToImage(area);
  if (shared) Check(ALock(), "ALock");
  Check(Append(), "Append");
  if (shared) Unlock();
}

}  // namespace pw::bench
