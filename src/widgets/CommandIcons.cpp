#include "CommandIcons.h"

#include "Artwork.h"
#include "PaintTools.h"

#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QPixmap>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace Artwork {
namespace {
// Every picture is designed in a 32 x 32 box. Outlines and the small strokes never get thinner
// than one device pixel, so the pictures stay crisp at 16 pixels and gain detail when larger.
constexpr qreal kDesign = 32;

// The palette: one ink for outlines, and a light-to-dark pair per material.
const QColor kInk(0x2B, 0x3A, 0x4F);
const QColor kPaperTop(0xFF, 0xFF, 0xFF);
const QColor kPaperBottom(0xDF, 0xE5, 0xEE);
const QColor kPaperEdge(0x5B, 0x6B, 0x80);
const QColor kTextLine(0x86, 0x9E, 0xC0);
const QColor kBlueTop(0x8C, 0xC4, 0xFF);
const QColor kBlueBottom(0x25, 0x6F, 0xD0);
const QColor kBlueEdge(0x17, 0x45, 0x8A);
const QColor kGreenTop(0x9B, 0xE8, 0x7E);
const QColor kGreenBottom(0x2F, 0x9E, 0x2A);
const QColor kGreenEdge(0x1A, 0x5E, 0x16);
const QColor kRedTop(0xFF, 0x8E, 0x7E);
const QColor kRedBottom(0xD0, 0x2A, 0x2A);
const QColor kRedEdge(0x7A, 0x10, 0x10);
const QColor kYellowTop(0xFF, 0xF4, 0xA6);
const QColor kYellowBottom(0xF4, 0xC4, 0x30);
const QColor kYellowEdge(0x94, 0x6C, 0x00);
const QColor kMetalTop(0xF4, 0xF6, 0xF8);
const QColor kMetalBottom(0x98, 0xA2, 0xAE);
const QColor kMetalEdge(0x45, 0x4E, 0x5A);

struct Pen {
    qreal pixel = 1; // one device pixel in design units
    qreal Line() const { return std::max(1.3, pixel); }
    qreal Fine() const { return std::max(1.0, pixel); }
    bool Small() const { return pixel > 1.2; } // drawn at less than about 26 pixels
};

QPainterPath RectPath(const QRectF& rect, qreal radius = 0) {
    QPainterPath path;
    if (radius > 0) {
        path.addRoundedRect(rect, radius, radius);
    } else {
        path.addRect(rect);
    }
    return path;
}

// A gradient body with an outline, lit from the top.
void Body(QPainter& painter, const QPainterPath& shape, const QColor& top, const QColor& bottom,
          const QColor& outline, qreal line) {
    const QRectF box = shape.boundingRect();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Vertical(box.top(), box.bottom(), {{0, top}, {1, bottom}}));
    painter.drawPath(shape);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(outline, line));
    painter.drawPath(shape);
}

// The same with the soft shadow and sheen of the program's other pictures.
void ShinyBody(QPainter& painter, const QPainterPath& shape, const QColor& top, const QColor& bottom,
               const QColor& outline, qreal line) {
    const QRectF box = shape.boundingRect();
    GlossyShape(painter, shape, Vertical(box.top(), box.bottom(), {{0, top}, {1, bottom}}), outline, line,
                QRectF(box.left() + box.width() * 0.1, box.top() - box.height() * 0.15, box.width() * 0.8,
                       box.height() * 0.6));
}

void Lines(QPainter& painter, const Pen& pen, qreal left, qreal right, qreal top, qreal bottom, qreal pitch,
           const QColor& color) {
    painter.setPen(Stroke(color, pen.Fine(), Qt::FlatCap));
    for (qreal y = top; y <= bottom + 0.01; y += pitch) {
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    }
}

// A sheet of paper with a folded corner and lines of writing.
void Sheet(QPainter& painter, const Pen& pen, const QRectF& r, bool writing = true, qreal fold = 6) {
    const QPainterPath sheet = RoundedPolygon({r.topLeft(),
                                               {r.right() - fold, r.top()},
                                               {r.right(), r.top() + fold},
                                               r.bottomRight(),
                                               r.bottomLeft()},
                                              0.8);
    Body(painter, sheet, kPaperTop, kPaperBottom, kPaperEdge, pen.Line());
    painter.setPen(Stroke(kPaperEdge, pen.Line() * 0.8));
    painter.setBrush(QColor(0xC9, 0xD2, 0xDE));
    painter.drawPath(RoundedPolygon(
        {{r.right() - fold, r.top()}, {r.right() - fold, r.top() + fold}, {r.right(), r.top() + fold}}, 0.5));
    if (writing) {
        const qreal pitch = pen.Small() ? 4 : 3;
        Lines(painter, pen, r.left() + 3, r.right() - 3, r.top() + fold + 2, r.bottom() - 2.5, pitch,
              kTextLine);
    }
}

// The lens and handle of a magnifying glass.
void Magnifier(QPainter& painter, const Pen& pen, QPointF centre, qreal radius, qreal handle) {
    const qreal angle = std::numbers::pi / 4;
    const QPointF dir(std::cos(angle), std::sin(angle));
    const QPointF from = centre + dir * (radius + 0.5);
    const QPointF to = centre + dir * (radius + handle);
    painter.setPen(Stroke(kInk, 5.2 + pen.Line()));
    painter.drawLine(from, to);
    painter.setPen(Stroke(QColor(0x8A, 0x55, 0x2A), 5.2));
    painter.drawLine(from + dir * 0.6, to);
    QRadialGradient glass(centre - QPointF(radius, radius) * 0.35, radius * 1.6);
    glass.setColorAt(0, QColor(255, 255, 255, 235));
    glass.setColorAt(0.5, QColor(0xC8, 0xE6, 0xFF, 200));
    glass.setColorAt(1, QColor(0x7A, 0xB6, 0xEE, 210));
    painter.setBrush(glass);
    painter.setPen(Stroke(kInk, pen.Line()));
    painter.drawEllipse(centre, radius + 1.1, radius + 1.1);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(QColor(0xB8, 0xC2, 0xCE), 1.6));
    painter.drawEllipse(centre, radius, radius);
}

