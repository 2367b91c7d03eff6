#include <QFile>
#include <filesystem>
#include <fstream>

#include "common/error_state.h"
#include "dataset/dataset_error.h"
#include "dataset_test_support.h"

namespace pw::test {
namespace {

int ReadWord(const std::string& path, std::streamoff offset) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(offset);
  unsigned char bytes[2] = {0, 0};
  in.read(reinterpret_cast<char*>(bytes), 2);
  return bytes[0] | (bytes[1] << 8);
}

using DbfTableOpen = DatasetTest;

TEST_F(DbfTableOpen, FileNameWithoutExtensionGetsDbfAndATrailingDotIsKept) {
  DbfTable dbf;
  dbf.SetDbfFileName("  /data/notes  ");
  EXPECT_EQ(dbf.DbfFileName(), "/data/notes.DBF");
  dbf.SetDbfFileName("/data/notes.");
  EXPECT_EQ(dbf.DbfFileName(), "/data/notes.");
  dbf.SetDbfFileName("/data/notes.tab");
  EXPECT_EQ(dbf.DbfFileName(), "/data/notes.tab");
}

TEST_F(DbfTableOpen, MissingFileNameRaisesItsOwnText) {
  DbfTable dbf;
  try {
    dbf.Open();
    FAIL() << "no exception";
  } catch (const EngineError& e) {
    EXPECT_STREQ(e.what(), "Missing DbfFilename property");
  }
  EXPECT_FALSE(dbf.Active());
}

TEST_F(DbfTableOpen, NoteTableIsCreatedWithTheApplicationsLayout) {
  auto notes = NoteTable();
  notes->Open();
  ASSERT_TRUE(notes->Active());
  EXPECT_EQ(notes->FieldProps().size(), 37u);
  EXPECT_EQ(ReadWord(dir_.file("notes.dbf"), 8), 1217);
  EXPECT_EQ(ReadWord(dir_.file("notes.dbf"), 10), 481);
  EXPECT_TRUE(std::filesystem::exists(dir_.file("notes.mdx")) ||
              std::filesystem::exists(dir_.file("notes.MDX")));
  EXPECT_EQ(notes->FieldProps()[9].name, "DATECREATE");
  EXPECT_EQ(notes->FieldProps()[9].width, 8);
  EXPECT_TRUE(ui_.warnings.isEmpty()) << ui_.warnings.join("\n").toStdString();
  EXPECT_TRUE(notes->SetOrderToTag("expireact"));
  EXPECT_EQ(notes->CurrentTag(), "EXPIREACT");
}

TEST_F(DbfTableOpen, CorrectedDefinitionsAreWarnedAboutAndUsed) {
  DbfTable dbf;
  dbf.setObjectName("TzOdd");
  dbf.SetDbfFields(
      {"big, N, 25, 19", "wide, C, 255, 3", "pic, G, 10, 0", "tight, N, 5, 4", "skip, X, 1, 0"});
  dbf.SetDbfFileName(QString::fromStdString(dir_.file("odd")));
  dbf.Open();
  const DbfFieldProperties& fields = dbf.FieldProps();
  ASSERT_EQ(fields.size(), 4u);
  EXPECT_EQ(fields[0].width, 20);
  EXPECT_EQ(fields[0].decimals, 18);
  EXPECT_EQ(fields[1].width, 254);
  EXPECT_EQ(fields[2].type, 'M');
  EXPECT_EQ(fields[3].decimals, 3);
  ASSERT_EQ(ui_.warnings.size(), 4);
  EXPECT_EQ(ui_.warnings[0],
            "Invalid field definition for TzOdd: big,N,25,19. Will use corrected definition: "
            "big,N,20,18");
  EXPECT_EQ(ui_.warnings[1],
            "Invalid field definition for TzOdd: wide,C,255,3. Will use corrected definition: "
            "wide,C,254,0");
}

TEST_F(DbfTableOpen, EmptyFieldListWarnsAndTheOpenFails) {
  DbfTable dbf;
  dbf.SetDbfFileName(QString::fromStdString(dir_.file("none.dbf")));
  EXPECT_THROW(dbf.Open(), EngineError);
  EXPECT_FALSE(dbf.Active());
  ASSERT_GE(ui_.warnings.size(), 2);
  EXPECT_EQ(ui_.warnings[0], "FieldList.Count is <= 0 trying to create a database");
  EXPECT_EQ(ui_.warnings[1], "Could not create \"" + dbf.DbfFileName() + "\"");
}

TEST_F(DbfTableOpen, LineWithoutThreeCommasCreatesNothing) {
  DbfTable dbf;
  dbf.SetDbfFields({"name,C,10,0", "qty,N,5"});
  dbf.SetDbfFileName(QString::fromStdString(dir_.file("bad.dbf")));
  try {
    dbf.Open();
    FAIL() << "no exception";
  } catch (const EngineError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Dataset error: ", 0), 0u) << e.what();
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.file("bad.dbf")));
}

