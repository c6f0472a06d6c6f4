#include "YearRebuild.h"

#include "CalendarRules.h"
#include "DayDatabase.h"
#include "Message.h"
#include "PackHistory.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"
#include "platform/RemovableDrives.h"
#include "platform/SettingsStore.h"

#include <QFile>

#include <algorithm>

namespace {
const QString kTimeTable = QStringLiteral("Settings\\TimeTable");

// The day table's fields by their place in the cursor, looked up once for a whole year.
struct DayFields {
    int date = -1;
    int schoolDay = -1;
    std::array<int, 12> time{};
    std::array<int, 12> subject{};
    std::array<int, 12> details{};
    int notes = -1;

    explicit DayFields(const Recordset& days) {
        date = days.FieldIndex(QStringLiteral("Date"));
        schoolDay = days.FieldIndex(QStringLiteral("SchoolDay"));
        for (int r = 0; r < 12; ++r) {
            time[r] = days.FieldIndex(QStringLiteral("Time%1").arg(r + 1));
            subject[r] = days.FieldIndex(QStringLiteral("Subject%1").arg(r + 1));
            details[r] = days.FieldIndex(QStringLiteral("Details%1").arg(r + 1));
        }
        notes = days.FieldIndex(QStringLiteral("Notes"));
    }
    bool complete() const {
        auto found = [](const std::array<int, 12>& fields) {
            return std::all_of(fields.begin(), fields.end(), [](int field) { return field >= 0; });
        };
        return date >= 0 && schoolDay >= 0 && notes >= 0 && found(time) && found(subject) && found(details);
    }
};

// A field that holds nothing reads as empty text; anything else as it stands.
QString Text(const Recordset& days, int field) {
    const QVariant value = days.FieldAt(field);
    return value.isNull() ? QString() : value.toString();
}

bool Put(Recordset& days, Recordset::RowKey row, int field, const QString& text) {
    return text.isEmpty() || days.SetValueAt(row, field, text);
}

bool IsDate(const QDate& d) {
    return d.isValid() && !IsZeroDate(d);
}

// The new year holds one record per date in order, so a date's record is found by its distance
// from the first; -1 when the year does not hold that date.
qint64 PlaceOf(const std::vector<DayValues>& year, const QDate& date) {
    if (year.empty() || !date.isValid()) {
        return -1;
    }
    const qint64 at = year.front().Date.daysTo(date);
    return at >= 0 && at < static_cast<qint64>(year.size()) ? at : -1;
}
} // namespace

TimeTableTexts ReadTimeTable() {
    TimeTableTexts timetable;
    for (int r = 1; r <= 12; ++r) {
        timetable.Time[r] = ReadText(kTimeTable, QStringLiteral("Time%1").arg(r));
        for (int c = 1; c <= 7; ++c) {
            timetable.Subject[c][r] = ReadText(kTimeTable, QStringLiteral("Subject%1%2").arg(c).arg(r));
        }
    }
    return timetable;
}

QDate SchoolYearStartOf(const SchoolCalendar& calendar) {
    return IsDate(calendar.TermStart[1]) ? calendar.TermStart[1] : QDate();
}

QDate SchoolYearEndOf(const SchoolCalendar& calendar) {
    QDate end;
    for (int t = 1; t <= 4; ++t) {
        if (IsDate(calendar.TermEnd[t])) {
            end = calendar.TermEnd[t];
        }
    }
    return end;
}

int TimeTableColumn(const QString& wkDay, const QDate& d) {
    const int slot = d.dayOfWeek() % 7; // Sunday is slot 0
    int column = 0;
    for (int s = 0; s <= slot; ++s) {
        column += wkDay.mid(s * 3, 3) != QLatin1String("xxx") ? 1 : 0;
    }
    return column;
}

void FillDayFromTimeTable(DayValues& day, const TimeTableTexts& timetable, int column) {
    const int c = qBound(1, column, 7);
    for (int r = 1; r <= 12; ++r) {
        day.Time[r - 1] = timetable.Time[r];
        day.Subject[r - 1] = timetable.Subject[c][r];
    }
}

void ClearDayTimeTable(DayValues& day) {
    day.Time.fill(QString());
    day.Subject.fill(QString());
}

std::vector<DayValues> ComputeSchoolYear(const SchoolCalendar& calendar, const QDate& start, const QDate& end,
                                         const TimeTableTexts& timetable) {
    std::vector<DayValues> year;
    if (!IsDate(start) || !IsDate(end) || end < start) {
        return year;
    }
    year.reserve(static_cast<size_t>(start.daysTo(end) + 1));
    int CycleDay = 0;
    for (QDate d = start; d <= end; d = d.addDays(1)) {
        DayValues day;
        day.Date = d;
        day.SchoolDay = QStringLiteral("x");
        if (SchoolTermOf(calendar, d) != 5 && !IsHoliday(calendar, d)) {
            if (IsSchoolWeekday(calendar, d) && calendar.Cycle == 0) {
                CycleDay = CycleDay == 6 ? 1 : CycleDay + 1;
                day.SchoolDay = QString::number(CycleDay);
                FillDayFromTimeTable(day, timetable, CycleDay);
            } else if (IsSchoolWeekday(calendar, d) && calendar.Cycle == 1) {
                day.SchoolDay = calendar.WkDay.mid((d.dayOfWeek() % 7) * 3, 3);
                FillDayFromTimeTable(day, timetable, TimeTableColumn(calendar.WkDay, d));
            } else {
                ClearDayTimeTable(day);
            }
        }
        year.push_back(std::move(day));
    }
    return year;
}