// A thick arrow drawn as a filled band: shaft from tail to the base of the head, head at tip.
QPainterPath ArrowShape(QPointF tail, QPointF tip, qreal shaft, qreal head, qreal headLength) {
    const QPointF d = tip - tail;
    const qreal length = std::hypot(d.x(), d.y());
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    const QPointF base = tip - u * headLength;
    return RoundedPolygon({tail + n * shaft / 2, base + n * shaft / 2, base + n * head / 2, tip,
                           base - n * head / 2, base - n * shaft / 2, tail - n * shaft / 2},
                          0.7);
}

// A curved stroke with an arrow head, made solid so it takes a gradient and an outline.
QPainterPath CurvedArrow(const QPainterPath& spine, qreal width, QPointF tip, QPointF back, qreal head) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPointF d = tip - back;
    const QPointF u = d / std::hypot(d.x(), d.y());
    const QPointF n(-u.y(), u.x());
    QPainterPath headPath = RoundedPolygon({tip, back + n * head / 2, back - n * head / 2}, 0.6);
    return stroker.createStroke(spine).united(headPath).simplified();
}

// A head and shoulders.
QPainterPath Figure(QPointF head, qreal size) {
    QPainterPath body;
    const qreal s = size;
    body.moveTo(head.x() - 1.15 * s, head.y() + 2.7 * s);
    body.cubicTo(head.x() - 1.15 * s, head.y() + 1.55 * s, head.x() - 0.6 * s, head.y() + 1.2 * s, head.x(),
                 head.y() + 1.2 * s);
    body.cubicTo(head.x() + 0.6 * s, head.y() + 1.2 * s, head.x() + 1.15 * s, head.y() + 1.55 * s,
                 head.x() + 1.15 * s, head.y() + 2.7 * s);
    body.closeSubpath();
    return body.united(Circle(head, 0.62 * s)).simplified();
}

// A small calendar: red binding strip, white page, grid of days.
void MiniCalendar(QPainter& painter, const Pen& pen, const QRectF& r, bool detailed) {
    Body(painter, RectPath(r, 1.2), kPaperTop, kPaperBottom, kPaperEdge, pen.Line());
    const qreal header = r.height() * 0.3;
    const QRectF strip(r.left(), r.top(), r.width(), header);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Vertical(strip.top(), strip.bottom(), {{0, kRedTop}, {1, kRedBottom}}));
    painter.drawPath(RectPath(strip, 1.2).united(RectPath(strip.adjusted(0, header / 2, 0, 0))));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(kRedEdge, pen.Line()));
    painter.drawPath(RectPath(r, 1.2));
    if (detailed) {
        const int columns = 4;
        const int rows = 3;
        const qreal cw = (r.width() - 4) / columns;
        const qreal ch = (r.height() - header - 3) / rows;
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                const QRectF day(r.left() + 2 + column * cw + 0.5, r.top() + header + 1.5 + row * ch + 0.5,
                                 cw - 1, ch - 1);
                const bool today = row == 1 && column == 2;
                painter.setPen(Qt::NoPen);
                painter.setBrush(today ? kBlueBottom : QColor(0xB4, 0xC4, 0xD8));
                painter.drawRect(day);
            }
        }
    }
}

// A sticky note with a turned-up corner.
void MiniNote(QPainter& painter, const Pen& pen, const QRectF& r, bool writing) {
    const qreal fold = std::min(r.width(), r.height()) * 0.28;
    const QPainterPath note = RoundedPolygon({r.topLeft(),
                                              r.topRight(),
                                              {r.right(), r.bottom() - fold},
                                              {r.right() - fold, r.bottom()},
                                              r.bottomLeft()},
                                             0.8);
    Body(painter, note, kYellowTop, kYellowBottom, kYellowEdge, pen.Line());
    painter.setPen(Stroke(kYellowEdge, pen.Line() * 0.8));
    painter.setBrush(QColor(0xE0, 0xA8, 0x1A));
    painter.drawPath(RoundedPolygon({{r.right(), r.bottom() - fold},
                                     {r.right() - fold, r.bottom() - fold},
                                     {r.right() - fold, r.bottom()}},
                                    0.4));
    if (writing) {
        Lines(painter, pen, r.left() + 2.5, r.right() - 2.5, r.top() + 3, r.bottom() - fold - 1,
              pen.Small() ? 4 : 3, QColor(0xA8, 0x7A, 0x10));
    }
}

// ---- The pictures ----

