#include "UiTestSupport.h"

#include "app/Main.h"
#include "daypage/frmSchedule.h"
#include "dialogs/StartupDialogs.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmFirstUse.h"
#include "dialogs/frmLogOn.h"
#include "dialogs/frmSplash.h"
#include "mainwindow/frmMain.h"
#include "printing/Printer.h"
#include "ui/UiState.h"
#include "widgets/Help.h"
#include "widgets/Shell.h"

#include <QImage>
#include <QWidget>
#include <QWindow>

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
    WireMainWindow(); // a test may build the day page before the main window
    return TestEnvironment::SetInterfaceHooks(&SetUp, &TearDown);
}

bool StaysInFrontOf(const QWidget* window, const QWidget* owner) {
    if (window == nullptr || owner == nullptr || !window->isWindow() || window->windowHandle() == nullptr) {
        return false;
    }
    const Qt::WindowType type = window->windowType();
    if (type != Qt::Dialog && type != Qt::Sheet && type != Qt::Tool) {
        return false; // a plain top-level window: the window manager does not stack it over its parent
    }
    const QWindow* wanted = owner->window()->windowHandle();
    for (const QWindow* parent = window->windowHandle()->transientParent(); parent != nullptr;
         parent = parent->transientParent()) {
        if (parent == wanted) {
            return true;
        }
    }
    return false;
}

bool ShowsFocusMark(QWidget* focused) {
    if (focused == nullptr || !focused->hasFocus()) {
        return false;
    }
    const QImage marked = focused->grab().toImage();
    focused->clearFocus();
    const QImage plain = focused->grab().toImage();
    focused->setFocus(Qt::OtherFocusReason);
    return marked != plain;
}