void PreserveDay(PreservedEntries& preserved, const DayValues& day) {
    ++preserved.PreservedCount;
    preserved.PreservedDate.push_back(day.Date);
    preserved.PreservedNotes.push_back(day.Notes);
    preserved.PreservedTime.push_back(day.Time);
    preserved.PreservedSubject.push_back(day.Subject);
    preserved.PreservedDetails.push_back(day.Details);
}

PreservedEntries SavePreservedEntries(Recordset& days) {
    PreservedEntries preserved;
    const DayFields f(days);
    for (bool on = days.MoveFirst(); on && !days.AtEOF(); on = days.MoveNext()) {
        if (!days.HasCurrentRow()) {
            continue;
        }
        DayValues entry;
        entry.Date = TextToDate(Text(days, f.date));
        entry.Notes = Text(days, f.notes);
        for (int r = 0; r < 12; ++r) {
            entry.Time[r] = Text(days, f.time[r]);
            entry.Subject[r] = Text(days, f.subject[r]);
            entry.Details[r] = Text(days, f.details[r]);
        }
        PreserveDay(preserved, entry);
    }
    days.MoveFirst();
    return preserved;
}

void RestoreDayEntries(std::vector<DayValues>& year, const PreservedEntries& preserved, int index,
                       bool keepTimeTable) {
    const size_t i = static_cast<size_t>(index);
    const qint64 at = PlaceOf(year, preserved.PreservedDate[i]);
    if (at < 0) {
        return;
    }
    DayValues& day = year[static_cast<size_t>(at)];
    day.Notes = preserved.PreservedNotes[i];
    day.Details = preserved.PreservedDetails[i];
    if (keepTimeTable) {
        day.Time = preserved.PreservedTime[i];
        day.Subject = preserved.PreservedSubject[i];
    }
}

void RestorePreservedEntries(std::vector<DayValues>& year, const PreservedEntries& preserved,
                             const SchoolCalendar& calendar, const PreserveRules& rules) {
    if (rules.SetupMode == 0) {
        return;
    }
    for (int i = 1; i <= preserved.PreservedCount; ++i) {
        const QDate date = preserved.PreservedDate[static_cast<size_t>(i)];
        bool keepTimeTable = false;
        if (rules.SetupMode == 1 && rules.PreserveMode == 1) {
            // The range takes the new timetable, both ends included.
            keepTimeTable = !(rules.PreserveRange[0] <= date && date <= rules.PreserveRange[1]);
        } else if (rules.SetupMode == 1) {
            const int term = SchoolTermOf(calendar, date);
            keepTimeTable = !(term <= rules.TermCount && term <= 4 && rules.PreserveTerms[term] == 1);
        }
        RestoreDayEntries(year, preserved, i, keepTimeTable);
    }
}

bool DropsEntries(const PreservedEntries& preserved, const std::vector<DayValues>& year,
                  const PreserveRules& rules) {
    for (size_t i = 1; i <= static_cast<size_t>(preserved.PreservedCount); ++i) {
        const auto& details = preserved.PreservedDetails[i];
        const bool entries =
            !preserved.PreservedNotes[i].isEmpty() ||
            std::any_of(details.begin(), details.end(), [](const QString& d) { return !d.isEmpty(); });
        if (entries && (rules.SetupMode == 0 || PlaceOf(year, preserved.PreservedDate[i]) < 0)) {
            return true;
        }
    }
    return false;
}

bool SetDayTableOrder() {
    Recordset& days = DayRecords();
    days.setCommandType(Recordset::CommandType::Text);
    days.setRecordSource(Globals().DayTableSql + QStringLiteral("ORDER BY QLM.Date;"));
    return days.Refresh();
}

bool WriteDayRecords(Recordset& days, const std::vector<DayValues>& year) {
    if (!DeleteDayRows(days)) {
        return false;
    }
    if (year.empty()) {
        return days.AddNew() && days.Update();
    }
    const DayFields f(days);
    for (const DayValues& day : year) {
        if (!days.AddNew()) {
            return false;
        }
        const Recordset::RowKey row = days.CurrentKey();
        bool ok = days.SetValueAt(row, f.date, DateToText(day.Date)) &&
                  Put(days, row, f.schoolDay, day.SchoolDay) && Put(days, row, f.notes, day.Notes);
        for (int r = 0; ok && r < 12; ++r) {
            ok = Put(days, row, f.time[r], day.Time[r]) && Put(days, row, f.subject[r], day.Subject[r]) &&
                 Put(days, row, f.details[r], day.Details[r]);
        }
        // Each row is stored as it is made, so a failure stops the rebuild at once.
        if (!ok || !days.StorePending()) {
            return false;
        }
    }
    return true;
}

