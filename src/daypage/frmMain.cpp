#include "frmMain.h"

#include "MainWindowState.h"
#include "Panels.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "frmSchedule.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "widgets/Artwork.h"
#include "widgets/Colours.h"
#include "widgets/SystemMetrics.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

frmMain::frmMain() {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowIcon(Artwork::AppIcon());
    clientArea = new QWidget(this);
    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mdiClient = new QMdiArea(clientArea);
    mdiClient->setFrameShape(QFrame::NoFrame);
    mdiClient->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiClient->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(mdiClient);
    setCentralWidget(clientArea);

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFExit = mnuFile->addAction(QStringLiteral("E&xit"));
    connect(mnuFExit, &QAction::triggered, this, &frmMain::mnuFExit_Click);
    mnuView = menuBar()->addMenu(QStringLiteral("&View"));
    mnuVCalendar = mnuView->addAction(QStringLiteral("&Calendar"));
    mnuVNotes = mnuView->addAction(QStringLiteral("&Notes"));
    mnuVTimeTable = mnuView->addAction(QStringLiteral("&TimeTable"));
    for (QAction* item : {mnuVCalendar, mnuVNotes, mnuVTimeTable}) {
        item->setCheckable(true);
    }
    // The check marks follow the settings, not the click: the handlers set them.
    connect(mnuVCalendar, &QAction::triggered, this, &frmMain::mnuVCalendar_Click);
    connect(mnuVNotes, &QAction::triggered, this, &frmMain::mnuVNotes_Click);
    connect(mnuVTimeTable, &QAction::triggered, this, &frmMain::mnuVTimeTable_Click);
    mnuPopUpTime = new QMenu(this);
    mnuPopupSubject = new QMenu(this);
    mnuPopUpDetails = new QMenu(this);

    addStatusPanel(QStringLiteral("Date"), 0);
    addStatusPanel(QStringLiteral("Time"), 0);
    addStatusPanel(QStringLiteral("TeacherName"), 0);
    addStatusPanel(QStringLiteral("SchoolDays"), 1);
    m_clock = new QTimer(this);
    auto showTime = [this] {
        StatusPanel(QStringLiteral("Time"))
            ->setText(FormatDateTime(Clock::Now(), QStringLiteral("h:nn AM/PM")));
    };
    connect(m_clock, &QTimer::timeout, this, showTime);
    m_clock->start(1000);
    showTime();

    // Open on the whole screen, so the day page takes its width from it.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        resize(screen->availableGeometry().size());
    }
}

frmMain::~frmMain() {
    if (!m_unloaded) {
        MDIForm_Unload();
    }
}

void frmMain::ShowMaximizedAndSettle() {
    showMaximized();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 1000 && !(windowHandle() && windowHandle()->isExposed())) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmMain::addStatusPanel(const QString& key, int stretch) {
    auto* panel = new QLabel(this);
    panel->setObjectName(key);
    panel->setContentsMargins(6, 0, 6, 0);
    statusBar()->addPermanentWidget(panel, stretch);
    m_panels.insert(key, panel);
}

QLabel* frmMain::StatusPanel(const QString& key) const {
    return m_panels.value(key);
}

void frmMain::Form_Load() {
    MDIForm_Load();
}

void frmMain::Form_Unload() {
    MDIForm_Unload();
}

void frmMain::MDIForm_Load() {
    setWindowTitle(Globals().AppTitle);
    UpdateTeacherInfo(*this);
}

void frmMain::MDIForm_Unload() {
    m_unloaded = true;
    Globals().StartupDone = false;
    // The day page is the window's child: it closes with it, storing any pending edit.
    frmSchedule::Unload();
}

void frmMain::closeEvent(QCloseEvent* event) {
    storePendingEdits();
    event->accept();
    frmMain::Unload();
}

void frmMain::storePendingEdits() {
    // The day page is about to let go of the file: what the teacher wrote must reach it, or
    // they must know it did not. They may try again (another program may have let go of the
    // file by then) or leave without it.
    QString reason;
    while (!StorePendingDayEdits(&reason)) {
        const int answer = ShowMessage(
            QStringLiteral("The last changes to the day could not be saved.\r\n\r\n%1\r\n\r\nTry again? "
                           "Choose No to close without them.")
                .arg(reason),
            MsgYesNo, MsgWarning, Globals().AppTitle + QStringLiteral(" - DataBase"), 0);
        if (answer != MsgAnswerYes) {
            DiscardPendingDayEdits();
            return;
        }
    }
}

double frmMain::InnerWidthTw() const {
    return TwipsX(clientArea->width());
}

double frmMain::OuterWidthTw() const {
    // The frame's outer size as the window system would give it: the client area with the
    // sizing frame on each side.
    return TwipsX(width() + 2 * GetSystemMetrics(SM_CXFRAME));
}

double frmMain::OuterHeightTw() const {
    return TwipsY(height() + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION));
}

double frmMain::StatusBarHeightTw() const {
    return TwipsY(statusBar()->isVisible() ? statusBar()->height() : 0);
}

void frmMain::SetBackColour(qint32 bgr) {
    mdiClient->setBackground(ColorFromBgr(bgr));
}

void frmMain::mnuFExit_Click() {
    close();
}

namespace {
// A view toggle: flip the flag, save it at once, then let the panel procedure show or hide the
// panel and set the menu's check mark.
void ToggleView(bool& flag, const QString& key, void (*showPanel)(frmSchedule&)) {
    ProgramState& g = Globals();
    flag = !flag;
    SaveBool(QStringLiteral("Settings\\Effects%1").arg(g.CurrentTeacher), key, flag);
    showPanel(frmSchedule::Get());
}
} // namespace

void frmMain::mnuVCalendar_Click() {
    ToggleView(Globals().CalendarShow, QStringLiteral("CalendarShow"), &ShowCalendarFrame);
}

void frmMain::mnuVNotes_Click() {
    ToggleView(Globals().NotesShow, QStringLiteral("NotesShow"), &ShowNotesFrame);
}

void frmMain::mnuVTimeTable_Click() {
    ToggleView(Globals().TimeTableShow, QStringLiteral("TimeTableShow"), &ShowTimeTableFrame);
}
