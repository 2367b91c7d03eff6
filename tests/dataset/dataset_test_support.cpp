#include "dataset_test_support.h"

#include "common/date_settings.h"
#include "common/error_state.h"
#include "engine/table/close_work_area.h"

namespace pw::test {

QStringList NoteTableFields() {
  return {"desc, C, 50, 0",       "memo, M, 10, 0",       "color, N, 10, 0",
          "left, N, 10, 0",       "top, N, 10, 0",        "width, N, 10, 0",
          "height, N, 10, 0",     "minimized, C, 1, 0",   "showing, C, 1, 0",
          "datecreate, D, 10, 0", "noteboard, C, 50, 0",  "alarmact, C, 1, 0",
          "alarmtype, N, 1, 0",   "alarmdate, D, 10, 0",  "alarmtime, C, 12, 0",
          "stayontop, C, 1, 0",   "handle, N, 10, 0",     "read, C, 1, 0",
          "char1, C, 40, 0",      "char2, C, 40, 0",      "char3, C, 20, 0",
          "char4, C, 10, 0",      "num1, N, 10, 0",       "num2, N, 10, 0",
          "num3, N, 15, 2",       "num4, N, 15, 2",       "expires, C, 1, 0",
          "expiredate, D, 10, 0", "expiretime, C, 12, 0", "expiretype, N, 1, 0",
          "expiretrsh, C, 1, 0",  "capfontnam, C, 50, 0", "capfontsiz, N, 5, 2",
          "capfontcol, N, 10, 0", "datealmact, D, 10, 0", "date1, D, 10, 0",
          "timealmact, C, 12, 0"};
}

QStringList NoteTableIndexList() {
  return {"BOARD,F,F,upper(Noteboard)",
          "",
          "HANDLE,F,F,handle",
          "",
          "SHOWING,F,F,showing",
          "",
          "ALARMACT,F,F,upper(alarmact)",
          "",
          "EXPIREACT,F,F,upper(expires)",
          ""};
}

void DatasetTest::SetUp() {
  savedDispatch_ = SetAutoDispatch(false);
  savedUi_ = SetDatasetUi(&ui_);
  SetDateType(0);
  CurrentDateSettings().century = true;
  SetDateType(0);
  ClearEngineError();
}

void DatasetTest::TearDown() {
  CloseAll();
  SetDatasetUi(savedUi_);
  SetAutoDispatch(savedDispatch_);
}

std::unique_ptr<DbfTable> DatasetTest::NoteTable(const std::string& file, const QString& name) {
  auto dbf = std::make_unique<DbfTable>();
  dbf->setObjectName(name);
  dbf->SetDbfFields(NoteTableFields());
  dbf->SetIndexList(NoteTableIndexList());
  dbf->SetHideDeletedRecs(true);
  dbf->SetShowProgress(false);
  dbf->SetDbfFileName(QString::fromStdString(dir_.file(file)));
  return dbf;
}

std::unique_ptr<DbfTable> DatasetTest::SmallTable(const QString& name) {
  auto dbf = std::make_unique<DbfTable>();
  dbf->setObjectName(name);
  dbf->SetDbfFields(
      {"name,C,10,0", "qty,N,5,0", "price,N,8,2", "day,D,8,0", "ok,L,1,0", "text,M,10,0"});
  dbf->SetIndexList({"NAME,F,F,upper(name)", ""});
  dbf->SetShowProgress(false);
  dbf->SetDbfFileName(QString::fromStdString(dir_.file("small.dbf")));
  return dbf;
}

void DatasetTest::AddRecord(DbfTable& dbf, const QString& name, int qty) {
  dbf.ClearRecord();
  dbf.SetFieldStr("name", name);
  dbf.SetFieldInt("qty", qty);
  ASSERT_TRUE(dbf.ALock());
  dbf.AppendRec();
  dbf.UnLock();
  ASSERT_EQ(EngineErrorCode(), 0);
}

}  // namespace pw::test
