#pragma once

#include <QIcon>
#include <QRectF>
#include <QStringList>

class QPainter;

// The pictures of the program's commands, drawn with QPainter when first shown, so they are
// sharp at any size and pixel ratio: the menu pictures by their keys ("Pack" ... "Update", "Check",
// "NotChecked"), and the tool bar's buttons by theirs (the menu's keys and "LowerLeft", "LowerRight",
// "Beside", "Opposite"), in an enabled and a disabled (greyed) look. A menu icon draws itself greyed in the
// disabled mode.
namespace Artwork {
QStringList MenuIconKeys();
QIcon MenuIcon(const QString& key);
QIcon ToolbarIcon(const QString& key, bool enabled);
// A tool-bar button's icon: the disabled look taken from `disabled`, every other from `normal`.
QIcon TwoLookIcon(const QIcon& normal, const QIcon& disabled);
// Draws the picture of a key into the rectangle; an unknown key draws nothing.
void PaintCommandIcon(QPainter& painter, const QRectF& rect, const QString& key, bool enabled);
} // namespace Artwork
