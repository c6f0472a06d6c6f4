#include "UiTestSupport.h"

#include "daypage/frmMain.h"
#include "daypage/frmSchedule.h"
#include "dialogs/StartupDialogs.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmFirstUse.h"
#include "dialogs/frmLogOn.h"
#include "dialogs/frmSplash.h"
#include "printing/Printer.h"
#include "ui/UiState.h"
#include "widgets/Help.h"
#include "widgets/Shell.h"

namespace {
void SetUp() {
    ClearRecordedHelpCalls();
    SetHelpRecordingForTests(true);
    SetShellRecordingForTests(true);
    SetSplashPauseForTests(0);
    ClearLogOnChoiceForTests();
    SetWelcomeAnsweredForTests(true);
    // No test reaches the computer's own printers; a test that prints brings its own.
    PrinterTestSeam::UseNoPrinters();
    ResetUi();
}

void TearDown() {
    frmAbout::Unload();
    frmFirstUse::Unload();
    frmLogOn::Unload();
    frmSplash::Unload();
    CloseHelpWindow();
    frmMain::Unload();
    frmSchedule::Unload();
    PrinterTestSeam::UseNoPrinters();
    ResetUi();
}
} // namespace

bool InstallUiTestHooks() {
    return TestEnvironment::SetInterfaceHooks(&SetUp, &TearDown);
}