// A USB stick lying flat, with an arrow into it (pack) or out of it (unpack).
void DriveArrow(QPainter& painter, const Pen& pen, bool into) {
    const QRectF plug(21, 20, 8, 7);
    Body(painter, RectPath(plug, 0.8), kMetalTop, kMetalBottom, kMetalEdge, pen.Line());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kMetalEdge);
    painter.drawRect(QRectF(23.5, 22, 1.8, 1.6));
    painter.drawRect(QRectF(26.5, 22, 1.8, 1.6));
    ShinyBody(painter, RectPath(QRectF(3, 18, 19, 11), 2.5), QColor(0x6C, 0x7E, 0x96),
              QColor(0x2C, 0x36, 0x46), kInk, pen.Line());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGreenTop);
    painter.drawEllipse(QPointF(7, 23.5), 1.4, 1.4);
    const QPainterPath arrow = into ? ArrowShape({12.5, 2}, {12.5, 17}, 5, 11.5, 6.5)
                                    : ArrowShape({12.5, 17}, {12.5, 2}, 5, 11.5, 6.5);
    if (into) {
        ShinyBody(painter, arrow, kGreenTop, kGreenBottom, kGreenEdge, pen.Line());
    } else {
        ShinyBody(painter, arrow, kBlueTop, kBlueBottom, kBlueEdge, pen.Line());
    }
}

void OpenPicture(QPainter& painter, const Pen& pen) {
    const QPainterPath back =
        RoundedPolygon({{2.5, 6}, {11, 6}, {13.5, 9}, {27, 9}, {27, 27}, {2.5, 27}}, 1.2);
    Body(painter, back, QColor(0xF2, 0xC4, 0x5A), QColor(0xC8, 0x8A, 0x1E), kYellowEdge, pen.Line());
    Sheet(painter, pen, QRectF(7, 3.5, 16, 16), true, 4.5);
    const QPainterPath front = RoundedPolygon({{6.5, 14}, {30.5, 14}, {26.5, 28}, {2.5, 28}}, 1.2);
    ShinyBody(painter, front, kYellowTop, QColor(0xEE, 0xB0, 0x28), kYellowEdge, pen.Line());
}

void SaveAsPicture(QPainter& painter, const Pen& pen) {
    const QPainterPath disk = RoundedPolygon({{3, 3}, {24, 3}, {28, 7}, {28, 28}, {3, 28}}, 2);
    ShinyBody(painter, disk, QColor(0x5C, 0x9C, 0xEA), QColor(0x1C, 0x4A, 0x96), kBlueEdge, pen.Line());
    Body(painter, RectPath(QRectF(8.5, 3, 13, 8), 0.8), kMetalTop, kMetalBottom, kMetalEdge,
         pen.Line() * 0.9);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kMetalEdge);
    painter.drawRect(QRectF(16.5, 4.8, 2.8, 4.6));
    Body(painter, RectPath(QRectF(6.5, 15, 18, 13), 0.8), kPaperTop, kPaperBottom, kPaperEdge,
         pen.Line() * 0.9);
    if (!pen.Small()) {
        Lines(painter, pen, 9, 22, 19, 25, 3, kTextLine);
    }
    // The pencil that gives the copy its new name.
    painter.save();
    painter.translate(23, 23.5);
    painter.rotate(-45);
    const QPainterPath wood = RoundedPolygon({{-3, -2.6}, {6.5, -2.6}, {6.5, 2.6}, {-3, 2.6}}, 0.6);
    Body(painter, wood, QColor(0xFF, 0xD8, 0x50), QColor(0xE8, 0x96, 0x10), kInk, pen.Line());
    const QPainterPath tip = RoundedPolygon({{-3, -2.6}, {-8.5, 0}, {-3, 2.6}}, 0.4);
    Body(painter, tip, QColor(0xF6, 0xDE, 0xB8), QColor(0xD8, 0xB0, 0x80), kInk, pen.Line());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawPath(RoundedPolygon({{-6.6, -0.9}, {-8.5, 0}, {-6.6, 0.9}}, 0.2));
    painter.restore();
}

void PrintPicture(QPainter& painter, const Pen& pen) {
    Sheet(painter, pen, QRectF(8.5, 2.5, 15, 12), false, 4);
    const QPainterPath body = RoundedPolygon({{2.5, 11}, {29.5, 11}, {29.5, 24}, {2.5, 24}}, 3);
    ShinyBody(painter, body, QColor(0xEC, 0xEF, 0xF3), QColor(0x92, 0x9C, 0xA8), kMetalEdge, pen.Line());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGreenBottom);
    painter.drawEllipse(QPointF(25, 15.2), 1.5, 1.5);
    painter.setBrush(QColor(0x3A, 0x43, 0x50));
    painter.drawRoundedRect(QRectF(6, 19, 20, 2.6), 1, 1);
    Sheet(painter, pen, QRectF(8, 20.2, 16, 9.8), false, 0.01);
    Lines(painter, pen, 11, 21, 24, 27.5, pen.Small() ? 4 : 3, kTextLine);
}

void PrintPreviewPicture(QPainter& painter, const Pen& pen) {
    Sheet(painter, pen, QRectF(3.5, 2, 19, 25));
    Magnifier(painter, pen, {18.5, 17.5}, 6, 7);
}

void LogOffPicture(QPainter& painter, const Pen& pen) {
    ShinyBody(painter, Figure({11, 9}, 7.8), kBlueTop, kBlueBottom, kBlueEdge, pen.Line());
    ShinyBody(painter, ArrowShape({17, 23}, {30.5, 23}, 4.6, 10.5, 6), kRedTop, kRedBottom, kRedEdge,
              pen.Line());
}

