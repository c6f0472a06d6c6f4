#pragma once

#include <QPointF>

// Where the find dialog and the hit markers go when a hit is shown. Pure geometry in twips:
// the day page's cells are in page coordinates, the notes panel and the dialog float on the
// main window, whose client area starts pageTop twips above the page.

// Which marker a hit shows: imgFound1 (an arrow above the cell) or imgFound2 (a ring on it).
enum class FoundMarker { Unchanged, Arrow, Ring };

struct MarkerSpot {
    FoundMarker marker = FoundMarker::Unchanged;
    QPointF at; // the marker's top left: on the page for a cell, on the main window for the notes
};

// The marker of a Time or Subject hit: the top rows of the two pages (0 and 6) have no room
// above them, so the ring goes on the cell's centre; any other row gets the arrow above it.
MarkerSpot RowMarker(int row, double left, double width, double top, double height, double arrowHeight);
// A Details hit: the arrow over the row, half a Time cell in from the Details cell's left.
MarkerSpot DetailsMarker(double left, double top, double timeWidth, double arrowHeight);

// A Notes hit: the arrow a little above the panel's top left, on the main window with the panel.
MarkerSpot NotesMarker(double panelLeft, double panelTop);

struct HitBox {
    int row = 0; // 0..11, or kNotesRow for the notes panel
    double left = 0;
    double width = 0;
    double top = 0;
    double height = 0;
};

struct DialogBox {
    double formLeft = 0; // the remembered position, in page coordinates
    double formTop = 0;
    double width = 0;
    double height = 0;
};

struct DialogMove {
    bool moved = false;
    QPointF to;         // the dialog's new top left on the main window
    MarkerSpot markers; // a notes hit may change the marker as well
};

// Moves the dialog off the hit when it covers it: to the other page for a cell, beside, above
// or below the panel for the notes. A dialog that does not cover the hit stays where it is.
DialogMove PlaceDialogOffHit(const HitBox& hit, const DialogBox& dialog, double pageWidth, double pageTop);
