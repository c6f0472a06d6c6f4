#pragma once

#include "widgets/TwipsGeometry.h"

#include <array>

// The day page's run-time layout as a function of the page's width and its controls' design
// sizes, all in twips: an open binder with six row blocks on each half.
struct DayPageLayoutInput {
    double W = 0;                 // the page's width
    double dateHeight = 324;      // lblDate: the height of every text line
    double dayWidth = 408;        // lblDay
    double schoolDayWidth = 1524; // lblSD
    double timeWidth = 1200;      // lblTime
    double caretWidth = 168;      // lblCaret
    double caretHeight = 216;
    double binderWidth = 876;     // imgBinder
    double calendarHeight = 2532; // fraCalendar: the bottom band holds the lower panels
    // How far above the bottom of the page's area the lower panels reach, when that is more
    // than their height: the band grows by the difference, so that the last rows can be
    // scrolled clear of the panels.
    double lowerPanelsReach = 0;
    double nextWidth = 552;    // cmdNext
    double buttonHeight = 300; // cmdPrev, cmdNext
};

struct DayPageLayout {
    double height = 0; // the page's height
    TwipsRect title;
    std::array<TwipsRect, 6> strips;
    std::array<double, 25> lineY{}; // ruling lines 1..24, each from 0 to W
    TwipsRect bottom;
    TwipsRect date;
    TwipsRect schoolDay;
    TwipsRect day;
    std::array<TwipsRect, 12> time;
    std::array<TwipsRect, 12> subject;
    std::array<TwipsRect, 12> caret;
    std::array<TwipsRect, 12> details;
    TwipsRect binder;
    TwipsRect previous;
    TwipsRect next;
};

DayPageLayout ComputeDayPageLayout(const DayPageLayoutInput& in);
