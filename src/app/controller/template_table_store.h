// The template table as the template editor sees it: record n is template
// n. Reads and writes go through the controller's template view under a
// record lock; a refused lock skips the write.
#pragma once

#include "dialogs/template_values.h"

namespace pw {

class DbfTable;

class TemplateTableStore : public TemplateStore {
 public:
  explicit TemplateTableStore(DbfTable& templates) : templates_(templates) {}

  // A first start creates an empty template table; the editor needs all
  // ten, so missing ones are appended in their unset state.
  void AddMissingTemplates();

  QStringList Names() override;
  bool Read(int number, TemplateValues* values) override;
  bool Write(int number, const TemplateValues& values) override;

 private:
  bool GoTemplate(int number);
  // Sets the record buffer's fields; false when the text cannot be stored.
  bool SetFields(const TemplateValues& values);

  DbfTable& templates_;
};

}  // namespace pw
