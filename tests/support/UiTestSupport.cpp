#include "UiTestSupport.h"

#include "daypage/frmMain.h"
#include "daypage/frmSchedule.h"
#include "dialogs/StartupDialogs.h"
#include "ui/UiState.h"
#include "widgets/Help.h"
#include "widgets/Shell.h"

namespace {
void SetUp() {
    ClearRecordedHelpCalls();
    SetShellRecordingForTests(true);
    SetSplashPauseForTests(0);
    ClearLogOnChoiceForTests();
    ResetUi();
}

void TearDown() {
    frmMain::Unload();
    frmSchedule::Unload();
    ResetUi();
}
} // namespace

bool InstallUiTestHooks() {
    return TestEnvironment::SetInterfaceHooks(&SetUp, &TearDown);
}
