#pragma once

#include <QColor>
#include <QGradient>
#include <QPainterPath>
#include <QPen>
#include <QRectF>

#include <initializer_list>
#include <utility>
#include <vector>

class QPainter;

// The drawing helpers shared by the program's pictures (Artwork.cpp, CommandIcons.cpp).
namespace Artwork {

// Every picture leaves the caller's painter exactly as it found it.
class PainterScope {
public:
    explicit PainterScope(QPainter& painter);
    ~PainterScope();
    PainterScope(const PainterScope&) = delete;
    PainterScope& operator=(const PainterScope&) = delete;

private:
    QPainter& m_painter;
};

// The pictures are drawn in a fixed design box; this fits that box into rect, keeping its shape.
void FitDesign(QPainter& painter, const QRectF& rect, QSizeF design);
// One device pixel in the painter's current units (after FitDesign: in design units).
qreal DevicePixel(const QPainter& painter);

QPen Stroke(const QBrush& brush, qreal width, Qt::PenCapStyle cap = Qt::RoundCap);
QLinearGradient Vertical(qreal top, qreal bottom, std::initializer_list<std::pair<qreal, QColor>> stops);

// A closed polygon whose corners are rounded off, for the friendly soft-cornered shapes.
QPainterPath RoundedPolygon(const std::vector<QPointF>& points, qreal radius);
QPainterPath Circle(QPointF centre, qreal radius);

// The usual glossy icon body: soft drop shadow, gradient fill, outline and a sheen on the top half.
void GlossyShape(QPainter& painter, const QPainterPath& shape, const QGradient& fill, const QColor& outline,
                 qreal outlineWidth, const QRectF& sheen);

} // namespace Artwork
