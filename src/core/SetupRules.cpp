#include "SetupRules.h"

#include "TeacherCycle.h"
#include "platform/DateText.h"
#include "platform/Rounding.h"

#include <QStringList>

namespace {
const QString kCrLf = QStringLiteral("\r\n");

QString Lines(const QStringList& lines) {
    return lines.join(kCrLf);
}
} // namespace

bool IsNoDate(const QDate& d) {
    return !d.isValid() || IsZeroDate(d);
}

bool SameDate(const QDate& a, const QDate& b) {
    return IsNoDate(a) ? IsNoDate(b) : a == b;
}

QString ModeStepProblem(const ModeStepInput& input, QString* titleSuffix) {
    if (input.ModeChoice != 1) {
        return QString();
    }
    if (input.PreserveChoice == 0) {
        for (int t = 1; t <= qMin(input.TermCount, 4); ++t) {
            if (input.TermTicks[t]) {
                return QString();
            }
        }
        *titleSuffix = QStringLiteral(" - Terms Problem");
        return QStringLiteral("No Terms have been selected.");
    }
    *titleSuffix = QStringLiteral(" - Date Range Problem");
    if (IsNoDate(input.From) || IsNoDate(input.To)) {
        return QStringLiteral("Both From and To Dates must be selected.");
    }
    if (input.From < input.YearStart || input.To > input.YearEnd) {
        return QStringLiteral("The Date Range must be within the School Year Range.");
    }
    if (input.From == input.To) {
        return QStringLiteral("The From and To Dates cannot be the same.");
    }
    if (input.From > input.To) {
        return QStringLiteral("The From Date must come before the To Date.");
    }
    titleSuffix->clear();
    return QString();
}

QString ModeProblemMessage(const QString& problem) {
    return problem + kCrLf + kCrLf + QStringLiteral("This must be corrected before continuing") + kCrLf +
           QStringLiteral("to change the TimeTable.");
}

bool BuildTeacherDays(const std::array<bool, 8>& boxes, int cycle, const std::array<QString, 8>& dayNames,
                      QString* codes, QString* count) {
    QString built;
    int n = 0;
    const int last = cycle != 0 ? 7 : 6;
    for (int d = 1; d <= last; ++d) {
        if (boxes[d]) {
            built += cycle != 0 ? dayNames[d].left(3) : QString::number(d);
            ++n;
        }
    }
    *codes = built;
    *count = QString::number(n);
    return n >= 1;
}

QString BuildTeacherQuery(const QString& cycleCodes, const QString& days, int cycle) {
    const int n = TeacherDayCount(days, cycleCodes, cycle);
    QString query;
    for (int k = 1; k <= n; ++k) {
        query += QStringLiteral("(((QLM.SchoolDay) = '") + CycleCode(cycleCodes, k, cycle) +
                 QStringLiteral("')) ");
        if (k < n) {
            query += QStringLiteral("Or ");
        }
    }
    return query;
}

QString UserStepProblem(const UserStepInput& input, const std::array<QString, 8>& dayNames) {
    const int teachers = input.TeacherNum == 2 ? 2 : 1;
    bool complete = true;
    for (int t = 1; t <= teachers; ++t) {
        QString codes;
        QString count;
        complete = complete && !input.Names[t].isEmpty() &&
                   BuildTeacherDays(input.Days[t], input.Cycle, dayNames, &codes, &count);
    }
    if (!complete) {
        return Lines({QStringLiteral("One or Both Teacher Names are blank."), QStringLiteral("   or"),
                      QStringLiteral("Scheduled Work Days information is incomplete.")}) +
               kCrLf + kCrLf;
    }
    bool anyWeekday = false;
    for (int d = 1; d <= 7; ++d) {
        anyWeekday = anyWeekday || input.Weekdays[d];
    }
    if (!anyWeekday) {
        return QStringLiteral("There are No Weekdays Selected.") + kCrLf + kCrLf;
    }
    if (input.Cycle == 1) {
        for (int d = 1; d <= 7; ++d) {
            if (!input.Weekdays[d] && (input.Days[1][d] || (teachers == 2 && input.Days[2][d]))) {
                return Lines({QStringLiteral("There are Scheduled Work Days that do not have"),
                              QStringLiteral("a corresponding Regular School Day.")}) +
                       kCrLf + kCrLf;
            }
        }
    }
    return QString();
}

