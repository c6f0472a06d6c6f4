#pragma once

#include <QList>
#include <QString>
#include <QUrl>

class QWidget;

// Help by context number. The help file's name stands for a folder "help" beside it, which
// holds one HTML page per context, named by its number ("200-subject.html"); the topic opens
// in the program's help window. Tests record the calls instead.
inline constexpr int HH_HELP_CONTEXT = 15;
// The contents page, shown for any context that has no topic of its own.
inline constexpr int kHelpContentsContext = 100;

struct HelpCall {
    QString helpFile;
    int command = 0;
    int context = 0;
};

void HtmlHelp(QWidget* owner, const QString& helpFile, int command, int context);
const QList<HelpCall>& RecordedHelpCalls();
void ClearRecordedHelpCalls();
// On: calls are only recorded. Off (as in the program): calls open the help window.
void SetHelpRecordingForTests(bool record);

// The folder of topics for a help file, and the page of a context: its own topic, else the
// contents page; empty when not even that is there.
QString HelpFolder(const QString& helpFile);
QString HelpTopicFile(const QString& helpFile, int context);

// The page the help window shows (empty while it is closed), and closing it.
QUrl ShownHelpPage();
QString ShownHelpTitle();
void CloseHelpWindow();
