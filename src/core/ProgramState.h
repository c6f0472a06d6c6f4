#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

#include "platform/FileIdentity.h"

#include <array>

// Colours are Windows BGR values (&H00BBGGRR); values with the top bit set name system colours.
using BgrColour = qint32;

// The school year's calendar, as Main loads it: what the calendar rules read.
struct SchoolCalendar {
    int Cycle = 0; // 0 six-day cycle, 1 weekday cycle
    QString WkDay; // seven three-letter slots, Sunday first; "xxx" is not taught
    std::array<QDate, 5> TermStart;
    std::array<QDate, 5> TermEnd;
    std::array<QDate, 21> Holidays; // 1..10 holidays, 11..20 in-service days
};

// The program-wide variables, under their own names: the settings, the school year and the
// teacher's style (the windows' own run-time state is the interface's). Arrays that the program
// numbers from 1 keep an unused element 0. Everything starts as zero, False or the empty text;
// InitGlobals, Main and LoadTeacherSettings give the first values.
struct ProgramState : SchoolCalendar {
    // Set by InitGlobals.
    QString AppTitle;
    bool BlankDataBase = false;
    bool StartupDone = false;
    bool UnPackOffered = false;
    QString DBaseFileName;
    QString ConnectionString;
    QString HelpFile;
    QString FindText;
    QString ReplaceText;
    bool FindMatchCase = false;
    bool FindWholeWord = false;
    int FindSearchArea = 0;
    int FindRegion = 0;
    QString DayTableSql;
    QString DayTableWithWeekendsSql;
    QString DayTableWhereSql;
    QString MonthDateFormat;
    QString ShortDateFormat;
    QString LongDateFormat;
    std::array<QString, 8> DayNames;
    std::array<BgrColour, 4> DefaultColourBack{};
    std::array<BgrColour, 4> DefaultColourFore{};
    std::array<QString, 3> DefaultFontName;
    std::array<QString, 3> DefaultFontSize;
    std::array<bool, 3> DefaultFontBold{};
    std::array<bool, 3> DefaultFontItalic{};
    std::array<QString, 21> DefaultHolidayNames;
    bool DefaultPrinterFound = false;

    // Read by Main from the settings store.
    int ShowSplash = 0;
    int RunStartup = 0;
    int SetupMode = 0;
    int PreserveMode = 0;
    int SetupUser = 0;
    int SetupDates = 0;
    int SetupTimeTable = 0;
    int IgnoreHolidays = 0;
    int IgnoreInservices = 0;
    int IgnoreTimeTable = 0;
    int TeacherNum = 0;
    std::array<QString, 3> TeacherNames;
    std::array<QString, 3> TeacherDays;
    std::array<QString, 3> TeacherCycle;
    std::array<QString, 3> TeacherQuery;
    std::array<int, 5> PreserveTerms{};
    std::array<QDate, 2> PreserveRange;
    std::array<QString, 21> HolidayNames;
    // The first and last day of the school year, as the set-up last built it.
    QDate SchoolYearStart;
    QDate SchoolYearEnd;

    // Derived by Main.
    int CurrentTeacher = 0;
    QString CurrentTeacherName;
    qint32 RowLabelWidth = 0;
    int SetupComplete = 0;
    std::array<QString, 3> TeacherCriteria;

    // Per-teacher settings ("Settings\Effects" & n), loaded by LoadTeacherSettings.
    int PackRun = 0;
    bool PackConfig = false;
    bool SchoolDays = false;
    bool BothTeacherDays = false;
    int BinderStyle = 0;
    bool CalendarShow = false;
    int CalendarPosition = 0;
    bool NotesShow = false;
    int NotesPosition = 0;
    bool TimeTableShow = false;
    qint32 TimeTableLeft = 0;
    qint32 TimeTableTop = 0;
    bool ToolBarShow = false;
    QString Scheme;
    int UseScheme = 0;
    int LastTab = 0;
    std::array<BgrColour, 4> ColourBack{};
    std::array<BgrColour, 4> ColourFore{};
    std::array<QString, 3> FontName;
    std::array<int, 3> FontSize{};
    std::array<bool, 3> FontBold{};
    std::array<bool, 3> FontItalic{};

    // Per-teacher menu settings ("Settings\Menu" & n).
    int MenuStyle = 0;
    int XPTheme = 0;
    int DTheme = 0;
    int GradientBar = 0;
    int Vertical = 0;
    int LumenleafColours = 0;
    BgrColour GradientLeftColour = 0;
    BgrColour GradientRightColour = 0;
    BgrColour XPRightBackColour = 0;
    BgrColour XPLeftBackColour = 0;
    BgrColour XPSelectedColour = 0;
    BgrColour XPAllColour = 0;
    BgrColour XPBarColour = 0;
    BgrColour XPRightBackColourUser = 0;
    BgrColour XPLeftBackColourUser = 0;
    BgrColour XPSelectedColourUser = 0;
    BgrColour XPAllColourUser = 0;
    BgrColour XPBarColourUser = 0;
    BgrColour TopColour = 0;
    BgrColour MiddleColour = 0;
    BgrColour BottomColour = 0;
    BgrColour TopColourUser = 0;
    BgrColour MiddleColourUser = 0;
    BgrColour BottomColourUser = 0;

    // The print settings of the teacher logged on ("Settings\Effects" & n), read and saved by the
    // print dialog, and what printing derives from them: the fonts of the heading and of the
    // time/subject lines, and the line width (twips) the printed day page was last wrapped at.
    int PrintItem = 0;        // 0 day page, 1 page range, 2 screen image, 3 timetable
    int PrintOrientation = 0; // 1 portrait, 2 landscape
    int PRFont = 0;           // 0 standard Arial fonts, 1 the day page's own
    qint32 MarginTop = 0;
    qint32 MarginBtm = 0;
    qint32 MarginLeft = 0;
    qint32 MarginRight = 0;
    bool PRNotes = false;
    bool ULHeading = false;
    bool ULTimeSubject = false;
    QString HeadFontName;
    int HeadFontSize = 0;
    bool HeadFontBold = false;
    bool HeadFontItalic = false;
    QString TSFontName;
    int TSFontSize = 0;
    bool TSFontBold = false;
    bool TSFontItalic = false;
    qint32 PrintLineWidth = 0;

    // The school calendar: the term that held the date last tested.
    int CurrentTerm = 0;

    // Pack To Go: the drive folder of this run (not saved), and the last pack; the menu INI file.
    QString PackPath;
    bool PackConfigOpen = false; // from the drive dialog's load until its OK succeeds
    QString PackDate;
    QString IniPath;
    // The removable drives of the last scan (1..10).
    std::array<QString, 11> PortableDrives;
    int PortableDriveCount = 0;
    // The volume each scanned root held: nothing is written under a root that no longer holds
    // it (the drive was unmounted and its mount point is an empty folder again, or another stick
    // was put in).
    std::array<VolumeId, 11> PortableDriveVolumes{};
};

ProgramState& Globals();
// Tests start each case from a clean state.
void ResetGlobals();
