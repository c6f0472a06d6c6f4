#include "UiTestSupport.h"

#include "daypage/frmMain.h"
#include "daypage/frmSchedule.h"
#include "dialogs/StartupDialogs.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmFirstUse.h"
#include "dialogs/frmLogOn.h"
#include "dialogs/frmSplash.h"
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
    ResetUi();
}
} // namespace

bool InstallUiTestHooks() {
    return TestEnvironment::SetInterfaceHooks(&SetUp, &TearDown);
}
