#include "FoundItemPlacement.h"

#include "core/FindText.h"

namespace {
// The notes markers sit a little above the panel's top.
constexpr double kNotesArrowRise = 1000;
constexpr double kNotesRingRise = 300;
} // namespace

MarkerSpot RowMarker(int row, double left, double width, double top, double height, double arrowHeight) {
    if (row == 0 || row == 6) {
        return {FoundMarker::Ring, QPointF(left + width / 2, top + height / 2)};
    }
    return {FoundMarker::Arrow, QPointF(left + width / 2, top - arrowHeight)};
}

MarkerSpot DetailsMarker(double left, double top, double timeWidth, double arrowHeight) {
    return {FoundMarker::Arrow, QPointF(left + timeWidth / 2, top - arrowHeight)};
}

MarkerSpot NotesMarker(double panelLeft, double panelTop) {
    return {FoundMarker::Arrow, QPointF(panelLeft, panelTop - kNotesArrowRise)};
}

DialogMove PlaceDialogOffHit(const HitBox& hit, const DialogBox& dialog, double pageWidth, double pageTop) {
    const double L = hit.left;
    const double W = hit.width;
    const double T = hit.top;
    const double H = hit.height;
    const double Dw = dialog.width;
    const double Dh = dialog.height;
    const double FL = dialog.formLeft;
    const double FT = dialog.formTop;
    const bool notes = hit.row == kNotesRow;

    const bool across = (L <= FL && FL <= L + W) || (FL <= L && FL + Dw >= L);
    const bool down = notes ? FT + Dh >= T - pageTop : FT < T + H;
    DialogMove move;
    if (!across || !down) {
        return move;
    }
    move.moved = true;
    if (!notes) {
        move.to = hit.row <= 5 ? QPointF(pageWidth / 2, T) : QPointF(pageWidth / 2 - Dw, T);
        return move;
    }
    const MarkerSpot arrow = NotesMarker(L, T);
    if (Dw <= L) {
        move.to = QPointF(L - Dw, T + H - Dh);
        move.markers = arrow;
    } else if (pageWidth - (L + W) >= Dw) {
        move.to = QPointF(L + W, T + H - Dh);
        move.markers = arrow;
    } else if (Dh <= T) {
        move.to = QPointF((L + W / 2) / 2, T - Dh);
        move.markers = {FoundMarker::Ring, QPointF(L + W, T - kNotesRingRise)};
    } else {
        move.to = QPointF((L + W / 2) / 2, T + H);
        move.markers = arrow;
    }
    return move;
}
