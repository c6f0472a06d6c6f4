#pragma once

#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <QSize>

class QPainter;

// The program's own pictures, drawn with QPainter so they are sharp at any size and on HiDPI
// screens. Each Paint function fills the given rectangle (in the painter's coordinates).
namespace Artwork {

// Message-box icons, numbered as the message box asks for them: 1 information ("i" in a
// speech bubble), 2 question mark, 3 warning triangle, 4 exclamation mark on a shield.
void PaintMessageIcon(QPainter& painter, const QRectF& rect, int index);

// Binder pictures for the middle of the day page, numbered as BinderStyle: 1 "Coils",
// 2 "Rings", 3 "Black Coils", 4 "None" (an empty strip). Stretched to any height; designed for
// about 80 x 700 pixels.
void PaintBinder(QPainter& painter, const QRectF& rect, int style);

// Search-hit markers: 1 is drawn just above a cell, 2 on a cell's centre.
void PaintFoundMarker(QPainter& painter, const QRectF& rect, int which);

// The Previous (next = false) and Next day buttons' pictures.
void PaintDayArrow(QPainter& painter, const QRectF& rect, bool next, bool enabled);

// The program's icon: an open plan book.
void PaintAppIcon(QPainter& painter, const QRectF& rect);

// A pixmap of logicalSize drawn at devicePixelRatio, with a transparent background.
QPixmap RenderMessageIcon(int index, QSize logicalSize, qreal devicePixelRatio);
QPixmap RenderBinder(int style, QSize logicalSize, qreal devicePixelRatio);
QPixmap RenderFoundMarker(int which, QSize logicalSize, qreal devicePixelRatio);
QPixmap RenderDayArrow(bool next, bool enabled, QSize logicalSize, qreal devicePixelRatio);
QIcon AppIcon();

} // namespace Artwork
