#include "dataset/dataset_locale.h"

#include "common/date_settings.h"
#include "common/date_text.h"
#include "dataset/engine_text.h"

namespace pw {
namespace {

char EngineChar(QChar ch, char fallback) {
  if (ch.isNull()) return fallback;
  return ToEngineText(QString(ch)).front();
}

QChar FirstChar(const QString& text) {
  return text.isEmpty() ? QChar() : text.front();
}

}  // namespace

QChar DateSeparatorOf(const QString& shortDateFormat) {
  for (QChar ch : shortDateFormat) {
    if (!ch.isLetter()) return ch;
  }
  return QLatin1Char('/');
}

void InitDatasetLocale(const QString& shortDateFormat, QChar dateSeparator, QChar decimalSeparator,
                       QChar thousandsSeparator) {
  InitDateSettingsFromLocale(ToEngineText(shortDateFormat), EngineChar(dateSeparator, '/'),
                             EngineChar(decimalSeparator, '.'),
                             EngineChar(thousandsSeparator, ','));
}

void InitDatasetLocale(const QLocale& locale) {
  InitDateSettingsFromLanguage(QLocale::languageToCode(locale.language()).toStdString(),
                               QLocale::territoryToCode(locale.territory()).toStdString(),
                               TodayParts().year);
  const QString format = locale.dateFormat(QLocale::ShortFormat);
  InitDatasetLocale(format, DateSeparatorOf(format), FirstChar(locale.decimalPoint()),
                    FirstChar(locale.groupSeparator()));
}

DatasetDateFormat CurrentDatasetDateFormat() {
  const DateSettings& settings = CurrentDateSettings();
  return {settings.formatCode, settings.century};
}

}  // namespace pw
