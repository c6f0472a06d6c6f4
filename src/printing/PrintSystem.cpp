#include "PrintSystem.h"

#include "PrintInProgress.h"
#include "ui/MainFrame.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;

std::chrono::milliseconds g_wait = kPrintSystemWait;
bool g_answered = true;
QString g_missing;
bool g_unreadable = false;
std::optional<Clock::time_point> g_silentSince;
int g_commandDepth = 0;
quint64 g_commands = 0;
Clock::time_point g_commandDeadline;

// A worker ends at its deadline by itself; it is waited for a little longer, so that one that is
// late by a hair is not abandoned.
constexpr std::chrono::milliseconds kWorkerGrace{500};
// The note tells of a wait that lasts this long; a print system that answers at once
// shows nothing.
constexpr qint64 kNoticeableWaitMs = 300;

// A busy pointer for the whole wait, and a note over the main window once it is noticeable. The
// helper that answers for the default printer has no windows and shows nothing.
class ShowingTheWait {
public:
    ShowingTheWait() : m_windows(qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        if (m_windows) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    }
    ~ShowingTheWait() {
        delete m_note;
        if (m_windows) {
            QApplication::restoreOverrideCursor();
        }
    }
    ShowingTheWait(const ShowingTheWait&) = delete;
    ShowingTheWait& operator=(const ShowingTheWait&) = delete;

    void Noticeable() {
        MainFrame* main = m_windows ? MainFrame::IfLoaded() : nullptr;
        if (!main || m_note || !main->isVisible()) {
            return;
        }
        m_note = new QLabel(QStringLiteral("Waiting for the print system (CUPS) to answer..."), main);
        m_note->setObjectName(QStringLiteral("printSystemWait"));
        m_note->setFrameShape(QFrame::Box);
        m_note->setAutoFillBackground(true);
        m_note->setContentsMargins(16, 10, 16, 10);
        m_note->adjustSize();
        m_note->move((main->width() - m_note->width()) / 2, (main->height() - m_note->height()) / 2);
        m_note->show();
        m_note->raise();
    }

private:
    bool m_windows;
    QPointer<QLabel> m_note;
};
} // namespace

std::chrono::milliseconds PrintSystemWait() {
    return g_wait;
}

int PrintSystemExchange::MillisecondsLeft() const {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline() - Clock::now());
    return left.count() > 1 ? static_cast<int>(left.count()) : 1;
}

void PrintSystemExchange::NoteAnswer() {
    if (m_silence.count() > 0) {
        m_deadline = (Clock::now() + m_silence).time_since_epoch().count();
    }
}

PrintCommand::PrintCommand() {
    if (g_commandDepth++ == 0) {
        ++g_commands;
        g_commandDeadline = Clock::now() + PrintSystemWait();
    }
}

PrintCommand::~PrintCommand() {
    --g_commandDepth;
}

quint64 PrintCommand::Running() {
    return g_commandDepth > 0 ? g_commands : 0;
}

Clock::time_point QuestionDeadline() {
    return g_commandDepth > 0 ? g_commandDeadline : Clock::now() + PrintSystemWait();
}

std::chrono::milliseconds TimeLeftToAnswer() {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(QuestionDeadline() - Clock::now());
    return std::max(left, std::chrono::milliseconds(0));
}

bool AskPrintSystem(const std::function<void(PrintSystemExchange&)>& ask, Clock::time_point deadline,
                    std::chrono::milliseconds silence) {
    if (deadline <= Clock::now()) {
        return false; // the command has waited all it may
    }
    auto exchange = std::make_shared<PrintSystemExchange>(deadline, silence);
    auto ended = std::make_shared<std::atomic<bool>>(false);
    try {
        std::thread([exchange, ended, ask] {
            ask(*exchange);
            *ended = true;
        }).detach();
    } catch (const std::system_error&) {
        return false; // no thread to ask in: nothing was asked
    }
    if (!WaitForPrintSystem([&ended] { return ended->load(); },
                            [exchange] { return exchange->Deadline() + kWorkerGrace; })) {
        exchange->Abandon();
        return false;
    }
    return !exchange->TimedOut();
}

bool WaitForPrintSystem(const std::function<bool()>& done, std::chrono::milliseconds bound) {
    const Clock::time_point until = Clock::now() + bound;
    return WaitForPrintSystem(done, [until] { return until; });
}

bool WaitForPrintSystem(const std::function<bool()>& done, const std::function<Clock::time_point()>& until) {
    if (done()) {
        return true;
    }
    const PrintInProgress inProgress;
    ShowingTheWait showing;
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer look;
    look.setInterval(10);
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done() || Clock::now() >= until()) {
            loop.quit();
        } else if (clock.elapsed() >= kNoticeableWaitMs) {
            showing.Noticeable();
        }
    });
    look.start();
    loop.exec();
    return done();
}

bool PrintSystemAnswered() {
    return g_answered;
}

bool PrintSystemRecentlySilent() {
    return g_silentSince && Clock::now() - *g_silentSince < PrintSystemWait();
}

void NotePrintSystemAnswer(bool answered) {
    g_answered = answered;
    if (answered) {
        g_silentSince.reset();
    } else {
        g_silentSince = Clock::now();
    }
}

QString PrintSystemMissing() {
    return g_missing;
}

void NotePrintSystemMissing(const QString& why) {
    g_missing = why;
}

bool PrintSystemUnreadable() {
    return g_unreadable;
}

void NotePrintSystemUnreadable(bool unreadable) {
    g_unreadable = unreadable;
}

bool EndWithTheProgram() {
    const pid_t program = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != program) {
        return false;
    }
    PutOffTheHelpersEnd();
    return true;
}

void PutOffTheHelpersEnd() {
    ::alarm(unsigned(2 * std::chrono::ceil<std::chrono::seconds>(PrintSystemWait()).count()));
}

QString PrintSystemNotAnsweringText() {
    return QStringLiteral("The print system (CUPS) is not answering: it gave no answer within %1 seconds.")
        .arg(QLocale().toString(PrintSystemWait().count() / 1000.0));
}

QString PrintSystemUnreadableText() {
    return QStringLiteral("The print system (CUPS) gave an answer that this program cannot read");
}

namespace PrinterTestSeam {
void SetAnswerWait(std::chrono::milliseconds wait) {
    g_wait = wait;
    NotePrintSystemAnswer(true);
    NotePrintSystemMissing(QString());
    NotePrintSystemUnreadable(false);
}
} // namespace PrinterTestSeam