void ExitPicture(QPainter& painter, const Pen& pen) {
    Body(painter, RectPath(QRectF(5, 2.5, 15, 26.5), 0.8), QColor(0x4A, 0x3A, 0x30), QColor(0x2A, 0x20, 0x1A),
         kInk, pen.Line());
    // The door swung open towards the viewer.
    const QPainterPath door = RoundedPolygon({{5, 2.5}, {14, 5}, {14, 30}, {5, 29}}, 0.6);
    Body(painter, door, QColor(0xD8, 0x9A, 0x5C), QColor(0x9A, 0x5E, 0x2A), QColor(0x5A, 0x32, 0x12),
         pen.Line());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kYellowBottom);
    painter.drawEllipse(QPointF(12, 17.5), 1.1, 1.1);
    ShinyBody(painter, ArrowShape({16, 16}, {30.5, 16}, 4.6, 10.5, 6), kGreenTop, kGreenBottom, kGreenEdge,
              pen.Line());
}

void UndoPicture(QPainter& painter, const Pen& pen) {
    QPainterPath spine;
    spine.moveTo(10, 9.5);
    spine.lineTo(18, 9.5);
    spine.cubicTo(24.5, 9.5, 28, 13.2, 28, 18);
    spine.cubicTo(28, 22.8, 24.5, 26, 18.5, 26);
    spine.lineTo(14, 26);
    ShinyBody(painter, CurvedArrow(spine, 5.2, {2, 9.5}, {11, 9.5}, 13), kBlueTop, kBlueBottom, kBlueEdge,
              pen.Line());
}

void CutPicture(QPainter& painter, const Pen& pen) {
    // Two blades crossing at the pivot, the handles' rings below.
    const QPainterPath left = RoundedPolygon({{8.5, 1.5}, {11, 1.5}, {19.5, 17.5}, {16.5, 19}}, 0.8);
    const QPainterPath right = RoundedPolygon({{21, 1.5}, {23.5, 1.5}, {15.5, 19}, {12.5, 17.5}}, 0.8);
    Body(painter, left, kMetalTop, kMetalBottom, kMetalEdge, pen.Line());
    Body(painter, right, kMetalTop, kMetalBottom, kMetalEdge, pen.Line());
    painter.setPen(Stroke(kRedEdge, 3.2 + pen.Line()));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(14, 18), QPointF(10.5, 21.5));
    painter.drawLine(QPointF(18, 18), QPointF(21.5, 21.5));
    painter.drawEllipse(QPointF(8.5, 25), 4.2, 4.2);
    painter.drawEllipse(QPointF(23.5, 25), 4.2, 4.2);
    painter.setPen(Stroke(QColor(0xE8, 0x3A, 0x30), 3.2));
    painter.drawLine(QPointF(14, 18), QPointF(10.5, 21.5));
    painter.drawLine(QPointF(18, 18), QPointF(21.5, 21.5));
    painter.drawEllipse(QPointF(8.5, 25), 4.2, 4.2);
    painter.drawEllipse(QPointF(23.5, 25), 4.2, 4.2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawEllipse(QPointF(16, 16.2), 1.4, 1.4);
}

void CopyPicture(QPainter& painter, const Pen& pen) {
    Sheet(painter, pen, QRectF(3, 2.5, 16, 20), true, 5);
    Sheet(painter, pen, QRectF(12, 9.5, 17, 20.5), true, 5);
}

void PastePicture(QPainter& painter, const Pen& pen) {
    const QPainterPath board = RectPath(QRectF(3.5, 4.5, 20, 25), 2);
    ShinyBody(painter, board, QColor(0xE2, 0xAE, 0x6A), QColor(0xA8, 0x68, 0x2A), QColor(0x5E, 0x34, 0x10),
              pen.Line());
    Body(painter, RectPath(QRectF(8.5, 2, 10, 5.5), 1.5), kMetalTop, kMetalBottom, kMetalEdge, pen.Line());
    Sheet(painter, pen, QRectF(13, 11, 16, 19.5), true, 4.5);
}

void ErasePicture(QPainter& painter, const Pen& pen) {
    // The swept line the eraser leaves.
    painter.setPen(Stroke(QColor(0x9A, 0xA8, 0xBA), 2.2));
    painter.drawLine(QPointF(3.5, 28.5), QPointF(16, 28.5));
    painter.save();
    painter.translate(17, 15);
    painter.rotate(-40);
    const QPainterPath tip = RectPath(QRectF(-12, -5.5, 10, 11), 1.6);
    const QPainterPath sleeve = RectPath(QRectF(-3, -5.5, 15, 11), 1.6);
    ShinyBody(painter, sleeve, kBlueTop, kBlueBottom, kBlueEdge, pen.Line());
    ShinyBody(painter, tip, QColor(0xFF, 0xB8, 0xC4), QColor(0xE8, 0x5A, 0x7A), QColor(0x8A, 0x1E, 0x3A),
              pen.Line());
    painter.restore();
}

void SelectAllPicture(QPainter& painter, const Pen& pen) {
    Sheet(painter, pen, QRectF(5, 2.5, 22, 27), false, 6);
    const qreal pitch = pen.Small() ? 6 : 4.5;
    for (qreal y = 10; y <= 25; y += pitch) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x4A, 0x90, 0xE2, 200));
        painter.drawRect(QRectF(8, y - 1.8, 16, 3.6));
        painter.setPen(Stroke(Qt::white, pen.Fine(), Qt::FlatCap));
        painter.drawLine(QPointF(9.5, y), QPointF(22.5, y));
    }
}

