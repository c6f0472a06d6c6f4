#include "SetupFinish.h"

#include "DayDatabase.h"
#include "Message.h"
#include "ProgramState.h"
#include "SetupRules.h"
#include "Startup.h"
#include "TeacherSettings.h"
#include "platform/DateText.h"
#include "platform/FileCopy.h"
#include "platform/FileIdentity.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"
#include "platform/SettingsStore.h"

#include <QRandomGenerator>

#include <limits>

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kDates = QStringLiteral("Settings\\Dates");
const QString kTimeTable = QStringLiteral("Settings\\TimeTable");
// The token of the last Finish, which the day table keeps too. It stays on this computer: Pack To
// Go carries other sections.
const QString kFinish = QStringLiteral("Settings\\Finish");
const QString kFinishToken = QStringLiteral("Token");
const QString kFinishOver = QStringLiteral("Over");

QString TokenText(quint32 token) {
    return QString::number(token, 16).toUpper();
}

QDate DateOrZero(const QDate& d) {
    return IsNoDate(d) ? ZeroDate() : d;
}

// The range end the rebuild and the settings get: the picker's date, or the one saved before.
QDate RangeEnd(const SetupValues& values, const ProgramState& g, int i) {
    return IsNoDate(values.PreserveRange[i]) ? g.PreserveRange[i] : values.PreserveRange[i];
}
} // namespace

RebuildRequest RebuildRequestFor(const SetupValues& values, const ProgramState& g) {
    RebuildRequest request;
    request.Calendar.Cycle = values.Cycle;
    request.Calendar.WkDay = values.WkDay;
    for (int t = 1; t <= 4; ++t) {
        request.Calendar.TermStart[t] = DateOrZero(values.TermStart[t]);
        request.Calendar.TermEnd[t] = DateOrZero(values.TermEnd[t]);
    }
    for (int i = 1; i <= 20; ++i) {
        request.Calendar.Holidays[i] = DateOrZero(values.Holidays[i]);
    }
    request.SchoolYearStart = SchoolYearStartOf(request.Calendar);
    request.SchoolYearEnd = SchoolYearEndOf(request.Calendar);
    request.TimeTable = values.TimeTable;
    request.Rules.SetupMode = values.SetupMode;
    request.Rules.PreserveMode = values.PreserveMode;
    request.Rules.PreserveTerms = values.PreserveTerms;
    request.Rules.PreserveRange = {RangeEnd(values, g, 0), RangeEnd(values, g, 1)};
    request.Rules.TermCount = values.TermCount;
    return request;
}

void ApplySetupValues(const SetupValues& values, ProgramState& g) {
    // Mode.
    g.SetupMode = values.SetupMode;
    g.PreserveMode = values.PreserveMode;
    g.PreserveTerms = values.PreserveTerms;
    g.PreserveRange = {RangeEnd(values, g, 0), RangeEnd(values, g, 1)};

    // Users.
    const int teachers = values.TeacherNum == 2 ? 2 : 1;
    bool named = true;
    for (int t = 1; t <= teachers; ++t) {
        named = named && !values.TeacherNames[t].isEmpty();
    }
    if (named) {
        for (int t = 1; t <= teachers; ++t) {
            g.TeacherNames[t] = values.TeacherNames[t];
            g.TeacherDays[t] = values.WorkDayCounts[t];
            g.TeacherCycle[t] = values.WorkDayCodes[t];
        }
        if (teachers == 1) {
            g.TeacherNames[2].clear();
            g.TeacherDays[2].clear();
            g.TeacherCycle[2].clear();
            g.TeacherQuery[2].clear();
            g.BothTeacherDays = false;
        }
    }
    g.SetupUser = 1;
    g.CurrentTeacher = 1;
    g.Cycle = values.Cycle;
    g.TeacherNum = values.TeacherNum;
    g.CurrentTeacherName = g.TeacherNames[1];
    for (int t = 1; t <= teachers; ++t) {
        g.TeacherQuery[t] = values.TeacherQuery[t];
        g.TeacherCriteria[t] = g.TeacherQuery[t];
    }

    // Timetable.
    g.WkDay = values.WkDay;
    g.SetupTimeTable = 1;
    g.IgnoreTimeTable = values.IgnoreTimeTable;

    // School-year dates.
    g.SetupDates = 1;
    g.SchoolYearStart = values.TermStart[1];
    for (int t = 1; t <= 4; ++t) {
        g.TermStart[t] = DateOrZero(values.TermStart[t]);
        g.TermEnd[t] = DateOrZero(values.TermEnd[t]);
        if (!IsNoDate(values.TermEnd[t])) {
            g.SchoolYearEnd = values.TermEnd[t];
        }
    }
    g.IgnoreHolidays = values.IgnoreHolidays;
    g.IgnoreInservices = values.IgnoreInservices;
    for (int i = 1; i <= 20; ++i) {
        g.Holidays[i] = DateOrZero(values.Holidays[i]);
    }
}

