#include "Application.h"

#include "core/Message.h"
#include "core/ProgramState.h"

#include <QTimer>

#include <exception>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        report(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        report(QStringLiteral("an unknown error"));
    }
    return false;
}

void Application::report(const QString& what) {
    qWarning("Quillmarsh: an event handler failed: %s", qPrintable(what));
    if (m_reportPending) {
        return; // one message for a burst of failures
    }
    m_reportPending = true;
    // Not from inside the failed handler (it may have been painting): once the loop is free.
    QTimer::singleShot(0, this, [this, what] {
        m_reportPending = false;
        ShowMessage(QStringLiteral("The last action could not be completed (%1). Please check the day shown "
                                   "before you go on.")
                        .arg(what),
                    MsgOK, MsgWarning, Globals().AppTitle, 0);
    });
}
