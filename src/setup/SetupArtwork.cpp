#include "SetupArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace SetupArtwork {
namespace {
QPen Stroke(const QColor& color, qreal width) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The step icons share one body: a rounded tile with a soft shadow, a vertical gradient of the
// step's colour and a sheen on its upper half.
void Tile(QPainter& painter, const QColor& top, const QColor& bottom) {
    const QRectF body(2, 2, 28, 28);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 45));
    painter.drawRoundedRect(body.translated(0, 1), 6, 6);
    QLinearGradient fill(0, body.top(), 0, body.bottom());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.setBrush(fill);
    painter.setPen(Stroke(bottom.darker(135), 1));
    painter.drawRoundedRect(body, 6, 6);
    QLinearGradient sheen(0, body.top(), 0, body.center().y());
    sheen.setColorAt(0, QColor(255, 255, 255, 110));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sheen);
    painter.drawRoundedRect(QRectF(3, 3, 26, 13), 5, 5);
}

// Step 1: a signpost, the road taken.
void ModeIcon(QPainter& painter) {
    Tile(painter, QColor(0x7F, 0xB8, 0xF5), QColor(0x1F, 0x5F, 0xB8));
    painter.setPen(Stroke(Qt::white, 2.4));
    painter.drawLine(QPointF(16, 8), QPointF(16, 26));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    QPainterPath right;
    right.addPolygon(QPolygonF({{9, 8.5}, {21.5, 8.5}, {25, 11.5}, {21.5, 14.5}, {9, 14.5}}));
    painter.drawPath(right);
    painter.setBrush(QColor(255, 255, 255, 200));
    QPainterPath left;
    left.addPolygon(QPolygonF({{23, 16}, {10.5, 16}, {7, 19}, {10.5, 22}, {23, 22}}));
    painter.drawPath(left);
}

// Step 2: two people who share a class.
void UsersIcon(QPainter& painter) {
    Tile(painter, QColor(0x8F, 0xDB, 0x8A), QColor(0x2E, 0x8B, 0x3A));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 190));
    painter.drawEllipse(QPointF(20.5, 11.5), 3.6, 3.6);
    painter.drawChord(QRectF(14, 15.5, 13, 12), 0, 180 * 16);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(12.5, 12.5), 4.1, 4.1);
    painter.drawChord(QRectF(5, 17, 15, 13), 0, 180 * 16);
}

// Step 3: a calendar page.
void DatesIcon(QPainter& painter) {
    Tile(painter, QColor(0xFF, 0xC8, 0x6E), QColor(0xD9, 0x6A, 0x10));
    const QRectF page(7, 8.5, 18, 16.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(page, 2, 2);
    painter.setBrush(QColor(0xC6, 0x3B, 0x1B));
    painter.drawRoundedRect(QRectF(7, 8.5, 18, 5), 2, 2);
    painter.drawRect(QRectF(7, 11, 18, 2.5));
    painter.setBrush(QColor(0x6B, 0x4A, 0x2A));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            painter.drawRect(QRectF(9 + col * 3.8, 15.5 + row * 3, 2.2, 1.8));
        }
    }
    painter.setPen(Stroke(QColor(0x55, 0x55, 0x55), 1.4));
    painter.drawLine(QPointF(11, 6.5), QPointF(11, 10));
    painter.drawLine(QPointF(21, 6.5), QPointF(21, 10));
}

