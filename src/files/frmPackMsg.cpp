#include "frmPackMsg.h"

#include "core/ProgramState.h"
#include "platform/RemovableDrives.h"
#include "ui/OpenWindows.h"
#include "widgets/Colours.h"
#include "widgets/TopLevelWindows.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kNarrowest = 360;
// The icon, the buttons and the margins of a title bar, in lines of its type (generous: the
// window system's type may be wider than ours).
constexpr int kTitleBarRoom = 10;
} // namespace

frmPackMsg::frmPackMsg() : QWidget(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    lblPackMsg = new QLabel(this);
    lblPackMsg->setObjectName(QStringLiteral("lblPackMsg"));
    lblPackMsg->setAlignment(Qt::AlignCenter);
    lblPackMsg->setAutoFillBackground(true);
    lblPackMsg->setMinimumSize(320, 60);
    lblPackMsg->setWordWrap(true);
    layout->addWidget(lblPackMsg);
    setFixedSize(kNarrowest, 100);
}

void frmPackMsg::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowTitleChange) {
        return;
    }
    // The window system draws the caption in its own bold type beside the window's icon and
    // buttons; the window leaves room for all of them, as far as the screen allows.
    QFont title = font();
    title.setBold(true);
    const QFontMetrics metrics(title);
    const int wanted = metrics.horizontalAdvance(windowTitle()) + kTitleBarRoom * metrics.height();
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const int widest = shown ? shown->availableGeometry().width() : wanted;
    setFixedWidth(std::clamp(wanted, kNarrowest, std::max(kNarrowest, widest)));
}

void frmPackMsg::Form_Load() {
    const ProgramState& g = Globals();
    setWindowTitle(PackDriveCaption());
    SetBackColor(lblPackMsg, ColorFromBgr(g.ColourBack[3]));
    RegisterOpenWindow(QStringLiteral("frmPackMsg"), [] { frmPackMsg::Unload(); });
}

void frmPackMsg::Form_Unload() {
    ForgetOpenWindow(QStringLiteral("frmPackMsg"));
    hide();
}

namespace {
// Counts what the window was given to show, so a timer closes only what it was set for.
quint64 g_shown = 0;
} // namespace

QString PackDriveCaption() {
    // The drive is named by its label, as the teacher knows it.
    return Globals().AppTitle + QStringLiteral(" - Pack To Go using Drive: ") +
           DriveLabelOf(Globals().PackPath);
}

void ShowPackMsg(const QString& caption, const QString& text) {
    ++g_shown;
    frmPackMsg& window = frmPackMsg::Get();
    if (!caption.isEmpty()) {
        window.setWindowTitle(caption);
    }
    window.lblPackMsg->setText(text);
    window.show();
    window.raise();
    // One pass of the event loop comes before the window system has mapped a new window: the
    // window is waited for, then painted at once, so that it shows its text during the work.
    SettleShown(&window);
    window.repaint();
}

void ShowPackMsgBriefly(const QString& caption, const QString& text, int milliseconds) {
    ShowPackMsg(caption, text);
    const quint64 shown = g_shown;
    QTimer::singleShot(milliseconds, &frmPackMsg::Get(), [shown] {
        if (g_shown == shown) {
            ClosePackMsg();
        }
    });
}

void ClosePackMsg() {
    frmPackMsg::Unload();
}