namespace {
// Where a Setup's settings go, each as its text: into the store, or only their names counted.
using SettingSink = std::function<void(const QString& section, const QString& key, const QString& text)>;

// The saves of SaveSetupSettings, inside the caller's batch. The body reads as the store's saves;
// these names hand each to put instead.
void WriteSetupSettings(const SetupValues& values, const ProgramState& g, const SettingSink& put) {
    const auto SaveText = [&put](const QString& section, const QString& key, const QString& text) {
        put(section, key, text);
    };
    const auto SaveInt = [&put](const QString& section, const QString& key, qint64 value) {
        put(section, key, QString::number(value));
    };
    const auto SaveBool = [&put](const QString& section, const QString& key, bool value) {
        put(section, key, BoolToText(value));
    };
    const auto SaveDate = [&put](const QString& section, const QString& key, const QDate& value) {
        put(section, key, DateToText(value));
    };

    // Mode.
    SaveInt(kSettings, QStringLiteral("SetupMode"), g.SetupMode);
    SaveInt(kSettings, QStringLiteral("PreserveMode"), g.PreserveMode);
    for (int t = 1; t <= 4; ++t) {
        SaveInt(kSettings, QStringLiteral("PreserveTerms%1").arg(t), g.PreserveTerms[t]);
    }
    if (!IsNoDate(values.PreserveRange[0])) {
        SaveDate(kSettings, QStringLiteral("PreserveRangeStart"), g.PreserveRange[0]);
    }
    if (!IsNoDate(values.PreserveRange[1])) {
        SaveDate(kSettings, QStringLiteral("PreserveRangeEnd"), g.PreserveRange[1]);
    }

    // Users.
    SaveInt(kTimeTable, QStringLiteral("Cycle"), g.Cycle);
    SaveBool(EffectsSection(g.CurrentTeacher), QStringLiteral("BothTeacherDays"), g.BothTeacherDays);
    SaveInt(kSettings, QStringLiteral("SetupUser"), g.SetupUser);
    SaveInt(kSettings, QStringLiteral("TeacherNum"), g.TeacherNum);
    for (int t = 1; t <= 2; ++t) {
        SaveText(kSettings, QStringLiteral("TeacherName%1").arg(t), g.TeacherNames[t]);
        SaveText(kSettings, QStringLiteral("TeacherDays%1").arg(t), g.TeacherDays[t]);
        SaveText(kSettings, QStringLiteral("TeacherCycle%1").arg(t), g.TeacherCycle[t]);
        SaveText(kSettings, QStringLiteral("TeacherQuery%1").arg(t), g.TeacherQuery[t]);
    }

    // Timetable.
    SaveText(kTimeTable, QStringLiteral("WkDay"), g.WkDay);
    SaveInt(kSettings, QStringLiteral("SetupTimeTable"), g.SetupTimeTable);
    SaveInt(kSettings, QStringLiteral("IgnoreTimeTable"), g.IgnoreTimeTable);
    for (int c = 1; c <= 7; ++c) {
        SaveText(kTimeTable, QStringLiteral("Header%1").arg(c), values.Headers[c]);
        for (int r = 1; r <= 12; ++r) {
            SaveText(kTimeTable, QStringLiteral("Time%1").arg(r), values.TimeTable.Time[r]);
            SaveText(kTimeTable, QStringLiteral("Subject%1%2").arg(c).arg(r), values.TimeTable.Subject[c][r]);
        }
    }

    // School-year dates; a date not used is written as the zero date's text.
    SaveInt(kSettings, QStringLiteral("SetupDates"), g.SetupDates);
    for (int t = 1; t <= 4; ++t) {
        SaveDate(kDates, QStringLiteral("TermStart%1").arg(t), g.TermStart[t]);
        SaveDate(kDates, QStringLiteral("TermEnd%1").arg(t), g.TermEnd[t]);
    }
    SaveInt(kSettings, QStringLiteral("IgnoreHolidays"), g.IgnoreHolidays);
    SaveInt(kSettings, QStringLiteral("IgnoreInservices"), g.IgnoreInservices);
    for (int i = 1; i <= 20; ++i) {
        SaveDate(kDates, QStringLiteral("Holidays%1").arg(i), g.Holidays[i]);
    }
}

void SaveToStore(const QString& section, const QString& key, const QString& text) {
    SaveText(section, key, text);
}

// What the settings file is now, to tell later whether it was written since. A file that is not
// there yet has a fingerprint too.
QString SettingsFileNow() {
    const QString path = SettingsStore::FilePath(AppKey);
    return FileExists(path) ? FileFingerprint(path) : QStringLiteral("none");
}

// The settings of a Finish left beside a settings file that has been written since: they join
// the settings saved in between, which stay. Only the Finish's own keys are taken: they describe
// the year the table holds. False when the settings file could not take them.
bool JoinFinishSettings(const SettingsStore::StagedValue& staged) {
    SetupValues every;
    every.PreserveRange = {QDate(2000, 1, 1), QDate(2000, 1, 1)}; // the keys written only with a date
    ProgramState g;
    ApplySetupValues(every, g);
    QList<QPair<QString, QString>> keys{{kFinish, kFinishToken}};
    WriteSetupSettings(every, g, [&keys](const QString& section, const QString& key, const QString&) {
        keys.append({section, key});
    });
    SettingsStore::BeginBatch();
    for (const auto& [section, key] : keys) {
        const QString value = staged(section, key);
        if (!value.isNull()) {
            SaveText(section, key, value);
        }
    }
    return SettingsStore::EndBatch();
}
} // namespace

