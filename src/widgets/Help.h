#pragma once

#include <QList>
#include <QString>

class QWidget;

// Help by context number. The help topics come with the help file; until then a call is
// recorded so that each dialog's Help can be checked.
inline constexpr int HH_HELP_CONTEXT = 15;

struct HelpCall {
    QString helpFile;
    int command = 0;
    int context = 0;
};

void HtmlHelp(QWidget* owner, const QString& helpFile, int command, int context);
const QList<HelpCall>& RecordedHelpCalls();
void ClearRecordedHelpCalls();
