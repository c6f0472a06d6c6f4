#include "CommandIcons.h"

#include <QPainter>
#include <QPixmap>

namespace Artwork {
QStringList MenuIconKeys() {
    return {QStringLiteral("Pack"),       QStringLiteral("UnPack"),       QStringLiteral("Open"),
            QStringLiteral("SaveAs"),     QStringLiteral("PrintPreview"), QStringLiteral("Print"),
            QStringLiteral("LogOff"),     QStringLiteral("Exit"),         QStringLiteral("Undo"),
            QStringLiteral("Cut"),        QStringLiteral("Copy"),         QStringLiteral("Paste"),
            QStringLiteral("Erase"),      QStringLiteral("SelectAll"),    QStringLiteral("Find"),
            QStringLiteral("Calendar"),   QStringLiteral("Notes"),        QStringLiteral("TimeTable"),
            QStringLiteral("SchoolDays"), QStringLiteral("BothDays"),     QStringLiteral("Setup"),
            QStringLiteral("Options"),    QStringLiteral("Check"),        QStringLiteral("Magnify"),
            QStringLiteral("NotChecked"), QStringLiteral("Help"),         QStringLiteral("Tips"),
            QStringLiteral("About"),      QStringLiteral("Update")};
}

void PaintCommandIcon(QPainter& painter, const QRectF& rect, const QString& key, bool enabled) {
    if (key.isEmpty() || rect.isEmpty()) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = enabled ? QColor(0x2f, 0x5f, 0x9f) : QColor(0xa0, 0xa0, 0xa0);
    painter.setPen(QPen(ink, rect.width() / 16.0));
    painter.setBrush(enabled ? QColor(0xe8, 0xf0, 0xfb) : QColor(0xf0, 0xf0, 0xf0));
    painter.drawRoundedRect(rect.adjusted(1, 1, -1, -1), rect.width() / 6.0, rect.height() / 6.0);
    QFont font = painter.font();
    font.setPixelSize(qMax(6, int(rect.height() * 0.5)));
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(rect, Qt::AlignCenter, key.left(2));
    painter.restore();
}

namespace {
QIcon IconOf(const QString& key, bool enabled) {
    QIcon icon;
    for (int size : {16, 22, 32, 44}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        PaintCommandIcon(painter, QRectF(0, 0, size, size), key, enabled);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
} // namespace

QIcon MenuIcon(const QString& key) {
    return IconOf(key, true);
}

QIcon ToolbarIcon(const QString& key, bool enabled) {
    return IconOf(key, enabled);
}
} // namespace Artwork
