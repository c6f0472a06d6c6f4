#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// Colours are stored as Windows BGR values (&H00BBGGRR). Values with the top bit set name
// system colours; the two the program uses map to the palette's button face and window
// background.
QColor ColorFromBgr(qint32 bgr);
qint32 BgrFromColor(const QColor& color);

class QWidget;

// A widget's back colour (its window and base) and fore colour (its text).
void SetBackColor(QWidget* widget, const QColor& back);
void SetForeColor(QWidget* widget, const QColor& fore);

// A font by the program's four settings. Fonts missing on this system ("MS Sans Serif") fall
// back to the desktop's sans-serif face.
QFont MakeFont(const QString& name, int pointSize, bool bold, bool italic);