void FindPicture(QPainter& painter, const Pen& pen) {
    // Binoculars seen from the front: two barrels on a bridge, the lenses below.
    const QColor top(0x6A, 0x7C, 0x94);
    const QColor bottom(0x26, 0x30, 0x3E);
    Body(painter, RectPath(QRectF(12, 10, 8, 7), 1), top, bottom, kInk, pen.Line());
    for (const qreal x : {8.0, 24.0}) {
        Body(painter, RectPath(QRectF(x - 3.5, 3, 7, 9), 1.5), top, bottom, kInk, pen.Line());
        ShinyBody(painter, RectPath(QRectF(x - 6, 9, 12, 19.5), 3.5), top, bottom, kInk, pen.Line());
        QRadialGradient glass(QPointF(x - 1.5, 22), 5.5);
        glass.setColorAt(0, QColor(0xD8, 0xF0, 0xFF));
        glass.setColorAt(0.6, QColor(0x5A, 0xA8, 0xEE));
        glass.setColorAt(1, QColor(0x1E, 0x5A, 0xA8));
        painter.setBrush(glass);
        painter.setPen(Stroke(kInk, pen.Fine()));
        painter.drawEllipse(QPointF(x, 23.5), 4, 4);
    }
}

void CalendarPicture(QPainter& painter, const Pen& pen) {
    MiniCalendar(painter, pen, QRectF(3, 5, 26, 24), true);
    for (const qreal x : {10.0, 22.0}) {
        Body(painter, RectPath(QRectF(x - 1.4, 2, 2.8, 6.5), 1.4), kMetalTop, kMetalBottom, kMetalEdge,
             pen.Fine());
    }
}

void NotesPicture(QPainter& painter, const Pen& pen) {
    MiniNote(painter, pen, QRectF(3.5, 4, 25, 25), true);
    // A red pin holds it up.
    painter.setPen(Stroke(kRedEdge, pen.Fine()));
    QRadialGradient head(QPointF(15.2, 4.2), 3.4);
    head.setColorAt(0, kRedTop);
    head.setColorAt(1, kRedBottom);
    painter.setBrush(head);
    painter.drawEllipse(QPointF(16, 5), 2.6, 2.6);
}

void TimeTablePicture(QPainter& painter, const Pen& pen) {
    const QRectF grid(2.5, 4.5, 27, 23);
    Body(painter, RectPath(grid, 1), kPaperTop, kPaperBottom, kPaperEdge, pen.Line());
    const int columns = 4;
    const int rows = 4;
    const qreal cw = grid.width() / columns;
    const qreal rh = grid.height() / (rows + 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Vertical(grid.top(), grid.top() + rh, {{0, kBlueTop}, {1, kBlueBottom}}));
    painter.drawPath(RectPath(QRectF(grid.left(), grid.top(), grid.width(), rh), 1)
                         .united(RectPath(QRectF(grid.left(), grid.top() + rh / 2, grid.width(), rh / 2))));
    painter.setBrush(QColor(0xCF, 0xE2, 0xF8));
    painter.drawRect(QRectF(grid.left(), grid.top() + rh, cw, grid.height() - rh));
    // One lesson filled in, so it reads as a timetable rather than an empty grid.
    painter.setBrush(QColor(0xFF, 0xD8, 0x60));
    painter.drawRect(QRectF(grid.left() + 2 * cw, grid.top() + 2 * rh, cw, rh));
    painter.setPen(Stroke(kPaperEdge, pen.Fine(), Qt::FlatCap));
    for (int c = 1; c < columns; ++c) {
        painter.drawLine(QPointF(grid.left() + c * cw, grid.top()),
                         QPointF(grid.left() + c * cw, grid.bottom()));
    }
    for (int r = 1; r <= rows; ++r) {
        painter.drawLine(QPointF(grid.left(), grid.top() + r * rh),
                         QPointF(grid.right(), grid.top() + r * rh));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(kBlueEdge, pen.Line()));
    painter.drawPath(RectPath(grid, 1));
}

void Sun(QPainter& painter, const Pen& pen, QPointF centre, qreal radius) {
    painter.setPen(Stroke(QColor(0xF0, 0x8C, 0x10), 2.2));
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * std::numbers::pi / 4;
        const QPointF d(std::cos(a), std::sin(a));
        painter.drawLine(centre + d * (radius + 1.6), centre + d * (radius + 3.6));
    }
    QRadialGradient fill(centre - QPointF(radius, radius) * 0.3, radius * 1.4);
    fill.setColorAt(0, QColor(0xFF, 0xF6, 0xB0));
    fill.setColorAt(0.6, QColor(0xFF, 0xCC, 0x30));
    fill.setColorAt(1, QColor(0xF0, 0x8C, 0x10));
    painter.setBrush(fill);
    painter.setPen(Stroke(QColor(0xA8, 0x5A, 0x00), pen.Fine()));
    painter.drawEllipse(centre, radius, radius);
}

void SchoolDaysPicture(QPainter& painter, const Pen& pen) {
    Sun(painter, pen, {21.5, 10.5}, 4.5);
    // An open book in front of the sun.
    const QPainterPath cover =
        RoundedPolygon({{1.5, 15.5}, {16, 18.5}, {30.5, 15.5}, {30.5, 28}, {16, 29.5}, {1.5, 28}}, 1);
    Body(painter, cover, QColor(0x4A, 0x88, 0xD8), QColor(0x1C, 0x4A, 0x96), kBlueEdge, pen.Line());
    const QPainterPath leftPage = RoundedPolygon({{3, 13}, {16, 16}, {16, 27.5}, {3, 25.5}}, 0.8);
    const QPainterPath rightPage = RoundedPolygon({{16, 16}, {29, 13}, {29, 25.5}, {16, 27.5}}, 0.8);
    Body(painter, leftPage, kPaperTop, kPaperBottom, kPaperEdge, pen.Line());
    Body(painter, rightPage, kPaperTop, kPaperBottom, kPaperEdge, pen.Line());
    if (!pen.Small()) {
        painter.setPen(Stroke(kTextLine, pen.Fine(), Qt::FlatCap));
        for (int i = 0; i < 2; ++i) {
            const qreal y = 18.5 + i * 3.5;
            painter.drawLine(QPointF(5.5, y - 1.8), QPointF(13.5, y));
            painter.drawLine(QPointF(18.5, y), QPointF(26.5, y - 1.8));
        }
    }
}

