#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <functional>

struct ProgramState;

// A printed day page is written afresh as formatted text, not copied from the screen. These are
// the texts and formats it is made of, and the walk through a range of days to print.

// What the day page shows, exactly as shown: the date line, the day code, the twelve rows and
// the notes.
struct DayPageText {
    QString date;
    QString dayCode;
    std::array<QString, 12> time;
    std::array<QString, 12> subject;
    std::array<QString, 12> details;
    QString notes;
};

// One piece of text in one format; line breaks are CR LF.
struct PrintRun {
    QString text;
    QString fontName;
    int fontSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// The day page as it prints, in order: the heading (date, ten blanks, the teacher logged on,
// and "School Day: " with the code only for a taught day of the six-day cycle), then each row's
// time and subject line (only where either is filled) and its details, then the notes when
// they are printed.
QList<PrintRun> ComposeDayPageRuns(const DayPageText& day, const ProgramState& g);
// The runs' text joined, as the page holds it.
QString RunsText(const QList<PrintRun>& runs);

// A laid-out line of the printed text: its top and bottom on the laid-out text (in any unit)
// and the index of its first character.
struct TextLineBox {
    double top = 0;
    double bottom = 0;
    int firstChar = 0;
};
// Splits the lines into pages of the given height, each page beginning with the first line the
// page before could not take. Gives the index of each page's first line (one empty page for no
// lines at all); false, with no pages, when a page could not take even one line, so a page
// that takes nothing never repeats without end.
bool PageStarts(const QList<TextLineBox>& lines, double pageHeight, QList<int>* starts);

// Where a picture prints under its one-line heading, in twips from the printable area's
// corner: at its own size, or shrunk (keeping its shape) to what the printable area holds, and
// placed as near the paper's centre as the printable area allows.
struct PicturePlacement {
    double x = 0;
    double y = 0; // the heading's top; the picture follows one heading line below
    double width = 0;
    double height = 0;
};
struct PrintablePage {
    double width = 0; // the paper
    double height = 0;
    double offsetX = 0; // the paper's edge to the printable area
    double offsetY = 0;
    double printableWidth = 0;
    double printableHeight = 0;
};
PicturePlacement CentrePicture(double pictureWidth, double pictureHeight, double headingHeight,
                               const PrintablePage& page);

// The days a range prints, in date order: each listed day (listed: the day table's dates, in
// its order) from start to end. Days the list leaves out (weekends with School Days on, the
// partner's days, days after the year) are passed over. The print and the preview's stepping both
// take their days from here.
QList<QDate> PrintRangeDays(const QList<QDate>& listed, const QDate& start, const QDate& end);
// The day of those days just after (forward) or just before the shown one; none at either end.
QDate NeighbourDay(const QList<QDate>& days, const QDate& shown, bool forward);

// Walks the days the range prints: the day cursor stands on each day while visit runs. Stops
// when visit answers false. Returns how many days were visited.
int WalkPrintRange(const QDate& start, const QDate& end, const std::function<bool()>& visit);
