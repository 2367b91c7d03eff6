// Independent readers packaged in Debian read the note tables the program
// writes: Perl's XBase module (records, memos, and every tag of the .mdx
// walked in key order by XBase::Index, the walk of its index_dump) and
// Python's dbfread (records and memos, text decoded by the language byte).
// Both run as child processes on scripts under tests/oracle/.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/record/note_record.h"
#include "common/code_page.h"
#include "common/error_state.h"
#include "dataset/dbf_table.h"
#include "dataset/engine_text.h"
#include "dataset/memo_stream.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

// The fields both readers report, in this order.
const QStringList kFields = {"DESC",    "NOTEBOARD", "SHOWING",    "ALARMACT",
                             "EXPIRES", "HANDLE",    "DATECREATE", "MEMO"};
enum Field { kDesc, kBoard, kShowing, kAlarm, kExpires, kHandle, kDate, kMemo };

// What one record holds, as text: DATECREATE as YYYYMMDD, HANDLE as digits.
struct Note {
  bool deleted = false;
  QStringList values;  // in kFields order
};
using Notes = std::vector<Note>;  // in record order

// Each tag of the note tables, the field it is made of, and how.
struct TagRule {
  const char* tag;
  Field field;
  bool upper;
  bool numeric;
};
constexpr TagRule kNoteTags[] = {{"BOARD", kBoard, true, false},
                                 {"HANDLE", kHandle, false, true},
                                 {"SHOWING", kShowing, false, false},
                                 {"ALARMACT", kAlarm, true, false},
                                 {"EXPIREACT", kExpires, true, false}};

// The note table as the application creates and opens it; `exclusive`
// (for bulk loads) takes no locks.
class NoteTable {
 public:
  explicit NoteTable(std::string path) : path_(std::move(path)) { Open(); }

  const std::string& path() const { return path_; }
  Notes& notes() { return notes_; }

  void Append(const Note& note) {
    table_->ClearRecord();
    Store(note);
    ASSERT_TRUE(table_->ALock());
    table_->AppendRec();
    table_->UnLock();
    notes_.push_back(note);
    if (note.deleted) Delete(static_cast<int>(notes_.size()));
  }
  void Rewrite(int record, const Note& note) {
    table_->Go(record);
    ASSERT_TRUE(table_->RLock());
    Store(note);
    table_->ReplaceRec();
    table_->UnLock();
    notes_[static_cast<std::size_t>(record - 1)].values = note.values;
  }
  void Delete(int record) {
    table_->Go(record);
    ASSERT_TRUE(table_->RLock());
    table_->DeleteRec();
    table_->UnLock();
    notes_[static_cast<std::size_t>(record - 1)].deleted = true;
  }
  void Pack() {
    ASSERT_TRUE(table_->Pack());
    std::erase_if(notes_, [](const Note& note) { return note.deleted; });
  }
  // The rebuild after an unclean end: the index file is deleted, the next
  // open makes it anew.
  void Reindex() {
    table_.reset();
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path_).replace(".dbf", ".mdx")));
    Open();
  }
  void Close() { table_.reset(); }
  void Reopen(bool exclusive) {
    exclusive_ = exclusive;
    table_.reset();
    Open();
  }

 private:
  void Open() {
    table_ = std::make_unique<DbfTable>();
    table_->setObjectName("TzNotes");
    ConfigureNoteTable(*table_, NoteTableFieldLines());
    table_->SetExclusive(exclusive_);
    table_->SetDbfFileName(QString::fromStdString(path_));
    table_->Open();
    ASSERT_EQ(EngineErrorCode(), 0) << TakeDetailText();
  }
  void Store(const Note& note) {
    const QStringList& v = note.values;
    for (Field field : {kDesc, kBoard, kShowing, kAlarm, kExpires}) {
      table_->SetFieldStr(kFields[field], v[field]);
    }
    table_->SetFieldInt("HANDLE", v[kHandle].toInt());
    // MM/DD/YY in the default American order, century off.
    const QString& date = v[kDate];
    table_->SetFieldDate("DATECREATE",
                         date.mid(4, 2) + "/" + date.mid(6, 2) + "/" + date.mid(2, 2));
    auto memo = table_->CreateBlobStreamByName("MEMO", MemoStream::kWrite);
    ASSERT_TRUE(memo && memo->isOpen());
    const std::string text = ToEngineText(v[kMemo]);
    ASSERT_EQ(memo->write(text.data(), static_cast<qint64>(text.size())),
              static_cast<qint64>(text.size()));
    ASSERT_TRUE(memo->Finish());
  }

  std::string path_;
  bool exclusive_ = false;
  std::unique_ptr<DbfTable> table_;
  Notes notes_;
};

