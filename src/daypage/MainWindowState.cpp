#include "MainWindowState.h"

#include "EditCommands.h"
#include "core/ProgramState.h"
#include "core/TeacherCycle.h"
#include "core/TeacherSettings.h"
#include "frmSchedule.h"
#include "platform/DateText.h"
#include "platform/SettingsStore.h"
#include "ui/MainFrame.h"
#include "ui/UiState.h"
#include "widgets/Captions.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

namespace {
// The menu items that need a school year; Tools > Setup is among them only to be enabled.
QList<QAction*> DataMenuItems(const MainFrame& main) {
    return {main.mnuFPack,         main.mnuFUnPack,          main.mnuFOpen,    main.mnuFSaveAs,
            main.mnuFPrintPreview, main.mnuFPrint,           main.mnuFLogoff,  main.mnuECut,
            main.mnuECopy,         main.mnuEPaste,           main.mnuEErase,   main.mnuESelectAll,
            main.mnuEFindReplace,  main.mnuVCalendar,        main.mnuVNotes,   main.mnuVTimeTable,
            main.mnuVSchoolDays,   main.mnuVBothTeacherDays, main.mnuVToolBar, main.mnuTOptions};
}

void SetPressed(const MainFrame& main, const QString& key, bool pressed) {
    if (QAction* button = main.Button(key)) {
        button->setChecked(pressed);
    }
}

// A tool-bar button shown or hidden: its action, and so its place on the bar.
void SetButtonVisible(const MainFrame& main, const QString& key, bool visible) {
    if (QAction* button = main.Button(key)) {
        button->setVisible(visible);
    }
}
} // namespace

void UpdateTeacherInfo(MainFrame& main) {
    const ProgramState& g = Globals();
    const QString teacher = CaptionText(g.CurrentTeacherName);
    main.setWindowTitle(g.AppTitle + QStringLiteral(" - ") + teacher + QStringLiteral(" - ") +
                        g.DBaseFileName.mid(1));
    main.StatusPanel(QStringLiteral("TeacherName"))->setText(QStringLiteral("Teacher: ") + teacher);
    if (g.SetupUser == 0) {
        return;
    }
    if (g.Cycle != 0 && g.Cycle != 1) {
        return;
    }
    for (int t = 1; t <= g.TeacherNum && t <= 2; ++t) {
        QStringList codes;
        const int count = TeacherDayCount(g.TeacherDays[t], g.TeacherCycle[t], g.Cycle);
        for (int i = 1; i <= count; ++i) {
            codes << CycleCode(g.TeacherCycle[t], i, g.Cycle);
        }
        Ui().TeacherDayLists[t] = codes.join(QLatin1Char(','));
    }
}

void EnableDataCommands(frmSchedule& page) {
    const bool enabled = !Globals().BlankDataBase;
    page.cmdPrev->setEnabled(enabled);
    page.cmdNext->setEnabled(enabled);
    page.MonthView->setEnabled(enabled);
    MainFrame& main = page.MainWindow();
    for (const QString& key : MainFrame::ButtonKeys()) {
        main.Button(key)->setEnabled(enabled);
    }
    for (QAction* item : DataMenuItems(main)) {
        item->setEnabled(enabled);
    }
    if (enabled) {
        main.mnuTSetup->setEnabled(true);
    }
    EnablePrintCommands(main);
    // Undo follows its buffer alone, whatever else is switched on.
    UpdateUndoCommand();
    RefreshMainMenus(main);
}

void EnablePrintCommands(MainFrame& main) {
    const bool enabled = !Globals().BlankDataBase && !Ui().DefaultPrinterPending;
    for (QAction* item : {main.mnuFPrintPreview, main.mnuFPrint, main.Button(QStringLiteral("PrintPreview")),
                          main.Button(QStringLiteral("Print"))}) {
        item->setEnabled(enabled);
    }
}

void ShowPanelPositions(MainFrame& main) {
    const ProgramState& g = Globals();
    SetPressed(main, QStringLiteral("LowerLeft"), g.CalendarPosition != 1);
    SetPressed(main, QStringLiteral("LowerRight"), g.CalendarPosition == 1);
    SetPressed(main, QStringLiteral("Beside"), g.NotesPosition != 1);
    SetPressed(main, QStringLiteral("Opposite"), g.NotesPosition == 1);
}

