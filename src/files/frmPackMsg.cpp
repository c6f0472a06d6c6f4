#include "frmPackMsg.h"

#include "core/ProgramState.h"
#include "platform/RemovableDrives.h"
#include "ui/OpenWindows.h"
#include "widgets/Colours.h"
#include "widgets/TopLevelWindows.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

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
    setFixedSize(360, 100);
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