bool SaveSetupSettings(const SetupValues& values, const ProgramState& g) {
    SettingsStore::BeginBatch();
    WriteSetupSettings(values, g, SaveToStore);
    return SettingsStore::EndBatch();
}

bool FinishSetup(const SetupValues& values, const std::function<void(RebuildStage)>& progress,
                 bool* settingsSaved, QString* keptCopy) {
    ProgramState& g = Globals();
    // The settings of this Finish are written beside the settings file before the table's
    // transaction commits, and put in place after it. Both carry one token, the table in its
    // user version, so that a start after a kill between the two can tell whether the staged
    // settings belong with the table.
    ProgramState next = g;
    ApplySetupValues(values, next);
    SettingsStore::PendingSave settings;
    const auto stageSettings = [&values, &next, &settings](QString* message) {
        Recordset& days = DayRecords();
        const std::optional<qint32> current = days.UserVersion();
        qint32 token = 0;
        while (current && (token == 0 || token == *current)) {
            token = QRandomGenerator::global()->bounded(1, std::numeric_limits<qint32>::max());
        }
        QString reason;
        if (token != 0) {
            SettingsStore::BeginBatch();
            WriteSetupSettings(values, next, SaveToStore);
            SaveText(kFinish, kFinishToken, TokenText(quint32(token)));
            // The file these settings are staged over: only that one may be replaced by them.
            SaveText(kFinish, kFinishOver, SettingsFileNow());
            if (SettingsStore::EndBatchPending(&settings, &reason, quint32(token)) &&
                days.SetUserVersion(token)) {
                return true;
            }
        }
        *message =
            QStringLiteral("The settings of this Setup could not be saved, so the DataBase File has "
                           "been left exactly as it was and nothing of this Setup was saved.\r\n\r\n") +
            (reason.isEmpty() ? days.LastError() : reason);
        return false;
    };
    QString kept;
    if (!RebuildDayTable(RebuildRequestFor(values, g), progress, stageSettings, &kept)) {
        return false;
    }
    if (keptCopy) {
        *keptCopy = kept;
    }
    QString reason;
    const bool saved = settings.Commit(&reason);
    if (settingsSaved) {
        *settingsSaved = saved;
    }
    if (!saved) {
        // The year is in the table, and its settings are in use and kept beside the settings
        // file: the program goes on with the new year, and the next start puts them in place.
        if (progress) {
            progress(RebuildStage::Failed);
        }
        ShowMessage(
            QStringLiteral("The school year was written into the DataBase File, but the settings "
                           "file could not be replaced with the settings of this Setup:\r\n\r\n") +
                reason +
                QStringLiteral("\r\n\r\nThe new settings are in use now. They are kept beside the "
                               "settings file, and go in its place with the next setting the program "
                               "saves, or else when the program starts again. Until then the settings "
                               "file still holds those of the earlier Setup.") +
                (kept.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + KeptCopyNotice(kept)),
            MsgOK, MsgWarning, g.AppTitle + QStringLiteral(" - Saving Settings"), 0);
    }
    ApplySetupValues(values, g);
    return true;
}

