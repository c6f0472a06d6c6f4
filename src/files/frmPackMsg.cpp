#include "frmPackMsg.h"

#include "core/ProgramState.h"
#include "ui/OpenWindows.h"
#include "widgets/Colours.h"

#include <QApplication>
#include <QLabel>
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
    // The drive packed to, as far as a name of two characters can say it.
    setWindowTitle(g.AppTitle + QStringLiteral(" - Pack To Go using Drive: ") + g.PackPath.left(2));
    SetBackColor(lblPackMsg, ColorFromBgr(g.ColourBack[3]));
    RegisterOpenWindow(QStringLiteral("frmPackMsg"), [] { frmPackMsg::Unload(); });
}

void frmPackMsg::Form_Unload() {
    ForgetOpenWindow(QStringLiteral("frmPackMsg"));
    hide();
}

void ShowPackMsg(const QString& caption, const QString& text) {
    frmPackMsg& window = frmPackMsg::Get();
    if (!caption.isEmpty()) {
        window.setWindowTitle(caption);
    }
    window.lblPackMsg->setText(text);
    window.show();
    window.raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ClosePackMsg() {
    frmPackMsg::Unload();
}
