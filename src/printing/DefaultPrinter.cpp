#include "DefaultPrinter.h"

#include "core/ProgramState.h"
#include "ui/UiState.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProcess>

#include <cstdio>
#include <utility>

namespace {
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
        asking->kill();
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
    Answer(asking->exitStatus() == QProcess::NormalExit && asking->exitCode() == 0 && said == "1");
}
} // namespace

std::optional<PrinterEntry> GetDefaultPrinter() {
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
    OpenQuestion& question = Question();
    if (!Ui().DefaultPrinterPending || question.asking) {
        return;
    }
    // The test seam's printers live in this process only.
    if (question.helper.isEmpty() || PrinterTestSeam::Active()) {
        GetDefaultPrinter();
        return;
    }
    auto* asking = new QProcess(QCoreApplication::instance());
    question.asking = asking;
    QObject::connect(asking, &QProcess::finished, asking, [asking] { HelperFinished(asking); });
    QObject::connect(asking, &QProcess::errorOccurred, asking, [asking](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            HelperFinished(asking);
        }
    });
    asking->setStandardErrorFile(QProcess::nullDevice());
    asking->start(question.helper, {QString::fromLatin1(DefaultPrinterQuestion)}, QIODevice::ReadOnly);
}

void AnswerDefaultPrinterNow() {
    if (DefaultPrinterPending()) {
        GetDefaultPrinter();
    }
}

void UseDefaultPrinterHelper(const QString& program) {
    Question().helper = program;
}

int AnswerDefaultPrinterQuestion(int& argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool found = GetDefaultPrinter().has_value();
    std::fputs(found ? "1\n" : "0\n", stdout);
    return 0;
}
