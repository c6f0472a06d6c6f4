#include "StartupDialogs.h"

#include "core/Message.h"
#include "core/ProgramState.h"
#include "widgets/Artwork.h"
#include "widgets/Captions.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace {
QPointer<QWidget> g_splash;
int g_splashPause = 1200;
std::optional<int> g_logOnChoice;

QString VersionText() {
    return QStringLiteral("Version %1.%2").arg(QLM_VERSION_MAJOR).arg(QLM_VERSION_MINOR);
}
} // namespace

void SetSplashPauseForTests(int milliseconds) {
    g_splashPause = milliseconds;
}

void SetLogOnChoiceForTests(int teacher) {
    g_logOnChoice = teacher;
}

void ClearLogOnChoiceForTests() {
    g_logOnChoice.reset();
}

int SplashPause() {
    return g_splashPause;
}

void ShowSplashScreen() {
    auto* splash = new QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(splash);
    auto* title = new QLabel(QStringLiteral("Quillmarsh"), splash);
    QFont big = title->font();
    big.setPointSize(28);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title, 0, Qt::AlignCenter);
    layout->addWidget(new QLabel(VersionText(), splash), 0, Qt::AlignCenter);
    splash->resize(360, 160);
    splash->show();
    splash->repaint();
    g_splash = splash;
}

void UnloadSplashScreen() {
    if (g_splash) {
        g_splash->close();
    }
}

bool LogOnTeacher() {
    ProgramState& g = Globals();
    if (g_logOnChoice) {
        const int chosen = *g_logOnChoice;
        if (chosen != 1 && chosen != 2) {
            return false;
        }
        g.CurrentTeacher = chosen;
        g.CurrentTeacherName = g.TeacherNames[chosen];
        return true;
    }
    QDialog dialog;
    dialog.setWindowTitle(g.AppTitle + QStringLiteral(" - Log On  "));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Click your name to Log On..."), &dialog));
    int chosen = 0;
    for (int i = 1; i <= 2; ++i) {
        auto* name = new QPushButton(CaptionText(g.TeacherNames[i]), &dialog);
        QObject::connect(name, &QPushButton::clicked, &dialog, [&dialog, &chosen, i] {
            chosen = i;
            dialog.accept();
        });
        layout->addWidget(name);
    }
    auto* exitButton = new QPushButton(QStringLiteral("Exit Program"), &dialog);
    QObject::connect(exitButton, &QPushButton::clicked, &dialog, &QDialog::reject);
    layout->addWidget(exitButton);
    dialog.exec();
    if (chosen == 0) {
        return false;
    }
    g.CurrentTeacher = chosen;
    g.CurrentTeacherName = g.TeacherNames[chosen];
    return true;
}

void ShowFirstUseWelcome() {
    const ProgramState& g = Globals();
    ShowMessage(
        QStringLiteral("Welcome to Quillmarsh.\r\n\r\nAfter clicking OK you will be presented with the "
                       "Setup Dialog where you must enter the name of the Teacher(s) who will use this "
                       "program, the type of School Day Cycle, and the School Days you are responsible "
                       "to teach.\r\n\r\nThis message will not appear again after clicking OK."),
        MsgOK, MsgInformation, g.AppTitle + QStringLiteral(" - First Time Use  "), 0);
}