Note MakeNote(int n, const QString& memo = QString(), bool deleted = false) {
  static const QStringList boards = {"Work", "home", "Café", "zebra", "Ärger", ""};
  const QString flag = n % 3 == 0 ? "Y" : "N";
  return {deleted,
          {QString("Note %1 über").arg(n), boards[n % boards.size()], flag, n % 2 ? "y" : "N",
           n % 5 ? "N" : "y", QString::number((n * 7919) % 100003), n % 2 ? "19980704" : "20250314",
           memo}};
}

// The cases: each makes a table through the application's own layer and
// says what it holds. Another table is one more line in kCases.
void FiveNoteTags(NoteTable& table) {
  for (int n = 1; n <= 40; ++n) {
    table.Append(MakeNote(n, n % 4 ? QString("{\\rtf1 note %1 é}\r\n").arg(n) : QString()));
  }
}

void MemosAcrossBlockEdges(NoteTable& table) {
  // Entries of 504 to 1017 data bytes end just before, on and after the
  // 512-byte block edges (8 bytes of entry header each).
  int n = 0;
  for (int length : {1, 503, 504, 505, 1015, 1016, 1017, 2000}) {
    ++n;
    table.Append(MakeNote(n, QString(length, QChar('a' + n)).replace(0, 1, "ñ")));
  }
  table.Rewrite(2, MakeNote(2, QString(600, 'r')));
  table.Rewrite(5, MakeNote(5, QString()));
}

void DeletedRecords(NoteTable& table) {
  for (int n = 1; n <= 30; ++n) table.Append(MakeNote(n, QString("memo %1").arg(n), n % 4 == 1));
}

void PackedAndReindexed20000(NoteTable& table) {
  table.Reopen(true);
  for (int n = 1; n <= 20000; ++n) {
    table.Append(MakeNote(n, n % 500 == 0 ? QString("memo %1").arg(n) : QString(), n % 7 == 3));
  }
  table.Pack();
  table.Reindex();
}

struct OracleCase {
  const char* name;
  std::function<void(NoteTable&)> build;
};

const OracleCase kCases[] = {
    {"FiveNoteTags", FiveNoteTags},
    {"MemosAcrossBlockEdges", MemosAcrossBlockEdges},
    {"DeletedRecords", DeletedRecords},
    {"PackedAndReindexed20000", PackedAndReindexed20000},
};

// A reader script run by an interpreter of the system, as a child process.
class Reader {
 public:
  Reader(const QString& interpreter, const QString& script, const std::string& table)
      : script_(script) {
    process_.start(interpreter, QStringList{QStringLiteral(ORACLE_SCRIPTS "/") + script,
                                            QString::fromStdString(table)} +
                                    kFields);
  }
  // Waits for the end; its output lines, split at tabs.
  std::vector<QList<QByteArray>> Lines() {
    const bool finished = process_.waitForFinished(120000);
    EXPECT_TRUE(finished && process_.exitStatus() == QProcess::NormalExit &&
                process_.exitCode() == 0)
        << script_.toStdString() << ": " << process_.readAllStandardError().toStdString();
    std::vector<QList<QByteArray>> lines;
    for (const QByteArray& line : process_.readAllStandardOutput().split('\n')) {
      if (!line.isEmpty()) lines.push_back(line.split('\t'));
    }
    return lines;
  }

 private:
  QString script_;
  QProcess process_;
};

// XBase gives raw bytes: code page 850, C fields padded.
QString FromOem(const QByteArray& hex) {
  const QByteArray bytes = QByteArray::fromHex(hex);
  return FromEngineText(OemToAnsi(std::string_view(bytes.constData(), bytes.size())));
}

std::string OemKey(const QString& text, bool upper) {
  const std::string ansi = ToEngineText(text);
  return AnsiToOem(upper ? Upper(ansi) : ansi);
}

std::string TrimRight(std::string text) {
  text.erase(text.find_last_not_of(std::string(" \0", 2)) + 1);
  return text;
}

void ExpectSameNote(const Note& expected, const QStringList& read, int record) {
  ASSERT_EQ(read.size(), kFields.size()) << "record " << record;
  for (qsizetype field = 0; field < kFields.size(); ++field) {
    QString value = read[field];
    while (value.endsWith(' ')) value.chop(1);
    EXPECT_EQ(value, expected.values[field])
        << "record " << record << " field " << kFields[field].toStdString();
  }
}

