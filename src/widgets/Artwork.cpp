#include "Artwork.h"
#include "PaintTools.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace Artwork {
namespace {
template <class Paint> QPixmap Render(QSize logicalSize, qreal dpr, Paint paint) {
    QPixmap pixmap(logicalSize * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(logicalSize)));
    return pixmap;
}

// "!" made of a tapering stem and a round dot, in the 32 x 32 icon design.
void ExclamationMark(QPainter& painter, const QColor& color, qreal top, qreal bottom) {
    const qreal stemEnd = top + (bottom - top) * 0.68;
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(RoundedPolygon({{14.1, top}, {17.9, top}, {16.85, stemEnd}, {15.15, stemEnd}}, 1.3));
    painter.drawEllipse(QPointF(16, bottom - 2.05), 2.05, 2.05);
}

void InformationIcon(QPainter& painter) {
    QPainterPath bubble;
    bubble.addEllipse(QPointF(16, 13.8), 14.4, 12.3);
    QPainterPath tail;
    tail.moveTo(6.2, 20.5);
    tail.quadTo(7.2, 27.0, 2.6, 30.4);
    tail.quadTo(10.4, 29.8, 15.0, 25.6);
    tail.closeSubpath();
    bubble = bubble.united(tail).simplified();

    GlossyShape(
        painter, bubble,
        Vertical(
            1.5, 30,
            {{0, QColor(0x8A, 0xCB, 0xFF)}, {0.5, QColor(0x2F, 0x86, 0xE3)}, {1, QColor(0x17, 0x52, 0xB5)}}),
        QColor(0x12, 0x3C, 0x80), 1.0, QRectF(4.5, 1.9, 23, 12));

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(16, 7.6), 2.25, 2.25);
    // Stem with a small foot, like a printed lower-case i.
    QPainterPath stem = RoundedPolygon({{13.2, 11.1},
                                        {17.9, 11.1},
                                        {17.9, 19.4},
                                        {19.1, 19.4},
                                        {19.1, 21.9},
                                        {12.9, 21.9},
                                        {12.9, 19.4},
                                        {14.1, 19.4},
                                        {14.1, 13.2},
                                        {13.2, 13.2}},
                                       0.5);
    painter.drawPath(stem);
}

void QuestionIcon(QPainter& painter) {
    const QPainterPath disc = Circle(QPointF(16, 16), 14.4);
    GlossyShape(
        painter, disc,
        Vertical(
            1.6, 30.4,
            {{0, QColor(0x7A, 0xE3, 0xF0)}, {0.5, QColor(0x1F, 0x9C, 0xC8)}, {1, QColor(0x0C, 0x66, 0x9A)}}),
        QColor(0x09, 0x4A, 0x6E), 1.0, QRectF(5, 2.3, 22, 12.5));

    QPainterPath hook;
    hook.moveTo(11.7, 11.9);
    hook.cubicTo(11.7, 8.7, 13.8, 6.9, 16.3, 6.9);
    hook.cubicTo(19.0, 6.9, 20.9, 8.7, 20.9, 11.1);
    hook.cubicTo(20.9, 13.6, 18.9, 14.5, 17.6, 15.6);
    hook.cubicTo(16.5, 16.5, 16.1, 17.4, 16.1, 19.0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(Qt::white, 3.5));
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(16.1, 23.6), 2.15, 2.15);
}

void WarningIcon(QPainter& painter) {
    const QPainterPath triangle = RoundedPolygon({{16, 2.2}, {30.6, 28.2}, {1.4, 28.2}}, 3.2);
    GlossyShape(
        painter, triangle,
        Vertical(
            2.2, 28.2,
            {{0, QColor(0xFF, 0xEC, 0x8C)}, {0.45, QColor(0xFF, 0xC8, 0x25)}, {1, QColor(0xF0, 0x92, 0x00)}}),
        QColor(0x9C, 0x5A, 0x00), 1.0, QRectF(9, 4, 14, 14));
    ExclamationMark(painter, QColor(0x3A, 0x29, 0x00), 10.2, 26.0);
}

