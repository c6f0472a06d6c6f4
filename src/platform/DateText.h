#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// Dates as the program writes and reads them: one locale-independent text form (yyyy-MM-dd)
// everywhere, and the zero date, which stands for "no date", written "12:00:00 AM".
QDate ZeroDate();
bool IsZeroDate(const QDate& date);

QString DateToText(const QDate& date);
// Reads a stored date text: yyyy-MM-dd (a time after it is ignored) or "12:00:00 AM".
// Anything else is not a date: an invalid QDate and *ok false.
QDate TextToDate(const QString& text, bool* ok = nullptr);
bool IsDateText(const QString& text);
// A moment (the last Pack To Go) as stored: yyyy-MM-ddTHH:mm:ss. Anything else is invalid.
QString DateTimeToText(const QDateTime& moment);
QDateTime TextToDateTime(const QString& text);

// Formats with the program's date patterns ("mmmm d, yyyy", "dddd - mmmm d, yyyy",
// "mmmm d, yyyy at h:mm AM/PM"), always with English names.
QString FormatDate(const QDate& date, const QString& pattern);
QString FormatDateTime(const QDateTime& moment, const QString& pattern);