bool RebuildDayTable(const RebuildRequest& request, const std::function<void(RebuildStage)>& progress,
                     const std::function<bool(QString* message)>& beforeCommit, QString* keptCopy) {
    ProgramState& g = Globals();
    Recordset& days = DayRecords();
    auto tell = [&progress](RebuildStage stage) {
        if (progress) {
            progress(stage);
        }
    };
    tell(RebuildStage::Writing);

    // What the teacher was looking at, to go back to it if the rebuild cannot be done.
    const Recordset::CommandType viewType = days.commandType();
    const QString viewSource = days.RecordSource();
    const QDate viewDate = TextToDate(days.Field(QStringLiteral("Date")).toString());
    const bool wasBlank = g.BlankDataBase;
    KeptCopy kept;
    auto fail = [&](const QString& reason, const QString& message = QString()) {
        days.RollbackTrans();
        // The book stays as it was: a copy of it would only be in the way.
        if (kept.ok) {
            QFile::remove(JoinPath(ProgramFolder(), kept.name));
        }
        g.BlankDataBase = wasBlank;
        days.setCommandType(viewType);
        days.setRecordSource(viewSource);
        if (days.Refresh() && viewDate.isValid()) {
            GoToDate(viewDate);
        }
        tell(RebuildStage::Failed);
        ShowMessage(
            !message.isEmpty()
                ? message
                : QStringLiteral("The school year could not be written into the DataBase File, so it has "
                                 "been left exactly as it was and nothing of this Setup was "
                                 "saved.\r\n\r\n") +
                      reason,
            MsgOK, MsgAlert, g.AppTitle + QStringLiteral(" - Writing DataBase"), 0);
        return false;
    };

    // The page's unsaved edit goes in first, on its own, so that it is among the kept entries.
    if (!days.StorePending() || !SetDayTableOrder()) {
        return fail(days.LastError());
    }
    if (!DayFields(days).complete()) {
        return fail(QStringLiteral("The table QLM of %1 does not hold every field of a day.")
                        .arg(days.DatabasePath()));
    }
    // A new year puts back no entry, but is read all the same: to know whether it loses any.
    const PreservedEntries preserved = SavePreservedEntries(days);
    std::vector<DayValues> year = ComputeSchoolYear(request.Calendar, request.SchoolYearStart,
                                                    request.SchoolYearEnd, request.TimeTable);
    // Entries the new year loses stay in a copy of the book as it is, which File > DataBase Open
    // opens. No write is open on the file while it is copied, so the copy is a whole book. Pack
    // To Go does not remember it, so never prunes it.
    if (DropsEntries(preserved, year, request.Rules)) {
        kept = days.InTransaction() ? KeptCopy{}
                                    : KeepCopyOf(days.DatabasePath(), g.DBaseFileName, Clock::Now());
        if (!kept.ok) {
            return fail(
                QString(),
                QStringLiteral("The Lesson Plan Details and Notes that this Setup would remove are first "
                               "kept in a copy of the DataBase File. That copy could not be made, so the "
                               "DataBase File has been left exactly as it was and nothing of this Setup "
                               "was saved.\r\n\r\n") +
                    (kept.reason.isEmpty() ? QStringLiteral("The DataBase File is in the middle of a change.")
                                           : kept.reason));
        }
    }
    if (request.Rules.SetupMode > 0) {
        tell(RebuildStage::Updating);
        RestorePreservedEntries(year, preserved, request.Calendar, request.Rules);
    }

    // The page stays idle while the rows are replaced.
    g.BlankDataBase = true;
    if (!days.BeginTrans()) {
        return fail(days.LastError());
    }
    if (!WriteDayRecords(days, year)) {
        return fail(days.LastError());
    }
    QString message;
    if (beforeCommit && !beforeCommit(&message)) {
        return fail(QString(), message);
    }
    if (!days.CommitTrans()) {
        return fail(days.LastError());
    }
    // One row is the blank table, even when it is a school year of one day.
    g.BlankDataBase = days.RecordCount() <= 1;
    if (keptCopy) {
        *keptCopy = kept.name;
    }
    return true;
}

RebuildRequest RebuildRequestFromSettings(const ProgramState& g) {
    RebuildRequest request;
    request.Calendar = g;
    request.SchoolYearStart = SchoolYearStartOf(g);
    request.SchoolYearEnd = SchoolYearEndOf(g);
    request.TimeTable = ReadTimeTable();
    request.Rules.SetupMode = g.SetupMode;
    request.Rules.PreserveMode = g.PreserveMode;
    request.Rules.PreserveTerms = g.PreserveTerms;
    request.Rules.PreserveRange = g.PreserveRange;
    for (int t = 1; t <= 4; ++t) {
        request.Rules.TermCount += IsDate(g.TermStart[t]) && IsDate(g.TermEnd[t]) ? 1 : 0;
    }
    return request;
}
