#include "DayPageLayout.h"

#include "platform/Rounding.h"

#include <algorithm>

DayPageLayout ComputeDayPageLayout(const DayPageLayoutInput& in) {
    DayPageLayout out;
    const double W = in.W;
    // Lengths are whole twips, rounded halves to even, and held in 32 bits: a page on a wide
    // screen is far more than 32,767 twips wide.
    const qint32 H = CLng(in.dateHeight);
    const qint32 RowPitch = CLng(1000 + in.dateHeight);

    // The title band, then a time/subject band at the top of each row block.
    out.title = {0, 0, W, static_cast<double>(H)};
    out.strips[0] = {0, static_cast<double>(H), W, static_cast<double>(H)};
    for (int k = 1; k <= 5; ++k) {
        out.strips[k] = {0, static_cast<double>((H + 1000) * k + H), W, static_cast<double>(H)};
    }

    // Four ruling lines under each of the six row blocks.
    qint32 Y = CLng(H + H + 200);
    int n = 1;
    for (int group = 0; group < 6; ++group) {
        for (int line = 0; line < 4; ++line) {
            out.lineY[n] = Y;
            Y += 240;
            ++n;
        }
        Y = CLng(Y + H + 42);
    }

    // The bottom band starts under the last block; the lower panels sit on it.
    const qint32 B = CLng(Y - H - 240 + 42);
    out.height = B + std::max(in.calendarHeight, in.lowerPanelsReach);

    // The date from the left edge; "School Day:" and the code at the right edge.
    out.date = {0, 0, W - in.dayWidth - in.schoolDayWidth, in.dateHeight};
    out.day = {W - in.dayWidth, 0, in.dayWidth, in.dateHeight};
    out.schoolDay = {W - in.dayWidth - in.schoolDayWidth, 0, in.schoolDayWidth, in.dateHeight};

    // Rows 0..5 on the left page, 6..11 on the right.
    for (int i = 0; i < 12; ++i) {
        double X0 = 0;
        int j = i;
        if (i >= 6) {
            j = i - 6;
            X0 = CLng(in.timeWidth / 2 + W / 2);
        }
        const double top = static_cast<double>(j * RowPitch + H);
        out.time[i] = {X0, top, in.timeWidth, static_cast<double>(H)};
        out.subject[i] = {X0 + in.timeWidth, top, W / 2 - 1.5 * in.timeWidth, static_cast<double>(H)};
        out.caret[i] = {X0, top + H, in.caretWidth, in.caretHeight};
        out.details[i] = {X0 + in.caretWidth, top + H, out.subject[i].width + in.timeWidth - in.caretWidth,
                          1000};
    }

    out.bottom = {0, static_cast<double>(B), W, out.height - B};

    // The binder down the middle, as tall as the page; Previous and Next just right of it.
    out.binder = {W / 2 - in.binderWidth / 2, 0, in.binderWidth, out.height};
    out.previous = {out.binder.left + in.binderWidth, 16, in.nextWidth, in.buttonHeight};
    out.next = {out.previous.left + in.nextWidth, 16, in.nextWidth, in.buttonHeight};
    return out;
}