void ShieldIcon(QPainter& painter) {
    QPainterPath shield;
    shield.moveTo(16, 1.8);
    shield.cubicTo(19.6, 4.2, 24.2, 5.3, 28.6, 5.3);
    shield.lineTo(28.6, 14.0);
    shield.cubicTo(28.6, 21.8, 23.3, 27.6, 16, 30.6);
    shield.cubicTo(8.7, 27.6, 3.4, 21.8, 3.4, 14.0);
    shield.lineTo(3.4, 5.3);
    shield.cubicTo(7.8, 5.3, 12.4, 4.2, 16, 1.8);
    shield.closeSubpath();

    GlossyShape(
        painter, shield,
        Vertical(
            1.8, 30.6,
            {{0, QColor(0xFF, 0x8A, 0x78)}, {0.45, QColor(0xE2, 0x2B, 0x2B)}, {1, QColor(0xA0, 0x10, 0x18)}}),
        QColor(0x6A, 0x08, 0x0E), 1.0, QRectF(3, 0.5, 26, 15));

    // A faint inner rim makes it read as a raised badge rather than a flat blob.
    QTransform inset;
    inset.translate(16, 16);
    inset.scale(0.82, 0.84);
    inset.translate(-16, -15.4);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(QColor(255, 255, 255, 85), 0.8));
    painter.drawPath(inset.map(shield));

    ExclamationMark(painter, Qt::white, 8.2, 25.4);
}

// ---- Binder ----

// The binder is designed 80 units wide; its height is whatever the strip is, so loops and rings
// repeat at a pitch set by the width instead of stretching with the page.
constexpr qreal kBinderWidth = 80;

void GutterShadow(QPainter& painter, qreal height) {
    QLinearGradient shade(0, 0, kBinderWidth, 0);
    shade.setColorAt(0.0, QColor(0, 0, 0, 0));
    shade.setColorAt(0.3, QColor(0, 0, 0, 10));
    shade.setColorAt(0.5, QColor(0, 0, 0, 48));
    shade.setColorAt(0.7, QColor(0, 0, 0, 10));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.fillRect(QRectF(0, 0, kBinderWidth, height), shade);
}

void PunchedHole(QPainter& painter, QPointF centre, qreal rx, qreal ry) {
    // Light lower lip of paper, dark hole, darker upper edge where the page casts its shadow.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 120));
    painter.drawEllipse(centre + QPointF(0, 0.6), rx, ry);
    QLinearGradient inside(0, centre.y() - ry, 0, centre.y() + ry);
    inside.setColorAt(0, QColor(20, 22, 26, 235));
    inside.setColorAt(1, QColor(70, 74, 80, 210));
    painter.setBrush(inside);
    painter.drawEllipse(centre, rx, ry);
}

struct WireColours {
    QColor edge;
    QColor body;
    QColor shine;
};

void Coils(QPainter& painter, qreal height, const WireColours& wire) {
    constexpr qreal kPitch = 21;
    GutterShadow(painter, height);
    const int loops = std::max(1, static_cast<int>(std::floor(height / kPitch)));
    const qreal first = (height - loops * kPitch) / 2 + kPitch / 2;
    for (int i = 0; i < loops; ++i) {
        const qreal y = first + i * kPitch;
        // The wire climbs one pitch per turn, so it crosses the gutter on a slight slant.
        const QPointF left(14.5, y + 2.2);
        const QPointF right(65.5, y - 2.2);
        PunchedHole(painter, left + QPointF(-1.6, 0), 3.8, 2.9);
        PunchedHole(painter, right + QPointF(1.6, 0), 3.8, 2.9);

        QPainterPath loop;
        loop.moveTo(left);
        loop.cubicTo(24, y - 5, 55, y - 9, right.x(), right.y());

        painter.setBrush(Qt::NoBrush);
        painter.setPen(Stroke(QColor(0, 0, 0, 55), 5.2));
        painter.drawPath(loop.translated(0.8, 2.6));
        painter.setPen(Stroke(wire.edge, 5.2));
        painter.drawPath(loop);
        painter.setPen(Stroke(wire.body, 3.4));
        painter.drawPath(loop);
        painter.setPen(Stroke(wire.shine, 1.3));
        QPainterPath shine;
        shine.moveTo(left + QPointF(4.5, -1.9));
        shine.cubicTo(27, y - 6.1, 52, y - 9.6, right.x() - 5, right.y() - 2.0);
        painter.drawPath(shine);
    }
}

