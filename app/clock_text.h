#pragma once
// Date and time texts of the status bar, in the user's regional formats.
#include <QDateTime>
#include <QLocale>
#include <QString>

// The short date of the locale.
QString DateText(const QLocale& locale, const QDate& date);
// Hours, minutes, seconds with the locale's separator; hours padded only
// when the locale pads them; AM/PM where the locale places it.
QString TimeText(const QLocale& locale, const QTime& time);
// The time pattern TimeText uses, built from a short time pattern.
QString TimePatternFrom(const QString& shortPattern);
