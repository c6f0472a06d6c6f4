#include "Startup.h"

#include "Message.h"
#include "PackTransfer.h"
#include "ProgramState.h"
#include "SetupFinish.h"
#include "platform/FileCopy.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kDates = QStringLiteral("Settings\\Dates");
const QString kTimeTable = QStringLiteral("Settings\\TimeTable");

const QString kSuppliedDatabase = QStringLiteral("\\QLM.mdb");

// The settings travel on a removable drive, so the name is input from outside: a plain file name
// of the program folder, with or without its leading backslash. Anything else is refused.
QString CheckedDatabaseName(const QString& stored) {
    const QString name = stored.startsWith(QLatin1Char('\\')) ? stored.mid(1) : stored;
    if (IsPlainDatabaseName(name)) {
        return QLatin1Char('\\') + name;
    }
    ShowMessage(
        QStringLiteral("The database file named in the settings, \"%1\", is not a file of the program "
                       "folder, so it is not opened.\r\n\r\nThe program's own database %2 is used instead.")
            .arg(stored.left(200), kSuppliedDatabase.mid(1)),
        MsgOK, MsgWarning, Globals().AppTitle + QStringLiteral(" - DataBase"), 0);
    return kSuppliedDatabase;
}

QString DayQuerySelectList() {
    QString list = QStringLiteral("SELECT QLM.Date, QLM.SchoolDay, ");
    for (int r = 1; r <= 12; ++r) {
        list += QStringLiteral("QLM.Time%1, QLM.Subject%1, QLM.Details%1, ").arg(r);
    }
    return list + QStringLiteral("QLM.Notes ");
}
} // namespace

bool IsPlainDatabaseName(const QString& name) {
    return !name.isEmpty() && name.size() <= 255 && name != QLatin1String(".") &&
           name != QLatin1String("..") && std::none_of(name.begin(), name.end(), [](QChar c) {
               return c == u'\\' || c == u'/' || c == u';' || c == u'"' ||
                      c.category() == QChar::Other_Control;
           });
}

void TidyAfterInterruptedSaves() {
    SettleInterruptedFinish();
    SettleInterruptedTakes();
    // A pack killed half-way left the copy it was making for the drive; no other copy of the
    // program runs in this folder now.
    const QDir folder(ProgramFolder());
    for (const QString& name :
         folder.entryList({QStringLiteral(".*.packing"), QStringLiteral(".*.packing-journal")},
                          QDir::Files | QDir::Hidden)) {
        QFile::remove(folder.filePath(name));
    }
    // A write follows a link to the file it names, and leaves its copies beside that file.
    const QFileInfo ini(FollowLinks(NativePath(ProgramFolder() + QStringLiteral("\\frmMain.ini"))));
    RemoveStaleCopies(ini.absolutePath(), ini.fileName());
}

void InitGlobals() {
    ProgramState& g = Globals();
    // The default printer (DefaultPrinterFound) is asked for by the interface, which knows the
    // printers, just before this.
    g.AppTitle = QStringLiteral("Quillmarsh");
    g.BlankDataBase = true;
    g.StartupDone = false;
    g.UnPackOffered = false;
    g.DBaseFileName =
        CheckedDatabaseName(ReadText(kSettings, QStringLiteral("DBaseFileName"), kSuppliedDatabase));
    g.ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + ProgramFolder() +
                         g.DBaseFileName + QStringLiteral(";Persist Security Info=False");
    g.HelpFile = ProgramFolder() + QStringLiteral("\\QLM.chm");
    g.FindText.clear();
    g.ReplaceText.clear();
    g.FindMatchCase = true;
    g.FindWholeWord = false;
    g.FindSearchArea = 2;
    g.FindRegion = 0;
    const QString select = DayQuerySelectList();
    g.DayTableSql = select + QStringLiteral("From QLM ");
    g.DayTableWithWeekendsSql = select + QStringLiteral("From QLM Where (((QLM.SchoolDay) = 'x')) Or ");
    g.DayTableWhereSql = select + QStringLiteral("From QLM Where ");
    g.MonthDateFormat = QStringLiteral("mmmm d, yyyy");
    g.ShortDateFormat = QStringLiteral("mmm d, yyyy");
    g.LongDateFormat = QStringLiteral("dddd - mmmm d, yyyy");
    g.DayNames = {QString(),
                  QStringLiteral("Sunday"),
                  QStringLiteral("Monday"),
                  QStringLiteral("Tuesday"),
                  QStringLiteral("Wednesday"),
                  QStringLiteral("Thursday"),
                  QStringLiteral("Friday"),
                  QStringLiteral("Saturday")};
    g.DefaultColourBack = {0xE6B36C, 0xF0D0A6, 0xE6B36C, 0xFAEDDC};
    g.DefaultColourFore = {0x913337, 0xFF0000, 0xA00000, 0x400040};
    g.DefaultFontName.fill(QStringLiteral("MS Sans Serif"));
    g.DefaultFontSize = {QStringLiteral("12"), QStringLiteral("8"), QStringLiteral("10")};
    g.DefaultFontBold.fill(true);
    g.DefaultFontItalic.fill(false);
    g.DefaultHolidayNames[1] = QStringLiteral("Thanksgiving Day");
    g.DefaultHolidayNames[2] = QStringLiteral("Remembrance Day");
    g.DefaultHolidayNames[3] = QStringLiteral("Christmas Day");
    g.DefaultHolidayNames[4] = QStringLiteral("Good Friday");
    g.DefaultHolidayNames[5] = QStringLiteral("Victoria Day");
    for (int i = 6; i <= 10; ++i) {
        g.DefaultHolidayNames[i] = QStringLiteral("Holiday %1").arg(i - 5);
    }
    for (int i = 11; i <= 20; ++i) {
        g.DefaultHolidayNames[i] = QStringLiteral("Inservice %1").arg(i - 10);
    }
}