void BothDaysPicture(QPainter& painter, const Pen& pen) {
    ShinyBody(painter, Figure({21.5, 8.5}, 7.2), kGreenTop, kGreenBottom, kGreenEdge, pen.Line());
    ShinyBody(painter, Figure({10.5, 10.5}, 7.2), kBlueTop, kBlueBottom, kBlueEdge, pen.Line());
}

void Star(QPainter& painter, const Pen& pen, QPointF centre, qreal outer) {
    std::vector<QPointF> points;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const qreal r = i % 2 == 0 ? outer : outer * 0.45;
        points.emplace_back(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    }
    Body(painter, RoundedPolygon(points, 0.3), QColor(0xFF, 0xF4, 0x9A), QColor(0xF6, 0xB8, 0x18),
         QColor(0xA0, 0x62, 0x00), pen.Fine());
}

void SetupPicture(QPainter& painter, const Pen& pen) {
    // The set-up wizard's wand.
    painter.setPen(Stroke(kInk, 4 + pen.Line()));
    painter.drawLine(QPointF(4, 28), QPointF(18, 14));
    painter.setPen(Stroke(QColor(0x30, 0x30, 0x38), 4));
    painter.drawLine(QPointF(4, 28), QPointF(15, 17));
    painter.setPen(Stroke(Qt::white, 4, Qt::FlatCap));
    painter.drawLine(QPointF(15.5, 16.5), QPointF(18, 14));
    Star(painter, pen, {22.5, 9.5}, 8);
    Star(painter, pen, {9, 6}, 3.6);
    Star(painter, pen, {27, 23}, 3.6);
}

QPainterPath Gear(QPointF centre, qreal outer, qreal inner, qreal hole, int teeth) {
    QPainterPath gear = Circle(centre, inner);
    for (int i = 0; i < teeth; ++i) {
        QTransform turn;
        turn.translate(centre.x(), centre.y());
        turn.rotate(i * 360.0 / teeth);
        const qreal w = inner * 0.42;
        gear = gear.united(turn.map(RoundedPolygon(
            {{-w / 2 - 0.6, -inner + 1}, {w / 2 + 0.6, -inner + 1}, {w / 2, -outer}, {-w / 2, -outer}},
            0.6)));
    }
    return gear.subtracted(Circle(centre, hole)).simplified();
}

void OptionsPicture(QPainter& painter, const Pen& pen) {
    ShinyBody(painter, Gear({16, 16}, 14, 10.5, 4, 8), QColor(0xB8, 0xC8, 0xDC), QColor(0x50, 0x64, 0x80),
              kInk, pen.Line());
}

void Box(QPainter& painter, const Pen& pen) {
    Body(painter, RectPath(QRectF(5, 6, 21, 21), 3), kPaperTop, kPaperBottom, kBlueEdge, pen.Line() * 1.2);
}

void CheckPicture(QPainter& painter, const Pen& pen) {
    Box(painter, pen);
    QPainterPath tick;
    tick.moveTo(9, 16.5);
    tick.lineTo(14.5, 22.5);
    tick.lineTo(27.5, 5);
    QPainterPathStroker stroker;
    stroker.setWidth(5);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    ShinyBody(painter, stroker.createStroke(tick).simplified(), kGreenTop, kGreenBottom, kGreenEdge,
              pen.Line());
}

void NotCheckedPicture(QPainter& painter, const Pen& pen) {
    Box(painter, pen);
}

void MagnifyPicture(QPainter& painter, const Pen& pen) {
    Magnifier(painter, pen, {13, 13}, 9, 10);
    painter.setPen(Stroke(kBlueEdge, 3.2, Qt::FlatCap));
    painter.drawLine(QPointF(8.5, 13), QPointF(17.5, 13));
    painter.drawLine(QPointF(13, 8.5), QPointF(13, 17.5));
}