void RefreshMainMenus(MainFrame& main) {
    ProgramState& g = Globals();
    UiState& ui = Ui();
    if (g.BlankDataBase) {
        return;
    }
    // 1. Pack To Go.
    const bool pack = g.PackRun == 1;
    for (QAction* item : {main.mnuFPack, main.mnuFUnPack, main.Button(QStringLiteral("Pack")),
                          main.Button(QStringLiteral("UnPack"))}) {
        item->setEnabled(pack);
    }
    // 2. Two teachers.
    const bool two = g.TeacherNum == 2;
    main.mnuFsep3->setVisible(two);
    main.mnuFLogoff->setVisible(two);
    main.mnuVBothTeacherDays->setVisible(two);
    SetButtonVisible(main, QStringLiteral("BothDays"), two);
    ui.MyPrefix = two ? QStringLiteral("My ") : QString();
    ui.OurPrefix = two ? QStringLiteral("Our ") : QString();
    // 3.
    main.mnuVBothTeacherDays->setChecked(g.BothTeacherDays);
    SetPressed(main, QStringLiteral("BothDays"), g.BothTeacherDays);
    ui.OwnerPrefix = g.BothTeacherDays ? ui.OurPrefix : ui.MyPrefix;
    // 4.
    main.mnuVCalendar->setChecked(g.CalendarShow);
    SetPressed(main, QStringLiteral("Calendar"), g.CalendarShow);
    main.mnuVNotes->setChecked(g.NotesShow);
    SetPressed(main, QStringLiteral("Notes"), g.NotesShow);
    // 5.-6.
    ShowPanelPositions(main);
    // 7. Timetable.
    const bool timetable = g.SetupTimeTable == 1;
    main.mnuVTimeTable->setEnabled(timetable);
    SetButtonVisible(main, QStringLiteral("TimeTable"), timetable);
    if (timetable) {
        main.mnuVTimeTable->setChecked(g.TimeTableShow);
        SetPressed(main, QStringLiteral("TimeTable"), g.TimeTableShow);
    }
    // 8. Tool bar.
    main.CoolBar->setVisible(g.ToolBarShow);
    main.mnuVToolBar->setChecked(g.ToolBarShow);
    main.mnuVToolBar->setText(g.ToolBarShow ? QStringLiteral("&ToolBar|#Check")
                                            : QStringLiteral("&ToolBar|#NotChecked"));
    // 9.
    main.StatusPanel(QStringLiteral("TeacherName"))
        ->setText(g.CurrentTeacherName.isEmpty()
                      ? QStringLiteral("   ")
                      : QStringLiteral("Teacher: ") + CaptionText(g.CurrentTeacherName));
    // 10. Pack To Go band: the date of the last pack, read again in case a pack just wrote it.
    QString band;
    if (g.PackRun != 0) {
        g.PackDate = ReadText(EffectsSection(), QStringLiteral("PackDate"));
        const QDateTime packed = TextToDateTime(g.PackDate);
        band = packed.isValid() ? QStringLiteral("Last Pack To Go: ") +
                                      FormatDateTime(packed, QStringLiteral("mmmm d, yyyy at h:mm AM/PM"))
                                : QStringLiteral("Last Pack To Go: Uknown");
    }
    main.CoolBarBand2->setText(band);
    // 11.
    ShowSchoolDaysState(main);
}

void ShowSchoolDaysState(MainFrame& main) {
    const ProgramState& g = Globals();
    const UiState& ui = Ui();
    main.mnuVSchoolDays->setChecked(g.SchoolDays);
    SetPressed(main, QStringLiteral("SchoolDays"), g.SchoolDays);
    const QString list = ui.TeacherDayLists[g.CurrentTeacher == 2 ? 2 : 1];
    QString text = ui.OwnerPrefix + QStringLiteral("School Days");
    if (!g.BothTeacherDays) {
        text += QStringLiteral(" (") + list + QLatin1Char(')');
    }
    if (!g.SchoolDays) {
        text += QStringLiteral(" and Weekends");
    }
    main.StatusPanel(QStringLiteral("SchoolDays"))->setText(text);
}
