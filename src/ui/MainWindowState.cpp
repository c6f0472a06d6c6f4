#include "MainWindowState.h"

#include "MainFrame.h"
#include "UiState.h"
#include "core/ProgramState.h"
#include "core/TeacherCycle.h"
#include "core/TeacherSettings.h"
#include "platform/DateText.h"
#include "platform/SettingsStore.h"
#include "widgets/Captions.h"

#include <QAction>
#include <QLabel>

namespace {
void ShowTeacherPanel(MainFrame& main, const QString& text) {
    ShowElided(main.StatusPanel(QStringLiteral("TeacherName")), text, ScreenShare(&main, 0.3));
}
} // namespace

void UpdateTeacherInfo(MainFrame& main) {
    const ProgramState& g = Globals();
    const QString teacher = CaptionText(g.CurrentTeacherName);
    main.setWindowTitle(g.AppTitle + QStringLiteral(" - ") + teacher + QStringLiteral(" - ") +
                        g.DBaseFileName.mid(1));
    ShowTeacherPanel(main, QStringLiteral("Teacher: ") + g.CurrentTeacherName);
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

void EnableDataCommands() {
    if (MainFrame* main = MainFrame::IfLoaded()) {
        RefreshMainMenus(*main);
    } else {
        UpdateMainCommands();
    }
}

void RefreshMainMenus(MainFrame& main) {
    ProgramState& g = Globals();
    UiState& ui = Ui();
    // Without a school year the texts keep what they showed; the commands still follow.
    if (g.BlankDataBase) {
        UpdateMainCommands();
        return;
    }
    const bool two = g.TeacherNum == 2;
    ui.MyPrefix = two ? QStringLiteral("My ") : QString();
    ui.OurPrefix = two ? QStringLiteral("Our ") : QString();
    ui.OwnerPrefix = g.BothTeacherDays ? ui.OurPrefix : ui.MyPrefix;
    main.CoolBar->setVisible(g.ToolBarShow);
    main.mnuVToolBar->setText(g.ToolBarShow ? QStringLiteral("&ToolBar|#Check")
                                            : QStringLiteral("&ToolBar|#NotChecked"));
    ShowTeacherPanel(main, g.CurrentTeacherName.isEmpty()
                               ? QStringLiteral("   ")
                               : QStringLiteral("Teacher: ") + g.CurrentTeacherName);
    // The Pack To Go band: the date of the last pack, read again in case a pack just wrote it.
    QString band;
    if (g.PackRun != 0) {
        g.PackDate = ReadText(EffectsSection(), QStringLiteral("PackDate"));
        const QDateTime packed = TextToDateTime(g.PackDate);
        band = packed.isValid() ? QStringLiteral("Last Pack To Go: ") +
                                      FormatDateTime(packed, QStringLiteral("mmmm d, yyyy at h:mm AM/PM"))
                                : QStringLiteral("Last Pack To Go: Uknown");
    }
    main.CoolBarBand2->setText(band);
    ShowSchoolDaysState(main);
}

void ShowSchoolDaysState(MainFrame& main) {
    const ProgramState& g = Globals();
    const UiState& ui = Ui();
    const QString list = ui.TeacherDayLists[g.CurrentTeacher == 2 ? 2 : 1];
    QString text = ui.OwnerPrefix + QStringLiteral("School Days");
    if (!g.BothTeacherDays) {
        text += QStringLiteral(" (") + list + QLatin1Char(')');
    }
    if (!g.SchoolDays) {
        text += QStringLiteral(" and Weekends");
    }
    main.StatusPanel(QStringLiteral("SchoolDays"))->setText(text);
    UpdateMainCommands();
}

MainCommandState CurrentCommandState() {
    const ProgramState& g = Globals();
    const UiState& ui = Ui();
    MainCommandState state;
    state.blankDataBase = g.BlankDataBase;
    state.locked = !ui.MainWindowHeldBy.isEmpty();
    state.printer = ui.DefaultPrinterPending ? PrinterState::Pending
                    : g.DefaultPrinterFound  ? PrinterState::Known
                                             : PrinterState::NotYetKnown;
    state.packToGo = g.PackRun == 1;
    state.undoAvailable = ui.UndoTop >= 0;
    state.editCommands = ui.EditCommandsOn;
    state.notesHeldByFind = ui.NotesHeldByFind;
    state.twoTeachers = g.TeacherNum == 2;
    state.timeTableSetUp = g.SetupTimeTable == 1;
    state.calendarShow = g.CalendarShow;
    state.notesShow = g.NotesShow;
    state.timeTableShow = g.TimeTableShow;
    state.schoolDays = g.SchoolDays;
    state.bothTeacherDays = g.BothTeacherDays;
    state.toolBarShow = g.ToolBarShow;
    state.calendarPosition = g.CalendarPosition;
    state.notesPosition = g.NotesPosition;
    return state;
}

void UpdateMainCommands() {
    MainFrame* main = MainFrame::IfLoaded();
    if (!main) {
        return;
    }
    const CommandLooks looks = ComputeMainCommands(CurrentCommandState());
    for (auto look = looks.cbegin(); look != looks.cend(); ++look) {
        if (QAction* command = main->Command(look.key())) {
            command->setVisible(look->visible);
            command->setEnabled(look->enabled);
            if (command->isCheckable()) {
                command->setChecked(look->checked);
            }
        } else if (QWidget* control = main->CommandControl(look.key())) {
            control->setEnabled(look->enabled);
        }
    }
}

void HoldMainWindow(const QString& window, bool hold) {
    QStringList& holders = Ui().MainWindowHeldBy;
    holders.removeAll(window);
    if (hold) {
        holders << window;
    }
    UpdateMainCommands();
}
