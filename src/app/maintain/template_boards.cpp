#include "app/maintain/template_boards.h"

#include "app/record/note_caption.h"
#include "app/record/note_fields.h"
#include "dataset/dbf_table.h"
#include "dialogs/template_values.h"

namespace pw {

QList<TemplateBoard> CustomisedTemplates(DbfTable& templates) {
  QList<TemplateBoard> boards;
  if (!templates.Active()) return boards;
  // Template i is record i: read in record-number order, whatever tag the
  // production index made current.
  const QString savedTag = templates.CurrentTag();
  templates.SetOrderTo(0);
  templates.GoTop();
  for (int number = 1; !templates.Eof(); ++number) {
    const QString name = CaptionOfRecord(templates);
    // An unset slot carries its own number; a name naming another slot is set.
    if (name != UnsetTemplateName(number)) boards.append({number, name});
    templates.Skip(1);
  }
  if (!savedTag.isEmpty()) templates.SetOrderToTag(savedTag);
  return boards;
}

QString BoardFilter(int number) {
  return QStringLiteral("LTRIM(RTRIM(%1)) == \"%2\"")
      .arg(QString::fromLatin1(note_field::kNoteBoard))
      .arg(number);
}

}  // namespace pw