// Every record once, each under the key its fields give, in key order.
void ExpectTagWalk(const TagRule& rule, const Notes& notes,
                   const std::vector<std::pair<int, std::string>>& walk) {
  SCOPED_TRACE(rule.tag);
  std::vector<int> records;
  for (const auto& [record, key] : walk) records.push_back(record);
  std::sort(records.begin(), records.end());
  std::vector<int> all(notes.size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i + 1);
  ASSERT_EQ(records, all);
  for (std::size_t i = 0; i < walk.size(); ++i) {
    const QString& value = notes[static_cast<std::size_t>(walk[i].first - 1)].values[rule.field];
    if (rule.numeric) {
      if (i == 0) continue;
      const QString& before =
          notes[static_cast<std::size_t>(walk[i - 1].first - 1)].values[rule.field];
      EXPECT_LE(before.toDouble(), value.toDouble()) << "step " << i;
    } else {
      EXPECT_EQ(TrimRight(walk[i].second), TrimRight(OemKey(value, rule.upper)))
          << "record " << walk[i].first;
      if (i > 0) {
        EXPECT_LE(walk[i - 1].second, walk[i].second) << "step " << i;
      }
    }
  }
}

void ExpectXBaseReadsTheTable(const Notes& notes, const std::vector<QList<QByteArray>>& lines) {
  SCOPED_TRACE("XBase");
  std::map<std::string, std::vector<std::pair<int, std::string>>> walks;
  std::size_t records = 0;
  for (const QList<QByteArray>& line : lines) {
    if (line[0] == "R" && line.size() > 3) {
      const int record = line[1].toInt();
      ASSERT_EQ(record, static_cast<int>(++records));
      ASSERT_LE(records, notes.size());
      EXPECT_EQ(line[2] == "1", notes[records - 1].deleted) << "record " << record;
      QStringList values;
      for (qsizetype i = 3; i < line.size(); ++i) values << FromOem(line[i]);
      ExpectSameNote(notes[records - 1], values, record);
    } else if (line[0] == "K" && line.size() == 4) {
      const QByteArray key = QByteArray::fromHex(line[3]);
      walks[line[1].toStdString()].emplace_back(line[2].toInt(), key.toStdString());
    }
  }
  EXPECT_EQ(records, notes.size());
  ASSERT_EQ(walks.size(), std::size(kNoteTags));
  for (const TagRule& rule : kNoteTags) ExpectTagWalk(rule, notes, walks[rule.tag]);
}

// dBASE IV stores an entry's length with its 8-byte header counted; dbfread
// takes it for the data length and reads up to 8 bytes past the data.
QString WithoutOverrun(const QString& read, const QString& expected) {
  const bool overrun = read.startsWith(expected) && read.size() - expected.size() <= 8;
  return overrun ? expected : read;
}

void ExpectDbfreadReadsTheTable(const Notes& notes, const std::vector<QList<QByteArray>>& lines) {
  SCOPED_TRACE("dbfread");
  Notes expected;  // live records, then deleted ones
  for (bool deleted : {false, true}) {
    std::copy_if(notes.begin(), notes.end(), std::back_inserter(expected),
                 [deleted](const Note& note) { return note.deleted == deleted; });
  }
  std::size_t read = 0;
  for (const QList<QByteArray>& line : lines) {
    ASSERT_LT(read, expected.size());
    const Note& note = expected[read++];
    EXPECT_EQ(line[1] == "1", note.deleted);
    QStringList values;
    for (qsizetype i = 2; i < line.size(); ++i) {
      values << QString::fromUtf8(QByteArray::fromHex(line[i]));
    }
    if (values.size() == kFields.size()) {
      values[kMemo] = WithoutOverrun(values[kMemo], note.values[kMemo]);
    }
    ExpectSameNote(note, values, static_cast<int>(read));
  }
  EXPECT_EQ(read, expected.size());
}

class IndependentReaders : public ::testing::TestWithParam<OracleCase> {
 protected:
  void SetUp() override { savedDispatch_ = SetAutoDispatch(false); }
  void TearDown() override { SetAutoDispatch(savedDispatch_); }

  test::TempDir dir_;
  bool savedDispatch_ = false;
};

TEST_P(IndependentReaders, XBaseAndDbfreadReadRecordsMemosAndTagsInKeyOrder) {
  NoteTable table(dir_.file("notes.dbf"));
  GetParam().build(table);
  table.Close();
  Reader xbase("/usr/bin/perl", "read_xbase.pl", table.path());
  Reader dbfread("/usr/bin/python3", "read_dbfread.py", table.path());
  ExpectXBaseReadsTheTable(table.notes(), xbase.Lines());
  ExpectDbfreadReadsTheTable(table.notes(), dbfread.Lines());
}

INSTANTIATE_TEST_SUITE_P(NoteTables, IndependentReaders, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pw