QString UserProblemMessage(const QString& problem) {
    return problem + QStringLiteral("This must be corrected before continuing") + kCrLf +
           QStringLiteral("with the User Schedule Setup.");
}

QString WkDayFromTicks(const std::array<bool, 8>& weekdays, const std::array<QString, 8>& dayNames) {
    QString pattern;
    for (int d = 1; d <= 7; ++d) {
        pattern += weekdays[d] ? dayNames[d].left(3) : QStringLiteral("xxx");
    }
    return pattern;
}

SchoolYearProblem SchoolYearStepProblem(const std::array<QDate, 5>& termStart,
                                        const std::array<QDate, 5>& termEnd,
                                        const std::array<QDate, 21>& holidays, bool ignoreHolidays,
                                        bool ignoreInservices) {
    using Kind = SchoolYearProblem::Kind;
    int count = 0;
    for (int t = 1; t <= 4; ++t) {
        const bool start = !IsNoDate(termStart[t]);
        const bool end = !IsNoDate(termEnd[t]);
        if (start && end) {
            ++count;
            if (count != t) {
                return {Kind::Terms, QStringLiteral("All Terms must be Consecutive."), t};
            }
        } else if (start || end) {
            return {Kind::Terms, QStringLiteral("A Missing Start or End Date."), t};
        }
    }
    if (count == 0) {
        return {Kind::Terms, QStringLiteral("No Terms were selected."), 1};
    }
    for (int t = 1; t <= count; ++t) {
        if (termStart[t] >= termEnd[t]) {
            return {Kind::Terms,
                    Lines({QStringLiteral("The Start Term Date is the same as"),
                           QStringLiteral("or is past the End Term Date.")}),
                    t};
        }
    }
    for (int t = 1; t < count; ++t) {
        if (termStart[t] >= termStart[t + 1] || termEnd[t] >= termStart[t + 1]) {
            return {
                Kind::Terms,
                Lines({QStringLiteral("One Term Date Overlaps with"), QStringLiteral("another Term Date.")}),
                0};
        }
    }
    auto anyDate = [&holidays](int first) {
        for (int i = first; i < first + 10; ++i) {
            if (!IsNoDate(holidays[i])) {
                return true;
            }
        }
        return false;
    };
    if (!ignoreHolidays && !anyDate(1)) {
        return {Kind::Holidays, QStringLiteral("There are No Holiday Dates Selected."), 0};
    }
    if (!ignoreInservices && !anyDate(11)) {
        return {Kind::Inservices, QStringLiteral("There are No Inservice Dates Selected."), 0};
    }
    return {};
}

QString TermsProblemMessage(const QString& problem, int term) {
    QString text;
    if (term != 0) {
        text = QStringLiteral("The problem is with Term %1...").arg(term) + kCrLf + kCrLf;
    }
    return text + problem + kCrLf + kCrLf + QStringLiteral("This must be corrected before continuing") +
           kCrLf + QStringLiteral("with the School Year Dates Setup.");
}

QString HolidayProblemMessage(const QString& problem, bool inservice) {
    const QString kind = inservice ? QStringLiteral("Inservice") : QStringLiteral("Holiday");
    return problem + kCrLf + kCrLf + QStringLiteral("If you would like to continue Setup without any") +
           kCrLf + kind + QStringLiteral(" Date entries please select...") + kCrLf + kCrLf +
           QStringLiteral("'Ignore ") + kind + QStringLiteral(" Error Message if No Dates are Selected'") +
           kCrLf + kCrLf + QStringLiteral("which is located on the ") + kind + QStringLiteral("s tab.") +
           kCrLf;
}

qint32 GridColumnWidth(int gridCols, qint32 gridColWidth) {
    // The visible day columns share the width of seven design columns.
    const int cols = qBound(2, gridCols, 8);
    return CLng(double(8 - cols) * gridColWidth / (cols - 1) + gridColWidth);
}

qint32 GridColumnLeft(int column, qint32 gridLeft, qint32 width) {
    // Neighbouring columns overlap by 8 twips so that their borders coincide.
    return gridLeft + (column - 1) * (width - 8);
}

