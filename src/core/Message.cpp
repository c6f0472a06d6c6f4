#include "Message.h"

#include "ProgramState.h"

#include <QQueue>

namespace {
bool g_seamEnabled = false;
struct QueuedAnswer {
    int answer = 0;
    std::function<void()> whileShown;
};
QQueue<QueuedAnswer> g_answers;
QList<MessageTestSeam::ShownMessage> g_answered;
QList<MessageTestSeam::ShownMessage> g_unexpected;
MessageHandler g_handler;
} // namespace

namespace MessageTestSeam {
void Enable(bool enabled) {
    g_seamEnabled = enabled;
}
bool Enabled() {
    return g_seamEnabled;
}
void QueueAnswer(int answer) {
    g_answers.enqueue({answer, {}});
}
void QueueAnswer(int answer, std::function<void()> whileShown) {
    g_answers.enqueue({answer, std::move(whileShown)});
}
int QueuedAnswers() {
    return static_cast<int>(g_answers.size());
}
const QList<ShownMessage>& Answered() {
    return g_answered;
}
const QList<ShownMessage>& Unexpected() {
    return g_unexpected;
}
void Clear() {
    g_answers.clear();
    g_answered.clear();
    g_unexpected.clear();
}
} // namespace MessageTestSeam

QString ProductName() {
    return QStringLiteral("Quillmarsh");
}

void SetMessageHandler(MessageHandler handler) {
    g_handler = std::move(handler);
}

int ShowMessage(const QString& message, int buttons, int icon, const QString& title, qint32 helpContext) {
    if (g_seamEnabled) {
        const MessageTestSeam::ShownMessage shown{message, buttons, icon,
                                                  title.isEmpty() ? ProductName() : title, helpContext};
        if (g_answers.isEmpty()) {
            g_unexpected.append(shown);
            return MsgAnswerCancel;
        }
        g_answered.append(shown);
        const QueuedAnswer next = g_answers.dequeue();
        if (next.whileShown) {
            next.whileShown();
        }
        return next.answer;
    }
    // Without a window to ask, nobody agreed to anything.
    return g_handler ? g_handler(message, buttons, icon, title, helpContext) : MsgAnswerCancel;
}

void ReportDatabaseFailure(const QString& message) {
    ShowMessage(message, MsgOK, MsgAlert, Globals().AppTitle + QStringLiteral(" - DataBase"), 0);
}
