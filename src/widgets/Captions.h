#pragma once

#include <QString>

class QFontMetrics;
class QGroupBox;
class QLabel;
class QWidget;

// Text from the settings shown in a title or a label is cut to a length a window can show: a
// settings file may hold a name of any length.
inline constexpr int kCaptionLimit = 120;
QString CaptionText(const QString& text, int limit = kCaptionLimit);

// A name the teacher set, of any length, in a label or a frame's title: cut with an ellipsis to
// the width the window gives it, and never to more than `widest` pixels, so that the name cannot
// widen its window; the whole name is its tooltip when it is cut.
void ShowElided(QLabel* label, const QString& text, int widest);
void ShowElided(QGroupBox* box, const QString& title, int widest);

// A share of the width of the screen `widget` is on, in pixels: room for a name, whatever the
// screen.
int ScreenShare(const QWidget* widget, double share);

// Each word of `text` wider than `width` pixels, cut in its middle to that width: a file name
// keeps its start and its extension.
QString ElideLongWords(const QString& text, const QFontMetrics& metrics, int width);

// A text of any length as a tooltip, wrapped to lines that fit the screen.
QString WrappedToolTip(const QString& text);
