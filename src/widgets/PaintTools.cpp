#include "PaintTools.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace Artwork {

PainterScope::PainterScope(QPainter& painter) : m_painter(painter) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(Qt::NoBrush);
}

PainterScope::~PainterScope() {
    m_painter.restore();
}

void FitDesign(QPainter& painter, const QRectF& rect, QSizeF design) {
    const qreal scale = std::min(rect.width() / design.width(), rect.height() / design.height());
    painter.translate(rect.center());
    painter.scale(scale, scale);
    painter.translate(-design.width() / 2, -design.height() / 2);
}

qreal DevicePixel(const QPainter& painter) {
    const QTransform toDevice = painter.deviceTransform();
    const qreal devicePerUnit = std::hypot(toDevice.m11(), toDevice.m12());
    return devicePerUnit > 0 ? 1.0 / devicePerUnit : 1.0;
}

QPen Stroke(const QBrush& brush, qreal width, Qt::PenCapStyle cap) {
    return QPen(brush, width, Qt::SolidLine, cap, Qt::RoundJoin);
}

QLinearGradient Vertical(qreal top, qreal bottom, std::initializer_list<std::pair<qreal, QColor>> stops) {
    QLinearGradient gradient(0, top, 0, bottom);
    for (const auto& [at, color] : stops) {
        gradient.setColorAt(at, color);
    }
    return gradient;
}

QPainterPath RoundedPolygon(const std::vector<QPointF>& points, qreal radius) {
    QPainterPath path;
    const size_t count = points.size();
    for (size_t i = 0; i < count; ++i) {
        const QPointF corner = points[i];
        const QPointF before = points[(i + count - 1) % count];
        const QPointF after = points[(i + 1) % count];
        auto toward = [&](QPointF other) {
            const QPointF d = other - corner;
            const qreal length = std::hypot(d.x(), d.y());
            const qreal r = std::min(radius, length / 2);
            return length > 0 ? corner + d * (r / length) : corner;
        };
        const QPointF in = toward(before);
        const QPointF out = toward(after);
        if (i == 0) {
            path.moveTo(in);
        } else {
            path.lineTo(in);
        }
        path.quadTo(corner, out);
    }
    path.closeSubpath();
    return path;
}

QPainterPath Circle(QPointF centre, qreal radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

void GlossyShape(QPainter& painter, const QPainterPath& shape, const QGradient& fill, const QColor& outline,
                 qreal outlineWidth, const QRectF& sheen) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 45));
    painter.drawPath(shape.translated(0, outlineWidth * 0.9));

    painter.setBrush(fill);
    painter.drawPath(shape);

    painter.save();
    painter.setClipPath(shape);
    QLinearGradient gloss(0, sheen.top(), 0, sheen.bottom());
    gloss.setColorAt(0, QColor(255, 255, 255, 150));
    gloss.setColorAt(1, QColor(255, 255, 255, 15));
    painter.setBrush(gloss);
    painter.drawEllipse(sheen);
    painter.restore();

    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(outline, outlineWidth));
    painter.drawPath(shape);
}

} // namespace Artwork