void TipsPicture(QPainter& painter, const Pen& pen) {
    QPainterPath bulb;
    bulb.moveTo(12, 22);
    bulb.cubicTo(12, 18.5, 6.5, 16, 6.5, 11);
    bulb.cubicTo(6.5, 5.5, 10.8, 2, 16, 2);
    bulb.cubicTo(21.2, 2, 25.5, 5.5, 25.5, 11);
    bulb.cubicTo(25.5, 16, 20, 18.5, 20, 22);
    bulb.closeSubpath();
    QRadialGradient glow(QPointF(14, 8), 14);
    glow.setColorAt(0, QColor(0xFF, 0xFF, 0xE8));
    glow.setColorAt(0.45, QColor(0xFF, 0xEC, 0x70));
    glow.setColorAt(1, QColor(0xF2, 0xA8, 0x10));
    GlossyShape(painter, bulb, glow, QColor(0x96, 0x62, 0x00), pen.Line(), QRectF(9, 1, 12, 9));
    if (!pen.Small()) {
        painter.setPen(Stroke(QColor(0xC0, 0x78, 0x00), pen.Fine()));
        painter.setBrush(Qt::NoBrush);
        QPainterPath filament;
        filament.moveTo(13.5, 21.5);
        filament.lineTo(13.5, 14);
        filament.cubicTo(14, 11.5, 15, 11.5, 15.5, 14);
        filament.cubicTo(16, 11.5, 17, 11.5, 17.5, 14);
        filament.cubicTo(18, 11.5, 18.5, 12, 18.5, 14);
        filament.lineTo(18.5, 21.5);
        painter.drawPath(filament);
    }
    Body(painter, RectPath(QRectF(11.5, 21.5, 9, 7), 1.2), kMetalTop, kMetalBottom, kMetalEdge, pen.Line());
    painter.setPen(Stroke(kMetalEdge, pen.Fine(), Qt::FlatCap));
    painter.drawLine(QPointF(12, 24), QPointF(20, 24));
    painter.drawLine(QPointF(12, 26.5), QPointF(20, 26.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawRoundedRect(QRectF(13.5, 28.5, 5, 2.5), 1.2, 1.2);
}

void UpdatePicture(QPainter& painter, const Pen& pen) {
    const QPointF centre(14, 14);
    const qreal r = 11.5;
    QRadialGradient sea(centre - QPointF(4, 4), r * 1.6);
    sea.setColorAt(0, QColor(0xB4, 0xE0, 0xFF));
    sea.setColorAt(0.6, QColor(0x3C, 0x8E, 0xE0));
    sea.setColorAt(1, QColor(0x17, 0x4A, 0x96));
    painter.setBrush(sea);
    painter.setPen(Stroke(kBlueEdge, pen.Line()));
    painter.drawEllipse(centre, r, r);
    // Meridians and parallels of the web's globe.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(QColor(255, 255, 255, 170), pen.Fine()));
    painter.drawEllipse(centre, r * 0.45, r);
    painter.drawLine(QPointF(centre.x(), centre.y() - r), QPointF(centre.x(), centre.y() + r));
    painter.drawLine(QPointF(centre.x() - r, centre.y()), QPointF(centre.x() + r, centre.y()));
    if (!pen.Small()) {
        painter.drawLine(QPointF(centre.x() - r * 0.86, centre.y() - r * 0.5),
                         QPointF(centre.x() + r * 0.86, centre.y() - r * 0.5));
        painter.drawLine(QPointF(centre.x() - r * 0.86, centre.y() + r * 0.5),
                         QPointF(centre.x() + r * 0.86, centre.y() + r * 0.5));
    }
    // The circling arrow of a fresh copy.
    QPainterPath spine;
    const QRectF ring(16.5, 16, 11, 11);
    spine.arcMoveTo(ring, 200);
    spine.arcTo(ring, 200, 250);
    const QPointF end = spine.currentPosition();
    ShinyBody(painter, CurvedArrow(spine, 3.4, end + QPointF(-5.2, -1.2), end + QPointF(0.4, 0.6), 8.5),
              kGreenTop, kGreenBottom, kGreenEdge, pen.Line());
}

// The day page as a small open binder, for the panel positions.
void PageDiagram(QPainter& painter, const Pen& pen) {
    const QRectF page(1.5, 4, 29, 24);
    Body(painter, RectPath(page, 1.5), kPaperTop, kPaperBottom, kPaperEdge, pen.Line());
    painter.setPen(Stroke(kPaperEdge, pen.Fine(), Qt::FlatCap));
    painter.drawLine(QPointF(16, page.top()), QPointF(16, page.bottom()));
    Lines(painter, pen, 4, 13.5, 8, 12, 4, kTextLine);
    Lines(painter, pen, 18.5, 28, 8, 12, 4, kTextLine);
}

void LayoutPicture(QPainter& painter, const Pen& pen, qreal calendarLeft, qreal notesLeft) {
    PageDiagram(painter, pen);
    if (calendarLeft >= 0) {
        MiniCalendar(painter, pen, QRectF(calendarLeft, 15.5, 9, 10), !pen.Small());
    }
    if (notesLeft >= 0) {
        MiniNote(painter, pen, QRectF(notesLeft, 15.5, 7, 10), false);
    }
}

void HelpPicture(QPainter& painter, const Pen&) {
    PaintMessageIcon(painter, QRectF(0, 0, kDesign, kDesign), 2);
}

void AboutPicture(QPainter& painter, const Pen&) {
    PaintMessageIcon(painter, QRectF(0, 0, kDesign, kDesign), 1);
}

using Picture = std::function<void(QPainter&, const Pen&)>;

const QHash<QString, Picture>& Pictures() {
    static const QHash<QString, Picture> pictures{
        {QStringLiteral("Pack"), [](QPainter& p, const Pen& pen) { DriveArrow(p, pen, true); }},
        {QStringLiteral("UnPack"), [](QPainter& p, const Pen& pen) { DriveArrow(p, pen, false); }},
        {QStringLiteral("Open"), OpenPicture},
        {QStringLiteral("SaveAs"), SaveAsPicture},
        {QStringLiteral("PrintPreview"), PrintPreviewPicture},
        {QStringLiteral("Print"), PrintPicture},
        {QStringLiteral("LogOff"), LogOffPicture},
        {QStringLiteral("Exit"), ExitPicture},
        {QStringLiteral("Undo"), UndoPicture},
        {QStringLiteral("Cut"), CutPicture},
        {QStringLiteral("Copy"), CopyPicture},
        {QStringLiteral("Paste"), PastePicture},
        {QStringLiteral("Erase"), ErasePicture},
        {QStringLiteral("SelectAll"), SelectAllPicture},
        {QStringLiteral("Find"), FindPicture},
        {QStringLiteral("Calendar"), CalendarPicture},
        {QStringLiteral("Notes"), NotesPicture},
        {QStringLiteral("TimeTable"), TimeTablePicture},
        {QStringLiteral("SchoolDays"), SchoolDaysPicture},
        {QStringLiteral("BothDays"), BothDaysPicture},
        {QStringLiteral("Setup"), SetupPicture},
        {QStringLiteral("Options"), OptionsPicture},
        {QStringLiteral("Check"), CheckPicture},
        {QStringLiteral("Magnify"), MagnifyPicture},
        {QStringLiteral("NotChecked"), NotCheckedPicture},
        {QStringLiteral("Help"), HelpPicture},
        {QStringLiteral("Tips"), TipsPicture},
        {QStringLiteral("About"), AboutPicture},
        {QStringLiteral("Update"), UpdatePicture},
        {QStringLiteral("LowerLeft"), [](QPainter& p, const Pen& pen) { LayoutPicture(p, pen, 3.5, -1); }},
        {QStringLiteral("LowerRight"), [](QPainter& p, const Pen& pen) { LayoutPicture(p, pen, 19.5, -1); }},
        {QStringLiteral("Beside"), [](QPainter& p, const Pen& pen) { LayoutPicture(p, pen, 3.5, 13.5); }},
        {QStringLiteral("Opposite"), [](QPainter& p, const Pen& pen) { LayoutPicture(p, pen, 3.5, 21.5); }},
    };
    return pictures;
}

void PaintEnabled(QPainter& painter, const QRectF& rect, const Picture& picture) {
    PainterScope scope(painter);
    FitDesign(painter, rect, QSizeF(kDesign, kDesign));
    picture(painter, Pen{DevicePixel(painter)});
}

// The disabled look: the picture drawn at the target's resolution, then turned to a pale grey
// that keeps its shape and shading.
void PaintDisabled(QPainter& painter, const QRectF& rect, const Picture& picture) {
    const QTransform toDevice = painter.deviceTransform();
    const qreal scale = std::max<qreal>(1.0, std::hypot(toDevice.m11(), toDevice.m12()));
    QImage image((rect.size() * scale).toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    {
        QPainter offscreen(&image);
        offscreen.setRenderHint(QPainter::Antialiasing);
        PaintEnabled(offscreen, QRectF(QPointF(0, 0), rect.size()), picture);
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = 96 + qGray(pixel) * 120 / 255;
            line[x] = qRgba(grey, grey, grey, qAlpha(pixel) * 4 / 5);
        }
    }
    painter.drawImage(rect, image);
}

// Draws the pictures on demand, so an icon is sharp at whatever size and pixel ratio a menu or
// tool bar asks for; each size and look is drawn once, when first shown, and kept.
class CommandIconEngine : public QIconEngine {
public:
    CommandIconEngine(QString key, bool enabled) : m_key(std::move(key)), m_enabled(enabled) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        PaintCommandIcon(*painter, QRectF(rect), m_key, enabledIn(mode));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const quint64 key = (quint64(quint32(size.width())) << 33) | (quint64(quint32(size.height())) << 1) |
                            (enabledIn(mode) ? 1u : 0u);
        if (const auto kept = m_drawn.constFind(key); kept != m_drawn.constEnd()) {
            return *kept;
        }
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        }
        m_drawn.insert(key, pixmap);
        return pixmap;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 16), QSize(22, 22), QSize(32, 32), QSize(44, 44)};
    }

    QIconEngine* clone() const override { return new CommandIconEngine(m_key, m_enabled); }
    QString key() const override { return QStringLiteral("QuillmarshCommandIcon"); }