int ComputeSetupComplete() {
    const ProgramState& g = Globals();
    return g.SetupUser == 1 && g.SetupDates == 1 && g.SetupTimeTable == 1 ? 1 : 0;
}

void ReadProgramSettings() {
    ProgramState& g = Globals();
    // The general settings and the teachers.
    g.RunStartup = ReadInt(kSettings, QStringLiteral("RunStartup"), 1);
    g.SetupMode = ReadInt(kSettings, QStringLiteral("SetupMode"), 0);
    g.PreserveMode = ReadInt(kSettings, QStringLiteral("PreserveMode"), 0);
    g.SetupUser = ReadInt(kSettings, QStringLiteral("SetupUser"), 0);
    g.SetupDates = ReadInt(kSettings, QStringLiteral("SetupDates"), 0);
    g.SetupTimeTable = ReadInt(kSettings, QStringLiteral("SetupTimeTable"), 0);
    g.IgnoreHolidays = ReadInt(kSettings, QStringLiteral("IgnoreHolidays"), 0);
    g.IgnoreInservices = ReadInt(kSettings, QStringLiteral("IgnoreInservices"), 0);
    g.IgnoreTimeTable = ReadInt(kSettings, QStringLiteral("IgnoreTimeTable"), 0);
    g.Cycle = ReadInt(kTimeTable, QStringLiteral("Cycle"), 0);
    g.WkDay = ReadText(kTimeTable, QStringLiteral("WkDay"), QStringLiteral("xxxMonTueWedThuFrixxx"));
    g.TeacherNum = ReadInt(kSettings, QStringLiteral("TeacherNum"), 1);
    for (int i = 1; i <= 2; ++i) {
        g.TeacherNames[i] = ReadText(kSettings, QStringLiteral("TeacherName%1").arg(i));
        g.TeacherDays[i] = ReadText(kSettings, QStringLiteral("TeacherDays%1").arg(i));
        g.TeacherCycle[i] = ReadText(kSettings, QStringLiteral("TeacherCycle%1").arg(i));
        g.TeacherQuery[i] = ReadText(kSettings, QStringLiteral("TeacherQuery%1").arg(i));
    }

    // A term is loaded only with both its start and its end.
    for (int i = 1; i <= 4; ++i) {
        const QDate end = ReadDate(kDates, QStringLiteral("TermEnd%1").arg(i));
        const QDate start = ReadDate(kDates, QStringLiteral("TermStart%1").arg(i));
        if (start.isValid() && end.isValid()) {
            g.TermStart[i] = start;
            g.TermEnd[i] = end;
        }
        g.PreserveTerms[i] = ReadInt(kSettings, QStringLiteral("PreserveTerms%1").arg(i), 0);
    }

    // The range of days a rebuild keeps.
    const QDate rangeStart = ReadDate(kSettings, QStringLiteral("PreserveRangeStart"));
    const QDate rangeEnd = ReadDate(kSettings, QStringLiteral("PreserveRangeEnd"));
    if (rangeStart.isValid() && rangeEnd.isValid()) {
        g.PreserveRange[0] = rangeStart;
        g.PreserveRange[1] = rangeEnd;
    }

    // Holidays and in-service days, with their names.
    for (int i = 1; i <= 20; ++i) {
        const QDate holiday = ReadDate(kDates, QStringLiteral("Holidays%1").arg(i));
        if (holiday.isValid()) {
            g.Holidays[i] = holiday;
        }
        g.HolidayNames[i] = ReadText(QStringLiteral("Settings\\HolidayNames"),
                                     QStringLiteral("HolidayName%1").arg(i), g.DefaultHolidayNames[i]);
    }
}
