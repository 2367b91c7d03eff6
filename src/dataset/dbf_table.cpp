#include "dataset/dbf_table.h"

#include <QCoreApplication>
#include <optional>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/file_routines.h"
#include "common/path_names.h"
#include "dataset/dataset_error.h"
#include "dataset/dataset_ui.h"
#include "dataset/dbf_field_lines.h"
#include "dataset/engine_path.h"
#include "dataset/engine_text.h"
#include "dataset/engine_units.h"
#include "engine/table/close_work_area.h"
#include "engine/table/create_dbf.h"
#include "engine/table/engine_settings.h"
#include "engine/table/field_info.h"
#include "engine/table/record_image.h"
#include "engine/table/set_ignore_del.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

// The per-open engine settings, restored when the open is over.
class OpenSettingsScope {
 public:
  OpenSettingsScope(bool autoFix, bool readOnly) : saved_(Settings()) {
    EngineSettings& settings = Settings();
    settings.deriveCountFromFileSize = autoFix;
    if (readOnly) settings.forcedAccess = platform::Access::Read;
  }
  ~OpenSettingsScope() {
    EngineSettings& settings = Settings();
    settings.deriveCountFromFileSize = saved_.deriveCountFromFileSize;
    settings.forcedAccess = saved_.forcedAccess;
  }
  OpenSettingsScope(const OpenSettingsScope&) = delete;
  OpenSettingsScope& operator=(const OpenSettingsScope&) = delete;

 private:
  struct Saved {
    explicit Saved(const EngineSettings& settings)
        : deriveCountFromFileSize(settings.deriveCountFromFileSize),
          forcedAccess(settings.forcedAccess) {}
    bool deriveCountFromFileSize;
    std::optional<platform::Access> forcedAccess;
  } saved_;
};

}  // namespace

DbfTable::DbfTable(QObject* parent) : QObject(parent) {
  InitEngineUnits();
}

DbfTable::~DbfTable() {
  if (Active()) CloseTable();
}

QString DbfTable::ComponentName() const {
  return objectName().trimmed();
}

void DbfTable::SetDbfFileName(const QString& name) {
  const bool wasActive = Active();
  if (wasActive) Close();
  dbfFileName_ = name.trimmed();
  if (!dbfFileName_.isEmpty() && !HasExtension(ToEnginePath(dbfFileName_)) &&
      !dbfFileName_.endsWith(QLatin1Char('.'))) {
    dbfFileName_ += QStringLiteral(".DBF");
  }
  if (wasActive) Open();
}

void DbfTable::SetHideDeletedRecs(bool hide) {
  hideDeletedRecs_ = hide;
  if (!Active() || !SelectArea("HideDeletedRecs")) return;
  SetIgnoreDel(hide);
  Reposition();
  ResyncRecordSet();
}

void DbfTable::SetExclusive(bool exclusive) {
  const bool wasActive = Active();
  if (wasActive) Close();
  exclusive_ = exclusive;
  if (wasActive) Open();
}

void DbfTable::SetActive(bool active) {
  if (active == Active()) return;
  if (!active) {
    emit BeforeClose(this);
    CloseTable();
    emit AfterClose(this);
    return;
  }
  emit BeforeOpen(this);
  OpenTable();
  First();
  emit AfterOpen(this);
}

std::uint16_t DbfTable::LastError() {
  return EngineErrorCode();
}

const DbfFieldProperties& DbfTable::FieldProps() const {
  if (!Active()) {
    RaiseDatabaseError(ComponentName() +
                       QStringLiteral(".DbfFields undefined. Set Active to TRUE"));
  }
  return fields_;
}

bool DbfTable::SelectArea(const char* operation) {
  if (!Active()) {
    SetError(kInvalidOperation,
             ToEngineText(QStringLiteral("Database is not open [%1.%2]")
                              .arg(ComponentName(), QString::fromLatin1(operation))));
    CurrentDatasetUi().RequestProgramEnd();
    return false;
  }
  Select(workArea_);
  CurrentArea().oem = tableLanguage_ == TableCharset::kOem;
  ClearEngineError();
  return true;
}

void DbfTable::OpenTable() {
  QCoreApplication::processEvents();
  if (dbfFileName_.isEmpty()) RaiseDatasetError(kMissingFileName);
  // Engine errors of the open are raised here, never dispatched.
  AutoDispatchOff quiet;
  fields_.clear();
  const int previous = CurrentWorkArea();
  // The area kept from an earlier open may have gone to another table since.
  const bool ownAreaFree = workArea_ != 0 && !WorkAreaAt(workArea_).occupied;
  if (!Select(ownAreaFree ? workArea_ : 0)) {
    const std::uint16_t code = EngineErrorCode();
    Select(previous);
    RaiseDatasetError(code);
  }
  const int area = CurrentWorkArea();
  const std::string fileName = ToEnginePath(dbfFileName_);
  Settings().ansiLanguage = tableLanguage_ == TableCharset::kAnsi;
  if (createIfNotFound_ && !FileIsPresent(fileName) && !CreateTable()) {
    CurrentDatasetUi().Warning(QStringLiteral("Could not create \"%1\"").arg(dbfFileName_));
  }
  const UseCommand open{fileName, ToEngineText(ComponentName().trimmed()), exclusive_};
  Select(area);
  {
    // Only the table file itself is opened read-only; the index and its
    // semaphore are opened as usual afterwards.
    OpenSettingsScope settings(autoFixRecCount_, readOnly_);
    if (!UseTable(open)) RaiseDatasetError(EngineErrorCode());
  }
  workArea_ = area;
  state_ = RecordSetState::kBrowse;
  PrepareIndex();
  Select(workArea_);
  SetIgnoreDel(hideDeletedRecs_);
  ReadFieldProps();
}

bool DbfTable::CreateTable() {
  if (dbfFields_.isEmpty()) {
    CurrentDatasetUi().Warning(
        QStringLiteral("FieldList.Count is <= 0 trying to create a database"));
    return false;
  }
  std::vector<FieldDef> defs;
  QStringList warnings;
  const bool parsed = DbfFieldDefs(dbfFields_, ComponentName(), &defs, &warnings);
  for (const QString& warning : warnings) CurrentDatasetUi().Warning(warning);
  if (!parsed) return false;
  ClearEngineError();
  CreateDBF(ToEnginePath(dbfFileName_), static_cast<int>(defs.size()), defs,
            tableLanguage_ == TableCharset::kOem);
  return EngineErrorCode() == 0;
}

void DbfTable::ReadFieldProps() {
  fields_.clear();
  const pw::WorkArea& area = CurrentArea();
  int offset = 1;  // byte 0 of the record image is the deleted flag
  for (const FieldDef& def : area.fields) {
    DbfFieldProperty prop;
    prop.name = FromEngineText(def.name);
    prop.type = def.type;
    prop.width = def.length;
    prop.decimals = def.decimals;
    prop.offset = offset;
    prop.slotSize = static_cast<int>(ImageSlotSize(def));
    offset += prop.slotSize;
    fields_.push_back(prop);
  }
  buffer_.assign(area.image, area.image + area.imageSize);
}

void DbfTable::CloseTable() {
  Select(workArea_);
  CloseWorkArea();
  state_ = RecordSetState::kInactive;
  fields_.clear();
  buffer_.clear();
  recNo_ = 0;
  bof_ = true;
  eof_ = true;
  filter_.clear();
  filtered_ = false;
}

}  // namespace pw
