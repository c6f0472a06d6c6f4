#include "DefaultPrinter.h"

#include "core/ProgramState.h"

#include <utility>

namespace {
struct OpenQuestion {
    bool pending = false;
    std::function<void()> answered;
};
OpenQuestion& Question() {
    static OpenQuestion question;
    return question;
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
    Globals().DefaultPrinterFound = found.has_value();
    OpenQuestion& question = Question();
    if (question.pending) {
        question.pending = false;
        if (const std::function<void()> answered = std::exchange(question.answered, {})) {
            answered();
        }
    }
    return found;
}

void AskDefaultPrinterLater(std::function<void()> answered) {
    Question() = OpenQuestion{true, std::move(answered)};
}

bool DefaultPrinterPending() {
    return Question().pending;
}

void AnswerDefaultPrinterNow() {
    if (DefaultPrinterPending()) {
        GetDefaultPrinter();
    }
}
