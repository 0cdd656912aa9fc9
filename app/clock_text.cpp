#include "app/clock_text.h"

#include <QRegularExpression>

QString DateText(const QLocale& locale, const QDate& date) { return locale.toString(date, QLocale::ShortFormat); }

QString TimePatternFrom(const QString& shortPattern) {
  const qsizetype hourAt = shortPattern.indexOf(QRegularExpression(QStringLiteral("[hH]")));
  const qsizetype apAt = shortPattern.indexOf(QRegularExpression(QStringLiteral("[aA]")));
  const bool twelveHour = apAt >= 0;
  const bool padHours = hourAt >= 0 && hourAt + 1 < shortPattern.size() &&
                        shortPattern[hourAt + 1].toLower() == 'h';
  // The separator is the first character after the hours that is no letter.
  QString separator = QStringLiteral(":");
  if (hourAt >= 0) {
    for (qsizetype i = hourAt; i < shortPattern.size(); ++i) {
      const QChar c = shortPattern[i];
      if (!c.isLetter() && c != '\'') {
        separator = c;
        break;
      }
    }
  }
  QString hours = twelveHour ? QStringLiteral("h") : QStringLiteral("H");
  if (padHours) hours += hours;
  QString pattern = hours + separator + QStringLiteral("mm") + separator + QStringLiteral("ss");
  if (twelveHour) pattern = apAt < hourAt ? QStringLiteral("AP ") + pattern : pattern + QStringLiteral(" AP");
  return pattern;
}

QString TimeText(const QLocale& locale, const QTime& time) {
  return locale.toString(time, TimePatternFrom(locale.timeFormat(QLocale::ShortFormat)));
}
