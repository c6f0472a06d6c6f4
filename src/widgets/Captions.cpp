#include "Captions.h"

QString CaptionText(const QString& text, int limit) {
    if (text.size() <= limit) {
        return text;
    }
    return text.left(limit - 1) + QChar(0x2026); // an ellipsis
}