void Rings(QPainter& painter, qreal height) {
    constexpr qreal kPitch = 280;
    GutterShadow(painter, height);

    // The spine strip with the ring mechanism's rounded metal housing on it.
    const QRectF spine(28, 0, 24, height);
    QLinearGradient cloth(spine.left(), 0, spine.right(), 0);
    cloth.setColorAt(0.0, QColor(0x23, 0x2A, 0x35));
    cloth.setColorAt(0.35, QColor(0x4A, 0x55, 0x66));
    cloth.setColorAt(0.6, QColor(0x37, 0x40, 0x4E));
    cloth.setColorAt(1.0, QColor(0x1C, 0x22, 0x2B));
    painter.fillRect(spine, cloth);
    painter.fillRect(QRectF(spine.left() - 2, 0, 2, height), QColor(0, 0, 0, 40));
    painter.fillRect(QRectF(spine.right(), 0, 2, height), QColor(0, 0, 0, 40));

    const int rings = std::max(1, static_cast<int>(std::lround(height / kPitch)));
    for (int i = 0; i < rings; ++i) {
        const qreal y = height * (i + 0.5) / rings;
        PunchedHole(painter, QPointF(8.5, y), 5.0, 4.4);
        PunchedHole(painter, QPointF(71.5, y), 5.0, 4.4);

        // The ring seen a little from the side: the far half in shade, the near half catching
        // the light.
        const QRectF ring(8.5, y - 12, 63, 24);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(Stroke(QColor(0, 0, 0, 60), 7.6));
        painter.drawEllipse(ring.translated(1.2, 3.2));

        QPainterPath back;
        back.arcMoveTo(ring, 0);
        back.arcTo(ring, 0, 180);
        painter.setPen(Stroke(QColor(0x33, 0x39, 0x40), 7.4, Qt::FlatCap));
        painter.drawPath(back);
        QLinearGradient shade(0, y - 13, 0, y - 8);
        shade.setColorAt(0, QColor(0xA8, 0xB0, 0xB8));
        shade.setColorAt(1, QColor(0x6C, 0x74, 0x7C));
        painter.setPen(Stroke(shade, 5.4, Qt::FlatCap));
        painter.drawPath(back);

        QPainterPath front;
        front.arcMoveTo(ring, 180);
        front.arcTo(ring, 180, 180);
        painter.setPen(Stroke(QColor(0x3E, 0x45, 0x4C), 7.8, Qt::FlatCap));
        painter.drawPath(front);
        QLinearGradient metal(0, y + 4, 0, y + 15);
        metal.setColorAt(0, QColor(0xA4, 0xAC, 0xB5));
        metal.setColorAt(0.55, QColor(0xEE, 0xF1, 0xF4));
        metal.setColorAt(1, QColor(0x8C, 0x95, 0x9E));
        painter.setPen(Stroke(metal, 5.8, Qt::FlatCap));
        painter.drawPath(front);
        QPainterPath glint;
        const QRectF inner = ring.adjusted(2.5, 1.5, -2.5, -0.2);
        glint.arcMoveTo(inner, 210);
        glint.arcTo(inner, 210, 120);
        painter.setPen(Stroke(QColor(255, 255, 255, 220), 1.5));
        painter.drawPath(glint);
    }
}

// ---- Day arrows ----

QPainterPath RightArrow() {
    return RoundedPolygon(
        {{3.5, 5.6}, {19.6, 5.6}, {19.6, 1.6}, {32.2, 9}, {19.6, 16.4}, {19.6, 12.4}, {3.5, 12.4}}, 1.6);
}

// ---- Application icon ----

struct Cubic {
    QPointF p0, p1, p2, p3;
    QPointF At(qreal t) const {
        const qreal u = 1 - t;
        return u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
    }
};