private:
    bool enabledIn(QIcon::Mode mode) const { return m_enabled && mode != QIcon::Disabled; }

    QString m_key;
    bool m_enabled;
    QHash<quint64, QPixmap> m_drawn;
};

// One icon of two: the disabled look from one, every other look from the other.
class TwoLookEngine : public QIconEngine {
public:
    TwoLookEngine(QIcon normal, QIcon disabled)
        : m_normal(std::move(normal)), m_disabled(std::move(disabled)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        look(mode).paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        // The size is in device pixels already.
        return look(mode).pixmap(size, 1.0, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return look(mode).availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new TwoLookEngine(m_normal, m_disabled); }
    QString key() const override { return QStringLiteral("QuillmarshTwoLookIcon"); }

private:
    const QIcon& look(QIcon::Mode mode) const { return mode == QIcon::Disabled ? m_disabled : m_normal; }

    QIcon m_normal;
    QIcon m_disabled;
};
} // namespace

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
    const auto found = Pictures().constFind(key);
    if (found == Pictures().constEnd() || rect.isEmpty()) {
        return;
    }
    if (enabled) {
        PaintEnabled(painter, rect, *found);
    } else {
        PaintDisabled(painter, rect, *found);
    }
}

QIcon MenuIcon(const QString& key) {
    return QIcon(new CommandIconEngine(key, true));
}

QIcon ToolbarIcon(const QString& key, bool enabled) {
    return QIcon(new CommandIconEngine(key, enabled));
}

QIcon TwoLookIcon(const QIcon& normal, const QIcon& disabled) {
    return QIcon(new TwoLookEngine(normal, disabled));
}
} // namespace Artwork
