#pragma once

#include <QPixmap>
#include <QRectF>
#include <QSize>

class QPainter;

// The set-up wizard's pictures, numbered as its image list: 1 to 5 the icons of the five steps
// (mode, users, school-year dates, timetable, review), 6 "Complete", 7 "InComplete",
// 8 "Changed". Drawn in a 32 x 32 design box fitted into the rectangle.
namespace SetupArtwork {
inline constexpr int kPictures = 8;
void PaintPicture(QPainter& painter, const QRectF& rect, int index);
QPixmap RenderPicture(int index, QSize logicalSize, qreal devicePixelRatio);
} // namespace SetupArtwork

// The wizard's image list: its pictures by number, drawn at the size a control shows them.
struct SetupImageList {
    static constexpr int Count = SetupArtwork::kPictures;
    QPixmap Picture(int index, int pixels, qreal devicePixelRatio) const {
        return SetupArtwork::RenderPicture(index, QSize(pixels, pixels), devicePixelRatio);
    }
};
