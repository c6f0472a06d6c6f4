#include "Artwork.h"

#include <QPainter>

namespace Artwork {
namespace {
template <class Paint>
QPixmap Render(QSize logicalSize, qreal dpr, Paint paint) {
    QPixmap pixmap(logicalSize * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(logicalSize)));
    return pixmap;
}
} // namespace

void PaintMessageIcon(QPainter& painter, const QRectF& rect, int index) {
    painter.fillRect(rect, index == 4 ? Qt::red : Qt::blue);
}

void PaintBinder(QPainter& painter, const QRectF& rect, int style) {
    if (style != 4) {
        painter.fillRect(rect, Qt::gray);
    }
}

void PaintFoundMarker(QPainter& painter, const QRectF& rect, int which) {
    painter.fillRect(rect, which == 1 ? Qt::red : Qt::yellow);
}

void PaintDayArrow(QPainter& painter, const QRectF& rect, bool next, bool enabled) {
    Q_UNUSED(next);
    painter.fillRect(rect, enabled ? Qt::darkBlue : Qt::gray);
}

void PaintAppIcon(QPainter& painter, const QRectF& rect) {
    painter.fillRect(rect, Qt::darkCyan);
}

QPixmap RenderMessageIcon(int index, QSize logicalSize, qreal dpr) {
    return Render(logicalSize, dpr, [index](QPainter& p, const QRectF& r) { PaintMessageIcon(p, r, index); });
}

QPixmap RenderBinder(int style, QSize logicalSize, qreal dpr) {
    return Render(logicalSize, dpr, [style](QPainter& p, const QRectF& r) { PaintBinder(p, r, style); });
}

QPixmap RenderFoundMarker(int which, QSize logicalSize, qreal dpr) {
    return Render(logicalSize, dpr, [which](QPainter& p, const QRectF& r) { PaintFoundMarker(p, r, which); });
}

QPixmap RenderDayArrow(bool next, bool enabled, QSize logicalSize, qreal dpr) {
    return Render(logicalSize, dpr,
                  [next, enabled](QPainter& p, const QRectF& r) { PaintDayArrow(p, r, next, enabled); });
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(Render(QSize(size, size), 1.0, [](QPainter& p, const QRectF& r) { PaintAppIcon(p, r); }));
    }
    return icon;
}
} // namespace Artwork