void SettleInterruptedFinish() {
    using SettingsStore::StagedSaveFate;
    const QStringList failures =
        SettingsStore::SettleStagedSaves(AppKey, [](quint32 token, const SettingsStore::StagedValue& staged) {
            // A later save of the settings file wrote these settings along already.
            if (ReadText(kFinish, kFinishToken) == TokenText(token)) {
                return StagedSaveFate::Drop;
            }
            // The table they belong with is the one they name. A book carried here from another
            // computer keeps that computer's token: it is compared, never assumed.
            QString name = staged(kSettings, QStringLiteral("DBaseFileName"));
            name = name.startsWith(QLatin1Char('\\')) ? name.mid(1) : name;
            if (!IsPlainDatabaseName(name)) {
                name = QStringLiteral("QLM.mdb");
            }
            const std::optional<qint32> table =
                ReadUserVersion(NativePath(ProgramFolder() + QLatin1Char('\\') + name));
            if (!table) {
                return StagedSaveFate::Leave; // the table cannot say now: a later start decides
            }
            if (quint32(*table) != token) {
                return StagedSaveFate::Drop;
            }
            // Settings saved since the staging (a start that could not open the book saves them
            // too) are never undone: the Finish's own settings join them instead.
            const QString over = staged(kFinish, kFinishOver);
            if (over.isEmpty() || over == SettingsFileNow()) {
                return StagedSaveFate::PutInPlace;
            }
            return JoinFinishSettings(staged) ? StagedSaveFate::Drop : StagedSaveFate::Leave;
        });
    if (!failures.isEmpty()) {
        ShowMessage(
            QStringLiteral("The settings of a Setup that was cut short could not be settled:\r\n\r\n") +
                failures.join(QStringLiteral("\r\n")),
            MsgOK, MsgWarning, QString(), 0); // before the title is known: the product's name
    }
}