QString EmptyTimeTableMessage() {
    return Lines({QStringLiteral("The TimeTable appears to be empty."), QString(),
                  QStringLiteral("If you would like to continue Setup with"),
                  QStringLiteral("this TimeTable please select..."), QString(),
                  QStringLiteral("'Ignore an Empty TimeTable'"), QString(),
                  QStringLiteral("which is located below the TimeTable.")}) +
           kCrLf;
}

QList<QPair<QString, QString>> ReviewUserRows(int cycle, int teacherNum, const std::array<QString, 3>& names,
                                              const std::array<QString, 3>& codes,
                                              const std::array<QString, 3>& counts) {
    auto teacherRow = [&](int t) {
        QStringList days;
        const int n = TeacherDayCount(counts[t], codes[t], cycle);
        for (int j = 1; j <= n; ++j) {
            days << CycleCode(codes[t], j, cycle);
        }
        return qMakePair(names[t], days.join(QStringLiteral(", ")));
    };
    QList<QPair<QString, QString>> rows{{QStringLiteral("School Cycle"), cycle == 0
                                                                             ? QStringLiteral("6 Day Cycle")
                                                                             : QStringLiteral("Weekdays")},
                                        teacherRow(1)};
    if (teacherNum != 2) {
        rows.append({QStringLiteral("One Teacher"), QStringLiteral("No Log On Reguired")});
    } else {
        rows.append(teacherRow(2));
        rows.append({QStringLiteral("Two Teachers"), QStringLiteral("Log On Reguired")});
    }
    return rows;
}

QString ReviewWeekdays(const std::array<bool, 8>& weekdays, const std::array<QString, 8>& dayNames) {
    QStringList names;
    for (int d = 1; d <= 7; ++d) {
        if (weekdays[d]) {
            names << dayNames[d];
        }
    }
    return names.join(QStringLiteral(", "));
}

QString ReviewModeInfo(int mode, const QString& caption) {
    switch (mode) {
    case 1:
        return caption + QStringLiteral(" Mode allows ALL Lesson Plan Details and Notes entries") +
               QStringLiteral(" to be preserved. Only the DataBase Time and Subject areas") +
               QStringLiteral(" for the selected Term(s) or Date Range will be changed.");
    case 2:
        return caption + QStringLiteral(" Mode allows Lesson Plan Details and Notes entries") +
               QStringLiteral(" to be preserved dependent upon the changes that have been made.") +
               QStringLiteral(" School Year Date changes have the greatest impact since only") +
               QStringLiteral(" entries with common dates can be preserved.");
    default:
        return caption + QStringLiteral(" Mode does not allow Lesson Plan Details or Notes entries") +
               QStringLiteral(" to be preserved. All previous entries will be removed.");
    }
}

QPair<qint32, qint32> ReviewHolidayWidths(qint32 listWidth, int rows) {
    // Room for the scroll bar once the rows outgrow the list.
    const double half = listWidth / 2.0;
    return {CLng(half + 100), CLng(half - (rows >= 12 ? 300 : 100))};
}

QString SetupIncompleteMessage() {
    return Lines({QStringLiteral("Setup must be completed before you can"),
                  QStringLiteral("use the Quillmarsh program."), QString(),
                  QStringLiteral("If you exit now you will return to the Setup Dialog"),
                  QStringLiteral("the next time you start Quillmarsh, or you"),
                  QStringLiteral("can select 'Tools>Setup' from the Main Menu."), QString(),
                  QStringLiteral("Click 'Cancel to exit Setup now."),
                  QStringLiteral("Click 'OK' to continue with Setup.")});
}

QString SetupSuccessMessage(const QString& keptCopy) {
    const QString success =
        Lines({QStringLiteral("Your Database File has been successfully"),
               QStringLiteral("setup. You may begin to use the"), QStringLiteral("Quillmarsh program."),
               QString(), QStringLiteral("Try 'Help > Contents' for information"),
               QStringLiteral("on using the features of this program.")});
    return keptCopy.isEmpty() ? success : Lines({success, QString(), KeptCopyNotice(keptCopy)});
}

QString KeptCopyNotice(const QString& keptCopy) {
    return Lines({QStringLiteral("Your DataBase File as it was before this Setup,"),
                  QStringLiteral("with all its Lesson Plan Details and Notes, is kept"),
                  QStringLiteral("in the program folder as \"%1\".").arg(keptCopy),
                  QStringLiteral("File > DataBase Open opens it.")});
}
