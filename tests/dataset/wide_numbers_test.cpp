// Whole numbers beyond 32 bits and rounded decimals through the table
// component's field getters and setters, down to the stored bytes.
#include <fstream>
#include <iterator>

#include "common/error_state.h"
#include "dataset_test_support.h"

namespace pw::test {
namespace {

class WideNumbers : public DatasetTest {
 protected:
  std::unique_ptr<DbfTable> CodeTable() {
    auto dbf = std::make_unique<DbfTable>();
    dbf->setObjectName(QStringLiteral("TzCodes"));
    dbf->SetDbfFields({"code,N,13,0", "price,N,5,2", "qty,N,5,0"});
    dbf->SetIndexList({"CODE,F,F,code", ""});
    dbf->SetShowProgress(false);
    dbf->SetDbfFileName(QString::fromStdString(dir_.file("codes.dbf")));
    return dbf;
  }

  void Rewrite(DbfTable& dbf) {
    ASSERT_TRUE(dbf.RLock());
    dbf.ReplaceRec();
    dbf.UnLock();
    ASSERT_EQ(EngineErrorCode(), 0);
    dbf.Go(1);
  }

  std::string StoredBytes() const {
    std::ifstream file(dir_.file("codes.dbf"), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
};

TEST_F(WideNumbers, WholeNumbersBeyond32BitsSurviveReadEditAndWrite) {
  auto dbf = CodeTable();
  dbf->Open();
  dbf->ClearRecord();
  dbf->SetFieldStr("code", "4915112345678");
  dbf->SetFieldFloat("price", 0.125);
  dbf->SetFieldInt("qty", 7);
  ASSERT_TRUE(dbf->ALock());
  dbf->AppendRec();
  dbf->UnLock();
  dbf->Go(1);
  EXPECT_EQ(dbf->GetFieldStr("code"), "4915112345678");
  EXPECT_EQ(dbf->GetFieldFloat("code"), 4915112345678.0);
  EXPECT_EQ(dbf->GetFieldInt("code"), 2147483647);  // the 32-bit getter saturates
  EXPECT_EQ(dbf->GetFieldStr("price"), " 0.13");

  // Rewriting the record for another field keeps the wide value.
  dbf->SetFieldInt("qty", 8);
  Rewrite(*dbf);
  EXPECT_EQ(dbf->GetFieldStr("code"), "4915112345678");
  EXPECT_EQ(dbf->GetFieldInt("qty"), 8);

  dbf->SetFieldFloat("code", 4915112345679.0);
  dbf->SetFieldFloat("price", 2.675);
  Rewrite(*dbf);
  EXPECT_EQ(dbf->GetFieldStr("code"), "4915112345679");
  dbf->SetFieldStr("code", "-999999999999");
  Rewrite(*dbf);
  EXPECT_EQ(dbf->GetFieldFloat("code"), -999999999999.0);
  dbf->Close();
  const std::string bytes = StoredBytes();
  EXPECT_NE(bytes.find("-999999999999 2.68    8"), std::string::npos);
}

}  // namespace
}  // namespace pw::test
