#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QtGlobal>

#include <array>

// The set-up wizard's rules that need no window: each step's check with its messages, the
// teachers' day codes and day queries, the timetable grid's columns and the review's texts.
// A date picker without a date is given as an invalid date (or the zero date).

// A missing date: no date at all, or the zero date that stands for one.
bool IsNoDate(const QDate& d);
// "12:00:00 AM" and no date compare equal, so an unused saved date and an empty picker match.
bool SameDate(const QDate& a, const QDate& b);

// Step 1, set-up mode.
struct ModeStepInput {
    int ModeChoice = 0;
    int PreserveChoice = 0;          // 0 terms, 1 date range
    std::array<bool, 5> TermTicks{}; // 1..4
    int TermCount = 0;
    QDate From;
    QDate To;
    QDate YearStart;
    QDate YearEnd;
};
// The step's problem, empty when it passes; *titleSuffix gets the message title's tail.
QString ModeStepProblem(const ModeStepInput& input, QString* titleSuffix);
QString ModeProblemMessage(const QString& problem);

// Step 2, users and cycle. Boxes and ticks count from 1 (Sunday, or cycle day 1).
struct UserStepInput {
    int TeacherNum = 1;
    int Cycle = 0;
    std::array<QString, 3> Names;
    std::array<std::array<bool, 8>, 3> Days{}; // [teacher 1..2][box 1..7]
    std::array<bool, 8> Weekdays{};
};
// A teacher's day codes from the ticked boxes: digits in the six-day cycle, the weekday's first
// three letters in the weekday cycle. True when at least one box is ticked.
bool BuildTeacherDays(const std::array<bool, 8>& boxes, int cycle, const std::array<QString, 8>& dayNames,
                      QString* codes, QString* count);
// The WHERE criterion of a teacher's days: "(((QLM.SchoolDay) = 'code')) " pieces joined by "Or ".
QString BuildTeacherQuery(const QString& cycleCodes, const QString& days, int cycle);
QString UserStepProblem(const UserStepInput& input, const std::array<QString, 8>& dayNames);
QString UserProblemMessage(const QString& problem);
// The taught-weekday pattern: seven three-letter slots from Sunday, "xxx" where not taught.
QString WkDayFromTicks(const std::array<bool, 8>& weekdays, const std::array<QString, 8>& dayNames);

// Step 3, school-year dates.
struct SchoolYearProblem {
    enum class Kind { None, Terms, Holidays, Inservices };
    Kind kind = Kind::None;
    QString text;
    int term = 0; // the term the terms message names; 0 names none
};
SchoolYearProblem SchoolYearStepProblem(const std::array<QDate, 5>& termStart,
                                        const std::array<QDate, 5>& termEnd,
                                        const std::array<QDate, 21>& holidays, bool ignoreHolidays,
                                        bool ignoreInservices);
QString TermsProblemMessage(const QString& problem, int term);
QString HolidayProblemMessage(const QString& problem, bool inservice);

// Step 4, timetable grid. Widths and edges in twips.
qint32 GridColumnWidth(int gridCols, qint32 gridColWidth);
qint32 GridColumnLeft(int column, qint32 gridLeft, qint32 width);
QString EmptyTimeTableMessage();

// Step 5, review.
QList<QPair<QString, QString>> ReviewUserRows(int cycle, int teacherNum, const std::array<QString, 3>& names,
                                              const std::array<QString, 3>& codes,
                                              const std::array<QString, 3>& counts);
QString ReviewWeekdays(const std::array<bool, 8>& weekdays, const std::array<QString, 8>& dayNames);
QString ReviewModeInfo(int mode, const QString& caption);
// The holiday list's column widths for a list of this width holding this many rows.
QPair<qint32, qint32> ReviewHolidayWidths(qint32 listWidth, int rows);

// The wizard's own messages.
QString SetupIncompleteMessage();
// With the name of the copy that keeps the book as it was before the rebuild, when one was kept.
QString SetupSuccessMessage(const QString& keptCopy = QString());
// Where that copy is, and how to open it.
QString KeptCopyNotice(const QString& keptCopy);
