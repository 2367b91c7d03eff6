#include "app/maintain/template_boards.h"

#include "app/record/note_fields.h"
#include "dataset/tz_dbf.h"

namespace pw {

QList<TemplateBoard> CustomisedTemplates(TTzDbf& templates) {
  QList<TemplateBoard> boards;
  templates.GoTop();
  for (int number = 1; !templates.Eof(); ++number) {
    const QString name = templates.GetFieldStr(note_field::kDesc).trimmed();
    if (name != QStringLiteral("Template %1 - Not Set").arg(number)) boards.append({number, name});
    templates.Skip(1);
  }
  return boards;
}

QString BoardFilter(int number) {
  return QStringLiteral("LTRIM(RTRIM(%1)) == \"%2\"")
      .arg(QString::fromLatin1(note_field::kNoteBoard))
      .arg(number);
}

}  // namespace pw
