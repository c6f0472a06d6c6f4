#pragma once

#include <QList>
#include <QString>

#include <functional>

// Every subsystem reports through the program's own message box. Core declares it; the
// interface installs the window that answers it, and tests answer from a queue.
// Yes, No and Cancel ask for one of three choices; Cancel is the default there. MsgDefaultSecond
// added to OK and Cancel or Yes and No makes the second answer the default, for a question whose
// first answer a stray Return must not give.
enum MsgButtons { MsgOK = 1, MsgOKCancel = 2, MsgYesNo = 3, MsgYesNoCancel = 4, MsgDefaultSecond = 256 };
enum MsgIcon { MsgInformation = 1, MsgQuestion = 2, MsgWarning = 3, MsgAlert = 4 };
enum MsgAnswer { MsgAnswerOK = 1, MsgAnswerCancel = 2, MsgAnswerYes = 6, MsgAnswerNo = 7 };

// An empty title gives the product name; helpContext 0 means no Help button. Answers 1 OK,
// 2 Cancel (or the window closed), 6 Yes, 7 No.
int ShowMessage(const QString& message, int buttons, int icon, const QString& title, qint32 helpContext);

using MessageHandler = std::function<int(const QString& message, int buttons, int icon, const QString& title,
                                         qint32 helpContext)>;
void SetMessageHandler(MessageHandler handler);

// The product name, which an empty title stands for.
QString ProductName();

// One report for every database file that could not be opened, read or written.
void ReportDatabaseFailure(const QString& message);

// Tests answer messages without a window: a queued answer is taken by the next message, and a
// message with no queued answer is recorded as unexpected (and answered 2) instead of shown.
namespace MessageTestSeam {
struct ShownMessage {
    QString text;
    int buttons = 0;
    int icon = 0;
    QString title;
    qint32 helpContext = 0;
};
void Enable(bool enabled);
bool Enabled();
void QueueAnswer(int answer);
// The answer comes after something has happened while the message was up (a drive pulled).
void QueueAnswer(int answer, std::function<void()> whileShown);
int QueuedAnswers();
const QList<ShownMessage>& Answered();
const QList<ShownMessage>& Unexpected();
void Clear();
} // namespace MessageTestSeam
