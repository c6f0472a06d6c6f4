#pragma once

#include <QString>

// Text from the settings shown in a title or a label is cut to a length a window can show: a
// settings file may hold a name of any length.
inline constexpr int kCaptionLimit = 120;
QString CaptionText(const QString& text, int limit = kCaptionLimit);
