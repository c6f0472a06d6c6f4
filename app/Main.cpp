#include "Main.h"

#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "core/RunAtStartup.h"
#include "core/Startup.h"
#include "core/TeacherSettings.h"
#include "daypage/Panels.h"
#include "daypage/TimeTableGrid.h"
#include "daypage/frmSchedule.h"
#include "dialogs/StartupDialogs.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/Rounding.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"
#include "printing/DefaultPrinter.h"
#include "printing/Printer.h"
#include "setup/frmSetup.h"
#include "ui/MainWindowState.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/TwipsGeometry.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstring>

namespace {
const QString kSettings = QStringLiteral("Settings");

// Asks for the default printer after the day page has been painted, from the event loop, so
// that the page is on screen first.
class AfterFirstPaint : public QObject {
public:
    explicit AfterFirstPaint(QWidget* page) : QObject(page) { page->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [] { AskDefaultPrinterInBackground(); });
            deleteLater();
        }
        return false;
    }
};

void AskDefaultPrinterOncePainted(QWidget* page) {
    new AfterFirstPaint(page);
    page->update(); // a page that shows no change would not paint again
}
} // namespace

void WireMainWindow() {
    MainFrame::SetLoader([]() -> MainFrame& { return frmMain::Get(); });
}

bool Main() {
    WireMainWindow();
    InstallKeyboardConventions();
    // 1. A second copy ends at once, silently. A lock that cannot be taken for another reason
    // is no reason to refuse the teacher their book: it is reported, and the program starts.
    switch (SingleInstance::Acquire()) {
    case SingleInstance::Result::HeldByRunningCopy:
        return false;
    case SingleInstance::Result::Failed:
        ShowMessage(
            SingleInstance::Error() +
                QStringLiteral("\r\n\r\nThe program starts all the same; please do not start it twice."),
            MsgOK, MsgWarning, QString(), 0);
        break;
    case SingleInstance::Result::Acquired:
        break;
    }
    ProgramState& g = Globals();
    SettingsStore::SetFailureReporter([](const QString& message) {
        ShowMessage(message, MsgOK, MsgWarning, Globals().AppTitle + QStringLiteral(" - Settings"), 0);
    });
    TidyAfterInterruptedSaves();

    // 2. The printers are the interface's to ask for, once the day page is on screen (the print
    // commands wait for the answer); the rest is core's. A print killed half-way left its job
    // file, which holds lesson content, in the temporary folder.
    RemoveStaleJobFiles();
    AskDefaultPrinterLater([] { UpdateMainCommands(); });
    InitGlobals();

    // 3.
    g.ShowSplash = ReadInt(kSettings, QStringLiteral("ShowSplash"), 1);
    const int firstUse = ReadInt(kSettings, QStringLiteral("FirstUse"), 0);

    // 4. The splash stays up for a short moment, and until the main window shows.
    if (g.ShowSplash == 1) {
        ShowSplashScreen();
        PauseOnSplash();
    }

    // 5.-8. The general settings and the school year.
    ReadProgramSettings();

    // 9.
    if (g.TeacherNum == 1) {
        g.CurrentTeacherName = g.TeacherNames[1];
        g.CurrentTeacher = 1;
    } else if (!LogOnTeacher()) {
        UnloadSplashScreen();
        return false; // closing the log-on ends the program
    }

    // 10.
    LoadTeacherSettings();

    // 11.
    UnloadSplashScreen();
    frmMain& main = frmMain::Get();
    main.ShowMaximizedAndSettle();
    frmSchedule& page = frmSchedule::Get();
    g.RowLabelWidth = CLng(TwWidth(page.lblRow[1]));

    // 12.
    g.SetupComplete = ComputeSetupComplete();

    if (firstUse != 0 && g.SetupComplete == 1) {
        // 13.
        for (int i = 1; i <= g.TeacherNum && i <= 2; ++i) {
            g.TeacherCriteria[i] = g.TeacherQuery[i];
        }
        OpenDayTable();
        GoToDate(Clock::Today());
    } else {
        // 14.
        if (firstUse == 0) {
            ShowFirstUseWelcome();
            g.RunStartup = 1;
            SaveText(kSettings, QStringLiteral("RunStartup"), QStringLiteral("1"));
            AddRunAtStartup();
            SaveText(kSettings, QStringLiteral("FirstUse"), QStringLiteral("1"));
        }
        g.TeacherCriteria[1].clear();
        g.TeacherCriteria[2].clear();
        OpenAllDays();
        ShowSetupWizard();
    }

    // 15.
    UpdateTeacherInfo(main);
    g.StartupDone = true;
    BuildTimeTableGrid(page);
    ShowTimeTableFrame(page);
    AskDefaultPrinterOncePainted(&page);
    return true;
}

bool RunAsHelper(int& argc, char** argv, int* exitCode) {
    if (argc == 2 && std::strcmp(argv[1], DefaultPrinterQuestion) == 0) {
        *exitCode = AnswerDefaultPrinterQuestion(argc, argv);
        return true;
    }
    if (argc >= 2 && std::strcmp(argv[1], HandOverCommand) == 0) {
        *exitCode = HandOverJobFromCommandLine(argc, argv);
        return true;
    }
    return false;
}