TEST_F(DbfTableOpen, MissingTableWithoutCreateIfNotFoundRaisesEngineText) {
  DbfTable dbf;
  dbf.SetCreateIfNotFound(false);
  dbf.SetDbfFileName(QString::fromStdString(dir_.file("absent.dbf")));
  try {
    dbf.Open();
    FAIL() << "no exception";
  } catch (const EngineError& e) {
    const std::string text = e.what();
    EXPECT_EQ(text.rfind("Dataset error: Error # ", 0), 0u) << text;
    EXPECT_NE(text.find("\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("ABSENT.DBF"), std::string::npos) << text;
  }
}

TEST_F(DbfTableOpen, DatasetErrorTextsForReservedCodes) {
  EXPECT_EQ(DatasetErrorText(1404), "Missing DbfFilename property");
  EXPECT_EQ(DatasetErrorText(1402), "Dataset error: 1402");
  EXPECT_EQ(DatasetErrorText(0), "Dataset error: 1401");
}

TEST_F(DbfTableOpen, FieldPropsOfAClosedComponentRaise) {
  DbfTable dbf;
  dbf.setObjectName("TzClosed");
  try {
    dbf.FieldProps();
    FAIL() << "no exception";
  } catch (const EngineError& e) {
    EXPECT_STREQ(e.what(), "TzClosed.DbfFields undefined. Set Active to TRUE");
  }
}

TEST_F(DbfTableOpen, ReadOnlyOpenRefusesWrites) {
  // Without an index: the shared index's semaphore needs locks that a
  // read-only descriptor cannot take.
  {
    auto small = SmallTable();
    small->SetIndexList({});
    small->Open();
    AddRecord(*small, "apple", 1);
  }
  auto small = SmallTable();
  small->SetIndexList({});
  small->SetReadOnly(true);
  small->Open();
  EXPECT_EQ(small->GetFieldStr("name"), "apple     ");
  EXPECT_THROW(small->Edit(), EngineError);
  EXPECT_THROW(small->SetFieldStr("name", "pear"), EngineError);
}

TEST_F(DbfTableOpen, EventsAroundOpenAndClose) {
  auto small = SmallTable();
  QStringList seen;
  QObject::connect(small.get(), &DbfTable::BeforeOpen, [&] { seen << "BeforeOpen"; });
  QObject::connect(small.get(), &DbfTable::AfterOpen, [&] { seen << "AfterOpen"; });
  QObject::connect(small.get(), &DbfTable::BeforeClose, [&] { seen << "BeforeClose"; });
  QObject::connect(small.get(), &DbfTable::AfterClose, [&] { seen << "AfterClose"; });
  small->Open();
  small->Close();
  EXPECT_EQ(seen, QStringList({"BeforeOpen", "AfterOpen", "BeforeClose", "AfterClose"}));
  EXPECT_FALSE(small->Active());
}

TEST_F(DbfTableOpen, OperationOnClosedComponentRecords1103AndAsksToEnd) {
  auto small = SmallTable();
  small->Go(1);
  EXPECT_EQ(EngineErrorCode(), 1103);
  EXPECT_EQ(ui_.endRequests, 1);
  EXPECT_EQ(TakeDetailText(), "Database is not open [TzSmall.Go]");
}

}  // namespace
}  // namespace pw::test
