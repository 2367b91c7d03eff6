// A template as the template editor shows and edits it, and the store the
// editor reads and writes templates through. The program's store is its
// template table (records 1 to 10 are templates 1 to 10); the dialogs know
// it only through TemplateStore.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>

namespace pw {

// Where a new note made from the template is placed; also the index of the
// template editor's position list.
enum class TemplatePlace { kCenter = 0, kTopLeft, kTopRight, kBottomLeft, kBottomRight };

struct TemplateValues {
  QString name;
  QColor color;
  QString captionFontName;
  int captionFontSize = 0;  // points
  QColor captionFontColor;
  int height = 0;  // pixels
  int width = 0;
  int place = 0;    // a TemplatePlace, or whatever the record holds
  QByteArray text;  // the template's rich text (RTF)
};

// The name of template `number` while it is not set: "Template 3 - Not Set".
QString UnsetTemplateName(int number);

// What "Remove Template" makes of template `number`: the unset name, a pale
// yellow note of 120 x 120 in the centre, a black 8 point caption font and
// no text.
TemplateValues ResetTemplateValues(int number);

class TemplateStore {
 public:
  virtual ~TemplateStore() = default;
  // The names of the templates in template order, without blanks around
  // them.
  virtual QStringList Names() = 0;
  // Template `number` (from 1); false when there is none.
  virtual bool Read(int number, TemplateValues* values) = 0;
  // Writes template `number` (stay-on-top always off); false when the
  // record cannot be locked or written, which leaves it unchanged.
  virtual bool Write(int number, const TemplateValues& values) = 0;

 protected:
  TemplateStore() = default;
  TemplateStore(const TemplateStore&) = default;
  TemplateStore& operator=(const TemplateStore&) = default;
};

}  // namespace pw
