#include "DefaultPrinter.h"

#include "PrintSystem.h"
#include "core/ProgramState.h"
#include "ui/UiState.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <utility>

namespace {
// The helper's answers: a default printer, none, or a print system that did not answer.
const QByteArray kFound = "1";
const QByteArray kNotFound = "0";
const QByteArray kNotAnswering = "-";
// Followed by why: the print system is not installed, or not running.
const QByteArray kMissing = "missing ";
// The print system gave an answer that could not be read.
const QByteArray kUnreadable = "unreadable";

struct OpenQuestion {
    std::function<void()> answered;
    QString helper;
    QPointer<QProcess> asking;
};
OpenQuestion& Question() {
    static OpenQuestion question;
    return question;
}

void Answer(bool found) {
    Globals().DefaultPrinterFound = found;
    OpenQuestion& question = Question();
    if (QProcess* asking = question.asking) {
        question.asking = nullptr;
        asking->disconnect();
        if (asking->state() != QProcess::NotRunning) {
            // Ended and reaped here, so that no helper outlives its question.
            asking->kill();
            asking->waitForFinished(1000);
        }
        asking->deleteLater();
    }
    if (Ui().DefaultPrinterPending) {
        Ui().DefaultPrinterPending = false;
        if (const std::function<void()> answered = std::exchange(question.answered, {})) {
            answered();
        }
    }
}

// The helper's answer. A helper that gave none (it did not start, or it failed) leaves no
// printer known, and the print commands look again when given.
void HelperFinished(QProcess* asking) {
    if (asking != Question().asking) {
        return;
    }
    const QByteArray said = asking->readAllStandardOutput().trimmed();
    const bool normal = asking->exitStatus() == QProcess::NormalExit && asking->exitCode() == 0;
    NotePrintSystemAnswer(!(normal && said == kNotAnswering));
    NotePrintSystemMissing(normal && said.startsWith(kMissing) ? QString::fromUtf8(said.mid(kMissing.size()))
                                                               : QString());
    NotePrintSystemUnreadable(normal && said == kUnreadable);
    Answer(normal && said == kFound);
}

// A helper still asking when its time is over is ended: the printer is not known yet, and the
// print commands ask again when given.
void HelperTimedOut(QProcess* asking) {
    if (asking != Question().asking) {
        return;
    }
    NotePrintSystemAnswer(false);
    NotePrintSystemMissing(QString());
    NotePrintSystemUnreadable(false);
    Answer(false);
}

// The question is asked in this process when no helper is named, and with the test seam, whose
// printers live in this process only.
bool AskedHere() {
    return Question().helper.isEmpty() || PrinterTestSeam::Active();
}

void StartHelper() {
    OpenQuestion& question = Question();
    auto* asking = new QProcess(QCoreApplication::instance());
    question.asking = asking;
    QObject::connect(asking, &QProcess::finished, asking, [asking] { HelperFinished(asking); });
    QObject::connect(asking, &QProcess::errorOccurred, asking, [asking](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            HelperFinished(asking);
        }
    });
    QTimer::singleShot(PrintSystemWait(), asking, [asking] { HelperTimedOut(asking); });
    asking->setStandardErrorFile(QProcess::nullDevice());
    asking->start(question.helper, {QString::fromLatin1(DefaultPrinterQuestion)}, QIODevice::ReadOnly);
}

// Waits for the helper's answer, showing that the program waits, until the helper's own time or
// the command's is over.
void WaitForHelper() {
    WaitForPrintSystem([] { return Question().asking.isNull(); }, TimeLeftToAnswer());
    if (QProcess* asking = Question().asking) {
        HelperTimedOut(asking);
    }
}
} // namespace

std::optional<PrinterEntry> GetDefaultPrinter() {
    // The name and the list come from one answer.
    const PrintCommand command;
    std::optional<PrinterEntry> found;
    const QString name = DefaultPrinterName();
    if (!name.isEmpty()) {
        for (const PrinterEntry& printer : Printers()) {
            if (printer.DeviceName == name) {
                found = printer;
                break;
            }
        }
    }
    Answer(found.has_value());
    return found;
}

void AskDefaultPrinterLater(std::function<void()> answered) {
    OpenQuestion& question = Question();
    Ui().DefaultPrinterPending = true;
    question.answered = std::move(answered);
}

bool DefaultPrinterPending() {
    return Ui().DefaultPrinterPending;
}

void AskDefaultPrinterInBackground() {
    if (!Ui().DefaultPrinterPending || Question().asking) {
        return;
    }
    if (AskedHere()) {
        GetDefaultPrinter();
        return;
    }
    StartHelper();
}

void AnswerDefaultPrinterNow() {
    if (!DefaultPrinterPending()) {
        return;
    }
    if (!Question().asking) {
        if (AskedHere()) {
            GetDefaultPrinter();
            return;
        }
        StartHelper();
    }
    WaitForHelper();
}

void AskDefaultPrinterAgain() {
    if (DefaultPrinterPending() || Question().asking) {
        AnswerDefaultPrinterNow();
        return;
    }
    if (AskedHere()) {
        GetDefaultPrinter();
        return;
    }
    StartHelper();
    WaitForHelper();
}

void UseDefaultPrinterHelper(const QString& program) {
    Question().helper = program;
}

int AnswerDefaultPrinterQuestion(int& argc, char** argv) {
    if (!EndWithTheProgram()) {
        return 1;
    }
    QCoreApplication app(argc, argv);
    const bool found = GetDefaultPrinter().has_value();
    const QByteArray said = found                             ? kFound
                            : !PrintSystemMissing().isEmpty() ? kMissing + PrintSystemMissing().toUtf8()
                            : PrintSystemUnreadable()         ? kUnreadable
                            : PrintSystemAnswered()           ? kNotFound
                                                              : kNotAnswering;
    std::fputs((said + '\n').constData(), stdout);
    return 0;
}
