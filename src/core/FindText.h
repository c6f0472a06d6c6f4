#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

#include <array>
#include <functional>

// Find and replace over the day records: how a cell is matched and rewritten, and the walk
// from day to day through the day cursor. No windows here: the dialog reads the cells and
// shows the hits.

// The four search areas (FindSearchArea) and three regions (FindRegion).
enum FindAreaCode { kAreaTimeLines = 0, kAreaSubjectLines = 1, kAreaDetails = 2, kAreaNotes = 3 };
enum FindRegionCode { kRegionAll = 0, kRegionFirstToCurrent = 1, kRegionCurrentToLast = 2 };
// The row code of a Notes hit where the dialog is placed off it.
inline constexpr int kNotesRow = 99;

QString SearchAreaCaption(int area);
QString RegionCaption(int region);
// The field of the day table behind an area's cell (row 0..11; the notes have one).
QString AreaField(int area, int row);

// The last hit of one area.
struct FindHit {
    QString CellText;     // the cell as tested: in capitals without Match Case
    QString CellOriginal; // the cell as stored (without Match Case)
    int HitPos = 0;       // 1-based position of the text in CellText; 0 for a whole-cell hit
    int HitRow = 0;
};

// Tests one cell. Without Match Case the search text is put into capitals in place (and the
// cell compared in capitals). Whole-cell mode matches only a cell that is the search text.
// The text is plain: no character has a meaning of its own. An empty text matches nothing.
bool MatchCell(const QString& cell, QString& search, bool matchCase, bool wholeWord, FindHit& hit);

// The cell's new text for Replace: the whole cell for a whole-cell hit, otherwise every
// occurrence, exactly with Match Case (of findText in the cell as read), as text without it
// (of the typed text in the cell as stored).
QString ReplacedCellText(const FindHit& hit, bool matchCase, const QString& findText,
                         const QString& replaceText, const QString& typedFind, const QString& typedReplace);

// The messages that end a pass.
QString NotFoundMessage(int area);
QString PassCompleteMessage(bool replaced, qint32 count);
QString NothingReplacedMessage(int area);

// The progress bar's value, 0 to 100, for a 1-based position among total rows.
int SearchProgress(int position, int total);

// One pass of the search: what it looks for and where it stands. Counts are 32-bit: a
// ten-year book holds tens of thousands of cells.
struct FindPass {
    int area = kAreaDetails;
    int region = kRegionAll;
    bool matchCase = true;
    bool wholeWord = false;
    QDate searchStart;
    qint32 FoundCount = 0; // 0: the next step begins a new pass
    std::array<FindHit, 4> hits;
    // The next step looks at the last hit's cell again instead of the one after it.
    bool retryHit = false;
};

// Reads a cell of the shown day: row 0..11 of the area, or the notes.
using DayCellReader = std::function<QString(int area, int row)>;
// Reads it straight from the day cursor's current row.
QString CursorCell(int area, int row);

// One step of the walk over the day cursor (DayRecords()): on to the next cell holding the
// text, in the pass's area and region, continuing after the last hit (FoundCount > 0) or
// from the region's start. True on a hit: the cursor stays on its day and the area's hit
// record says where. False when the region has no further hit: the cursor is back on its
// first row and then on the pass's start date. The walk never wraps past the last day.
bool FindStep(FindPass& pass, QString& search, const DayCellReader& read);
