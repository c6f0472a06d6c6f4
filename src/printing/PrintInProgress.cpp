#include "PrintInProgress.h"

#include "core/Message.h"
#include "core/ProgramState.h"
#include "ui/MainFrame.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace {
int g_depth = 0;
bool g_closeWanted = false;

bool IsInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::NativeGesture:
        return true;
    default:
        return false;
    }
}

// Drops the teacher's input, except to a message the print itself shows.
class InputDropper : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!IsInput(event->type())) {
            return false;
        }
        const QWidget* modal = QApplication::activeModalWidget();
        const auto* widget = qobject_cast<const QWidget*>(watched);
        const QWindow* window = widget ? nullptr : qobject_cast<const QWindow*>(watched);
        if (modal && ((widget && modal->isAncestorOf(widget)) || widget == modal ||
                      (window && window == modal->windowHandle()))) {
            return false;
        }
        event->accept();
        return true;
    }
};
InputDropper* g_dropper = nullptr;

// The close comes from the main event loop, once no print runs and no message is up.
void CloseWhenIdle() {
    QTimer::singleShot(50, qApp, [] {
        if (!g_closeWanted) {
            return;
        }
        if (PrintInProgress::Active() || QApplication::activeModalWidget()) {
            CloseWhenIdle();
            return;
        }
        g_closeWanted = false;
        if (MainFrame* main = MainFrame::IfLoaded()) {
            main->close();
        }
    });
}
} // namespace

PrintInProgress::PrintInProgress() {
    if (g_depth++ == 0 && qobject_cast<QApplication*>(QCoreApplication::instance())) {
        g_dropper = new InputDropper;
        qApp->installEventFilter(g_dropper);
    }
}

PrintInProgress::~PrintInProgress() {
    if (--g_depth > 0 || !g_dropper) {
        return;
    }
    // Input that came while the print kept the event loop busy goes now, not afterwards.
    ++g_depth;
    QCoreApplication::processEvents();
    --g_depth;
    delete g_dropper;
    g_dropper = nullptr;
    if (g_closeWanted) {
        CloseWhenIdle();
    }
}

bool PrintInProgress::Active() {
    return g_depth > 0;
}

bool KeepCloseUntilPrintStops() {
    if (!PrintInProgress::Active()) {
        return false;
    }
    g_closeWanted = true;
    return true;
}

bool GoOnPrinting() {
    if (!g_closeWanted) {
        return true;
    }
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = ShowMessage(
        QStringLiteral("Quillmarsh is printing.\r\n\r\nStop the print now and close Quillmarsh? Choose No to "
                       "go on printing and leave Quillmarsh open."),
        MsgYesNo | MsgDefaultSecond, MsgQuestion, Globals().AppTitle + QStringLiteral(" - Print"), 0);
    QApplication::restoreOverrideCursor();
    if (answer == MsgAnswerYes) {
        return false;
    }
    g_closeWanted = false;
    return true;
}
