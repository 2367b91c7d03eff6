// pwdbf info: what a table's header, memo file and production index say.
#include <cstdio>
#include <iostream>

#include "engine/index/index_key.h"
#include "engine/memo/memo_state.h"
#include "engine/table/dbf_header.h"
#include "engine/table/production_index_flag.h"
#include "engine/table/record_count.h"
#include "engine/table/work_areas.h"
#include "engine_session.h"
#include "index_reader.h"
#include "subcommand.h"
#include "text_1252.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

std::string VersionText(unsigned char version) {
  switch (version) {
    case 0x02:
      return "dBASE II";
    case 0x03:
      return "dBASE III/IV, no memo";
    case 0x83:
      return "dBASE III, memo";
    case 0x8B:
      return "dBASE IV, memo";
    case 0x04:
      return "level 7, no memo";
    case 0x8C:
      return "level 7, memo";
    case 0xF5:
      return "FPT memo";
    default:
      return "unknown";
  }
}

std::string MemoKindText(enum MemoKind kind) {
  switch (kind) {
    case MemoKind::Dbase3:
      return "DBT, dBASE III kind";
    case MemoKind::Dbase4:
      return "DBT, dBASE IV kind";
    case MemoKind::FoxPro:
      return "FPT";
  }
  return "unknown";
}

std::string YesNo(bool value) {
  return value ? "yes" : "no";
}

void PrintFields(const WorkArea& area) {
  std::cout << "Fields:           " << area.fields.size() << "\n";
  for (const FieldDef& field : area.fields) {
    char line[80];
    std::snprintf(line, sizeof line, "  %-10s  %c  %3d  %2d\n", field.name.c_str(), field.type,
                  field.length, field.decimals);
    std::cout << Utf8FromCp1252(line);
  }
}

void PrintTags(const std::string& indexPath) {
  const IndexReader index(indexPath);
  std::cout << "Index file:       " << indexPath << "\n"
            << "Tags:             " << index.TagCount() << "\n";
  for (int n = 1; n <= index.TagCount(); ++n) {
    const IndexTagInfo tag = index.Tag(n);
    const TagHeader& anchor = tag.anchor;
    const std::string forText = anchor.HasFor() ? anchor.ForExpression() : "";
    std::cout << "  " << Utf8FromCp1252(tag.name) << "\n"
              << "    key:        " << Utf8FromCp1252(anchor.KeyExpression()) << "\n"
              << "    for:        " << (forText.empty() ? "-" : Utf8FromCp1252(forText)) << "\n"
              << "    unique:     " << YesNo(anchor.Unique()) << "\n"
              << "    descending: " << YesNo(anchor.Descending()) << "\n"
              << "    key type:   " << KeyTypeName(anchor) << " " << anchor.KeyLength() << "\n";
  }
}

int RunInfo(const Arguments& arguments) {
  const std::string& table = arguments.Operands()[0];
  OpenTable open(table, OpenPurpose::kRead);
  WorkArea& area = CurrentArea();
  std::uint64_t fileSize = 0;
  if (int code = area.file.Size(&fileSize); code != 0) {
    throw ToolError(table, "cannot read the file size (code " + std::to_string(code) + ")");
  }
  const unsigned char version = area.Version();
  char date[16];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", 1900 + area.prolog[1], area.prolog[2],
                area.prolog[3]);
  const bool dbase2 = version == kVersionDbase2;
  std::cout << "Table:            " << area.file.Path() << "\n";
  char versionByte[8];
  std::snprintf(versionByte, sizeof versionByte, "0x%02X", version);
  std::cout << "Version:          " << versionByte << " (" << VersionText(version) << ")\n";
  // dBASE II keeps its date and count elsewhere; the engine read them on open.
  if (!dbase2) std::cout << "Last update:      " << date << "\n";
  std::cout << "Records:          " << PrologRecordCount(area) << " (prolog), "
            << RecordCountForSize(area, fileSize) << " (file size)\n";
  char language[8];
  std::snprintf(language, sizeof language, "0x%02X", area.prolog[kLanguageDriverByte]);
  std::cout << "Language driver:  " << language << " (C keys in " << CollationName(TableCollation())
            << ")\n";
  std::cout << "File size:        " << fileSize << " bytes\n"
            << "Header length:    " << area.headerLength << "\n"
            << "Record length:    " << area.recordLength << "\n";
  PrintFields(area);
  if (const MemoState* memo = MemoOf(area)) {
    std::cout << "Memo file:        " << memo->path << " (" << MemoKindText(memo->kind)
              << ", block size " << memo->blockSize << ")\n";
  } else {
    std::cout << "Memo file:        " << (area.hasMemo ? "missing" : "none") << "\n";
  }
  std::cout << "Production index: " << YesNo(ProductionIndexFlag()) << "\n";
  const std::string indexPath = open.ProductionIndexPath();
  if (!indexPath.empty()) PrintTags(indexPath);
  open.Close();
  return 0;
}

}  // namespace

Subcommand InfoCommand() {
  return {"info",
          "info TABLE",
          "Describes a table: version byte and layout, date of the last update, record\n"
          "count (from the prolog and from the file size), the language driver and the\n"
          "order it gives C keys, header and record length, fields, memo file kind and\n"
          "block size, the production index flag and the tags of the production index.\n"
          "The table is opened read-only.\n",
          {},
          1,
          1,
          RunInfo};
}

}  // namespace pw::pwdbf
