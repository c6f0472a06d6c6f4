#include "Help.h"

namespace {
QList<HelpCall> g_calls;
}

void HtmlHelp(QWidget* owner, const QString& helpFile, int command, int context) {
    Q_UNUSED(owner);
    g_calls.append(HelpCall{helpFile, command, context});
}

const QList<HelpCall>& RecordedHelpCalls() {
    return g_calls;
}

void ClearRecordedHelpCalls() {
    g_calls.clear();
}