// Step 4: the timetable grid.
void TimeTableIcon(QPainter& painter) {
    Tile(painter, QColor(0xC7, 0x9B, 0xF0), QColor(0x6A, 0x35, 0xB0));
    const QRectF grid(7, 8, 18, 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(grid);
    painter.setBrush(QColor(0xE6, 0xD6, 0xFA));
    painter.drawRect(QRectF(7, 8, 5, 16));
    painter.setPen(Stroke(QColor(0x6A, 0x35, 0xB0), 0.9));
    for (qreal y : {12.0, 16.0, 20.0}) {
        painter.drawLine(QPointF(7, y), QPointF(25, y));
    }
    for (qreal x : {12.0, 16.5, 21.0}) {
        painter.drawLine(QPointF(x, 8), QPointF(x, 24));
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(grid);
}

// Step 5: a clipboard with its list checked.
void ReviewIcon(QPainter& painter) {
    Tile(painter, QColor(0x7E, 0xDD, 0xD8), QColor(0x16, 0x86, 0x88));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x8A, 0x5A, 0x2C));
    painter.drawRoundedRect(QRectF(8, 7, 16, 19.5), 2, 2);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(9.5, 9, 13, 16));
    painter.setBrush(QColor(0xB0, 0xB0, 0xB0));
    painter.drawRoundedRect(QRectF(12.5, 5.5, 7, 3.5), 1.2, 1.2);
    painter.setPen(Stroke(QColor(0x16, 0x86, 0x88), 1.5));
    for (int i = 0; i < 3; ++i) {
        const qreal y = 12.5 + i * 4.2;
        painter.drawLine(QPointF(11, y), QPointF(12.3, y + 1.2));
        painter.drawLine(QPointF(12.3, y + 1.2), QPointF(14.2, y - 1.2));
        painter.drawLine(QPointF(15.8, y), QPointF(21, y));
    }
}

// The status pictures: a round badge with a white sign.
void Badge(QPainter& painter, const QColor& top, const QColor& bottom) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawEllipse(QPointF(16, 16.8), 13, 13);
    QLinearGradient fill(0, 3, 0, 29);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.setBrush(fill);
    painter.setPen(Stroke(bottom.darker(140), 1));
    painter.drawEllipse(QPointF(16, 16), 13, 13);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 70));
    painter.drawEllipse(QRectF(7, 4.5, 18, 10));
}

void CompleteIcon(QPainter& painter) {
    Badge(painter, QColor(0x6E, 0xD8, 0x6A), QColor(0x1E, 0x8C, 0x2B));
    QPainterPath tick;
    tick.moveTo(9.5, 16.5);
    tick.lineTo(14, 21);
    tick.lineTo(22.5, 11);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(Qt::white, 3.4));
    painter.drawPath(tick);
}

void IncompleteIcon(QPainter& painter) {
    Badge(painter, QColor(0xFF, 0xD2, 0x5C), QColor(0xE0, 0x8A, 0x00));
    // Three dots: the step still waits for something.
    painter.setBrush(Qt::white);
    for (qreal x : {10.5, 16.0, 21.5}) {
        painter.drawEllipse(QPointF(x, 16.3), 2.2, 2.2);
    }
}

void ChangedIcon(QPainter& painter) {
    Badge(painter, QColor(0x7C, 0xB6, 0xFF), QColor(0x1B, 0x5E, 0xC9));
    // A pencil, writing.
    painter.save();
    painter.translate(16, 16);
    painter.rotate(-45);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(-7.5, -2.3, 11.5, 4.6));
    QPainterPath point;
    point.addPolygon(QPolygonF({{4.6, -2.3}, {8.8, 0}, {4.6, 2.3}}));
    painter.drawPath(point);
    painter.setBrush(QColor(0xFF, 0xB3, 0xC1));
    painter.drawRect(QRectF(-10, -2.3, 2, 4.6));
    painter.restore();
}
} // namespace

void PaintPicture(QPainter& painter, const QRectF& rect, int index) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = std::min(rect.width(), rect.height()) / 32.0;
    painter.translate(rect.center());
    painter.scale(scale, scale);
    painter.translate(-16, -16);
    switch (index) {
    case 1:
        ModeIcon(painter);
        break;
    case 2:
        UsersIcon(painter);
        break;
    case 3:
        DatesIcon(painter);
        break;
    case 4:
        TimeTableIcon(painter);
        break;
    case 5:
        ReviewIcon(painter);
        break;
    case 6:
        CompleteIcon(painter);
        break;
    case 7:
        IncompleteIcon(painter);
        break;
    case 8:
        ChangedIcon(painter);
        break;
    default:
        break;
    }
    painter.restore();
}

QPixmap RenderPicture(int index, QSize logicalSize, qreal devicePixelRatio) {
    QPixmap pixmap(logicalSize * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintPicture(painter, QRectF(QPointF(0, 0), QSizeF(logicalSize)), index);
    return pixmap;
}
} // namespace SetupArtwork
