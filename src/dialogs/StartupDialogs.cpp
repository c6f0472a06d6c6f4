#include "StartupDialogs.h"

#include "frmFirstUse.h"
#include "frmLogOn.h"
#include "frmSplash.h"
#include "widgets/TopLevelWindows.h"

#include <QEventLoop>
#include <QTimer>

#include <optional>

namespace {
int g_splashPause = 1200;
std::optional<int> g_logOnChoice;
bool g_welcomeAnswered = false;
int g_welcomeShown = 0;
} // namespace

void SetSplashPauseForTests(int milliseconds) {
    g_splashPause = milliseconds;
}

int SplashPause() {
    return g_splashPause;
}

void SetLogOnChoiceForTests(int teacher) {
    g_logOnChoice = teacher;
}

void ClearLogOnChoiceForTests() {
    g_logOnChoice.reset();
}

void SetWelcomeAnsweredForTests(bool answered) {
    g_welcomeAnswered = answered;
    g_welcomeShown = 0;
}

int WelcomeShownCount() {
    return g_welcomeShown;
}

void ShowSplashScreen() {
    frmSplash& splash = frmSplash::Get();
    splash.show();
    splash.raise();
    splash.activateWindow();
    splash.repaint();
}

void PauseOnSplash() {
    QEventLoop pause;
    QTimer::singleShot(g_splashPause, &pause, &QEventLoop::quit);
    if (frmSplash* splash = frmSplash::IfLoaded()) {
        QObject::connect(splash, &QObject::destroyed, &pause, &QEventLoop::quit);
    }
    pause.exec();
}

void UnloadSplashScreen() {
    frmSplash::Unload();
}

bool LogOnTeacher() {
    frmLogOn& window = frmLogOn::Get();
    if (g_logOnChoice) {
        if (*g_logOnChoice == 1 || *g_logOnChoice == 2) {
            window.lblName_Click(*g_logOnChoice);
        } else {
            window.cmdExit_Click();
        }
    } else {
        // At start-up in front of the splash, which stays up until the main window shows; at
        // log-off in front of the main window.
        KeepInFront(&window);
        window.exec();
    }
    const bool loggedOn = window.LoggedOn;
    frmLogOn::Unload();
    return loggedOn;
}

void ShowFirstUseWelcome() {
    frmFirstUse& window = frmFirstUse::Get();
    ++g_welcomeShown;
    if (g_welcomeAnswered) {
        window.OKButton_Click();
    } else {
        KeepInFrontOf(&window, FrontWindow());
        window.exec();
    }
    frmFirstUse::Unload();
}