Cubic Lerp(const Cubic& a, const Cubic& b, qreal f) {
    auto mix = [f](QPointF x, QPointF y) { return x + (y - x) * f; };
    return {mix(a.p0, b.p0), mix(a.p1, b.p1), mix(a.p2, b.p2), mix(a.p3, b.p3)};
}

Cubic Mirrored(const Cubic& c) {
    auto flip = [](QPointF p) { return QPointF(256 - p.x(), p.y()); };
    return {flip(c.p0), flip(c.p1), flip(c.p2), flip(c.p3)};
}

// A page bounded by curved top and bottom edges, each running from the spine outwards.
QPainterPath PagePath(const Cubic& top, const Cubic& bottom) {
    QPainterPath path(top.p0);
    path.cubicTo(top.p1, top.p2, top.p3);
    path.lineTo(bottom.p3);
    path.cubicTo(bottom.p2, bottom.p1, bottom.p0);
    path.closeSubpath();
    return path;
}

void OpenBook(QPainter& painter, qreal pixel) {
    const qreal line = std::max(3.0, pixel);
    const Cubic leftTop{{128, 66}, {104, 46}, {62, 42}, {20, 50}};
    const Cubic leftBottom{{128, 208}, {104, 192}, {62, 188}, {20, 194}};
    const Cubic rightTop = Mirrored(leftTop);
    const Cubic rightBottom = Mirrored(leftBottom);
    const QPainterPath leftPage = PagePath(leftTop, leftBottom);
    const QPainterPath rightPage = PagePath(rightTop, rightBottom);
    const QPainterPath pages = leftPage.united(rightPage);

    // Shadow on the desk.
    QRadialGradient shadow(QPointF(128, 226), 118);
    shadow.setColorAt(0, QColor(0, 0, 0, 70));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    painter.save();
    painter.scale(1, 0.18);
    painter.setBrush(shadow);
    painter.drawEllipse(QPointF(128, 226 / 0.18), 120, 120);
    painter.restore();

    // Cover, peeking out round the page block.
    const QPainterPath cover =
        PagePath({{128, 80}, {104, 62}, {60, 58}, {8, 64}}, {{128, 230}, {104, 214}, {60, 210}, {8, 216}})
            .united(PagePath({{128, 80}, {152, 62}, {196, 58}, {248, 64}},
                             {{128, 230}, {152, 214}, {196, 210}, {248, 216}}));
    painter.setPen(Stroke(QColor(0x10, 0x2C, 0x55), line));
    painter.setBrush(Vertical(60, 230, {{0, QColor(0x3A, 0x78, 0xC8)}, {1, QColor(0x1A, 0x47, 0x8A)}}));
    painter.drawPath(cover);

    // Page block edges: a few sheets showing below the top pages.
    if (pixel < 8) {
        for (int sheet = 3; sheet >= 1; --sheet) {
            const qreal drop = sheet * 4.5;
            painter.setPen(Stroke(QColor(0x9A, 0xA4, 0xB2), line * 0.6));
            painter.setBrush(QColor(0xEE, 0xF0, 0xF4));
            painter.drawPath(pages.translated(0, drop));
        }
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xD8, 0xDD, 0xE5));
        painter.drawPath(pages.translated(0, 10));
    }

    // The two open pages, brightest at their outer edges.
    for (const auto& [page, outerX] : {std::pair{leftPage, 20.0}, std::pair{rightPage, 236.0}}) {
        QLinearGradient paper(outerX, 0, 128, 0);
        paper.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
        paper.setColorAt(0.75, QColor(0xF6, 0xF7, 0xF9));
        paper.setColorAt(1, QColor(0xD9, 0xDE, 0xE6));
        painter.setPen(Qt::NoPen);
        painter.setBrush(paper);
        painter.drawPath(page);
    }

    // Ruled lines follow the curl of the pages; fewer, bolder ones when the icon is tiny.
    const int rules = pixel >= 10 ? 2 : pixel >= 5 ? 3 : 5;
    const qreal ruleWidth = std::max(4.0, pixel * 0.95);
    for (int side = 0; side < 2; ++side) {
        const Cubic& top = side == 0 ? leftTop : rightTop;
        const Cubic& bottom = side == 0 ? leftBottom : rightBottom;
        for (int r = 0; r < rules; ++r) {
            const qreal f = 0.2 + 0.65 * r / std::max(1, rules - 1);
            const Cubic rule = Lerp(top, bottom, rules == 1 ? 0.5 : f);
            QPainterPath path(rule.At(0.12));
            for (int s = 1; s <= 16; ++s) {
                path.lineTo(rule.At(0.12 + 0.76 * s / 16.0));
            }
            const bool tiny = pixel >= 5;
            const QColor blue = tiny ? QColor(0x4C, 0x7E, 0xC6) : QColor(0x86, 0xAC, 0xDE);
            const QColor red = tiny ? QColor(0xD2, 0x3C, 0x32) : QColor(0xE0, 0x55, 0x4A);
            painter.setPen(Stroke(r == 0 ? red : blue, ruleWidth, Qt::FlatCap));
            painter.drawPath(path);
        }
    }

    // Gutter shading where the pages dip into the spine.
    QLinearGradient gutter(96, 0, 160, 0);
    gutter.setColorAt(0, QColor(0, 0, 0, 0));
    gutter.setColorAt(0.5, QColor(0, 0, 0, 70));
    gutter.setColorAt(1, QColor(0, 0, 0, 0));
    painter.save();
    painter.setClipPath(pages);
    painter.fillRect(QRectF(96, 0, 64, 256), gutter);
    painter.restore();

    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(QColor(0x5E, 0x6B, 0x7E), line));
    painter.drawPath(pages);
    painter.setPen(Stroke(QColor(0x5E, 0x6B, 0x7E), line * 0.8, Qt::FlatCap));
    painter.drawLine(QPointF(128, 66), QPointF(128, 208));

    // Bookmark ribbon hanging out below the book.
    const qreal x = 168;
    QPainterPath ribbon;
    ribbon.moveTo(x, 50);
    ribbon.lineTo(x + 20, 49);
    ribbon.lineTo(x + 20, 244);
    ribbon.lineTo(x + 10, 232);
    ribbon.lineTo(x, 244);
    ribbon.closeSubpath();
    QLinearGradient silk(x, 0, x + 20, 0);
    silk.setColorAt(0, QColor(0xC4, 0x1E, 0x2A));
    silk.setColorAt(0.45, QColor(0xF0, 0x4A, 0x4A));
    silk.setColorAt(1, QColor(0xA8, 0x12, 0x20));
    painter.setPen(Stroke(QColor(0x6E, 0x0A, 0x12), line * 0.8));
    painter.setBrush(silk);
    painter.drawPath(ribbon);
}
} // namespace

