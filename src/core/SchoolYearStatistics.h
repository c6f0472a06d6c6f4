#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <array>

struct SchoolCalendar;

// One day as the day table lists it: its date and its day code.
struct ListedDay {
    QDate date;
    QString code;
};

// The school year as the day page lists it: school days by month and by term, how many days
// the list holds, its first and last day, and how many listed days lie behind and ahead of today.
struct SchoolYearStatistics {
    std::array<int, 13> monthDays{}; // 1..12
    std::array<int, 5> termDays{};   // 1..4
    int totalSchoolDays = 0;
    int totalDays = 0;
    QDate firstDay; // invalid when nothing is listed
    QDate lastDay;
    int past = 0;
    int ahead = 0;
};

// True for the codes of a taught day: "1".."6" and the weekday names "Sun".."Sat", exactly.
bool IsSchoolDayCode(const QString& code);

// The figures for the listed days (in date order). A day counts as a school day when a term
// holds it and its code is a school day's. Past counts the listed days before today and, once
// the year has begun, the day on or next after today; every day once the list has ended.
SchoolYearStatistics ComputeSchoolYearStatistics(const QList<ListedDay>& days, const SchoolCalendar& calendar,
                                                 const QDate& today);

// Every dated day the day table lists, in its order. The cursor walks the list and is put back
// on the row it stood on.
QList<ListedDay> ReadListedDays();