void PaintMessageIcon(QPainter& painter, const QRectF& rect, int index) {
    if (index < 1 || index > 4 || rect.isEmpty()) {
        return;
    }
    PainterScope scope(painter);
    FitDesign(painter, rect, QSizeF(32, 32));
    switch (index) {
    case 1:
        InformationIcon(painter);
        break;
    case 2:
        QuestionIcon(painter);
        break;
    case 3:
        WarningIcon(painter);
        break;
    default:
        ShieldIcon(painter);
        break;
    }
}

void PaintBinder(QPainter& painter, const QRectF& rect, int style) {
    if (style < 1 || style > 3 || rect.isEmpty()) {
        return;
    }
    PainterScope scope(painter);
    const qreal scale = rect.width() / kBinderWidth;
    painter.setClipRect(rect);
    painter.translate(rect.topLeft());
    painter.scale(scale, scale);
    const qreal height = rect.height() / scale;
    switch (style) {
    case 1:
        Coils(painter, height,
              {QColor(0x4E, 0x55, 0x5C), QColor(0xB4, 0xBC, 0xC4), QColor(0xFA, 0xFB, 0xFC)});
        break;
    case 2:
        Rings(painter, height);
        break;
    default:
        Coils(painter, height,
              {QColor(0x05, 0x05, 0x06), QColor(0x2A, 0x2C, 0x30), QColor(120, 126, 134, 220)});
        break;
    }
}

void PaintFoundMarker(QPainter& painter, const QRectF& rect, int which) {
    if ((which != 1 && which != 2) || rect.isEmpty()) {
        return;
    }
    PainterScope scope(painter);
    if (which == 1) {
        FitDesign(painter, rect, QSizeF(16, 16));
        const QPainterPath arrow = RoundedPolygon(
            {{5.2, 1.2}, {10.8, 1.2}, {10.8, 6.6}, {14.6, 6.6}, {8, 14.6}, {1.4, 6.6}, {5.2, 6.6}}, 1.1);
        GlossyShape(painter, arrow,
                    Vertical(1.2, 14.6,
                             {{0, QColor(0xFF, 0xB0, 0x68)},
                              {0.5, QColor(0xF2, 0x55, 0x24)},
                              {1, QColor(0xC0, 0x22, 0x16)}}),
                    QColor(0x82, 0x16, 0x0C), 0.9, QRectF(2.5, -2, 11, 10));
        return;
    }
    FitDesign(painter, rect, QSizeF(24, 24));
    const QPointF centre(12, 12);
    QRadialGradient glow(centre, 11.8);
    glow.setColorAt(0, QColor(255, 230, 60, 60));
    glow.setColorAt(0.7, QColor(255, 220, 40, 70));
    glow.setColorAt(0.85, QColor(255, 200, 0, 110));
    glow.setColorAt(1, QColor(255, 200, 0, 0));
    painter.setBrush(glow);
    painter.drawEllipse(centre, 11.8, 11.8);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(QColor(0xC8, 0x8A, 0x00, 200), 3.6));
    painter.drawEllipse(centre, 8.6, 8.6);
    painter.setPen(Stroke(QColor(0xFF, 0xD8, 0x20, 230), 2.4));
    painter.drawEllipse(centre, 8.6, 8.6);
    painter.setPen(Stroke(QColor(255, 255, 255, 150), 0.8));
    painter.drawArc(QRectF(3.9, 3.9, 16.2, 16.2), 30 * 16, 120 * 16);
}

void PaintDayArrow(QPainter& painter, const QRectF& rect, bool next, bool enabled) {
    if (rect.isEmpty()) {
        return;
    }
    PainterScope scope(painter);
    FitDesign(painter, rect, QSizeF(35, 18));
    if (!next) {
        painter.translate(35, 0);
        painter.scale(-1, 1);
    }
    const QPainterPath arrow = RightArrow();
    if (enabled) {
        GlossyShape(painter, arrow,
                    Vertical(1.6, 16.4,
                             {{0, QColor(0x9C, 0xD6, 0xFF)},
                              {0.5, QColor(0x3C, 0x92, 0xE8)},
                              {1, QColor(0x1B, 0x58, 0xB8)}}),
                    QColor(0x15, 0x44, 0x8C), 1.0, QRectF(1, -3.5, 33, 12.5));
        return;
    }
    painter.setBrush(Vertical(1.6, 16.4, {{0, QColor(0xE6, 0xE6, 0xE6)}, {1, QColor(0xB8, 0xB8, 0xB8)}}));
    painter.drawPath(arrow);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(QColor(0x94, 0x94, 0x94), 1.0));
    painter.drawPath(arrow);
}

void PaintAppIcon(QPainter& painter, const QRectF& rect) {
    if (rect.isEmpty()) {
        return;
    }
    PainterScope scope(painter);
    FitDesign(painter, rect, QSizeF(256, 256));
    // One device pixel in design units, so small icons keep visible strokes and drop detail.
    OpenBook(painter, DevicePixel(painter));
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

namespace {
// The program's picture, drawn at the size asked for when it is asked for: the window system
// takes a window's icons once, and the large ones need not stay in memory after.
class AppIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        PaintAppIcon(*painter, QRectF(rect));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return Render(size, 1.0, [](QPainter& p, const QRectF& r) { PaintAppIcon(p, r); });
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 16), QSize(24, 24),   QSize(32, 32),  QSize(48, 48),
                QSize(64, 64), QSize(128, 128), QSize(256, 256)};
    }
    QIconEngine* clone() const override { return new AppIconEngine; }
    QString key() const override { return QStringLiteral("QuillmarshAppIcon"); }
};
} // namespace

QIcon AppIcon() {
    return QIcon(new AppIconEngine);
}
} // namespace Artwork
