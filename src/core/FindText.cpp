#include "FindText.h"

#include "DayDatabase.h"
#include "platform/DateText.h"
#include "platform/Recordset.h"

#include <cmath>

namespace {
const char* const kAreaCaptions[] = {"Time Lines", "Subject Lines", "Details", "Notes"};
const char* const kRegionCaptions[] = {"All Records", "First to Current Records", "Current to Last Records"};
constexpr int kLastRow = 11;

QString Items(qint32 count) {
    return QString::number(count) + (count == 1 ? QStringLiteral(" item.") : QStringLiteral(" items."));
}

QDate ShownDate(const Recordset& days) {
    return TextToDate(days.Field(QStringLiteral("Date")).toString());
}

// On to the next day of the region; false at its end. In "First to Current Records" the day
// after the start day is beyond the region, however the walk got there.
bool NextDay(const FindPass& pass) {
    Recordset& days = DayRecords();
    if (pass.region == kRegionFirstToCurrent && days.HasCurrentRow() && ShownDate(days) >= pass.searchStart) {
        days.MoveLast();
    }
    if (!days.AtEOF()) {
        days.MoveNext();
    }
    return days.HasCurrentRow();
}

void EndPass(const FindPass& pass) {
    DayRecords().MoveFirst();
    GoToDate(pass.searchStart);
}
} // namespace

QString SearchAreaCaption(int area) {
    return area >= 0 && area <= 3 ? QString::fromLatin1(kAreaCaptions[area]) : QString();
}

QString RegionCaption(int region) {
    return region >= 0 && region <= 2 ? QString::fromLatin1(kRegionCaptions[region]) : QString();
}

QString AreaField(int area, int row) {
    switch (area) {
    case kAreaTimeLines:
        return QStringLiteral("Time%1").arg(row + 1);
    case kAreaSubjectLines:
        return QStringLiteral("Subject%1").arg(row + 1);
    case kAreaDetails:
        return QStringLiteral("Details%1").arg(row + 1);
    default:
        return QStringLiteral("Notes");
    }
}

bool MatchCell(const QString& cell, QString& search, bool matchCase, bool wholeWord, FindHit& hit) {
    if (matchCase) {
        hit.CellText = cell;
    } else {
        hit.CellOriginal = cell;
        hit.CellText = cell.toUpper();
        search = search.toUpper();
    }
    hit.HitPos = wholeWord || search.isEmpty() ? 0 : static_cast<int>(hit.CellText.indexOf(search)) + 1;
    return !search.isEmpty() && (hit.CellText == search || hit.HitPos > 0);
}

QString ReplacedCellText(const FindHit& hit, bool matchCase, const QString& findText,
                         const QString& replaceText, const QString& typedFind, const QString& typedReplace) {
    if (hit.HitPos < 1) {
        return typedReplace;
    }
    if (matchCase) {
        return QString(hit.CellText).replace(findText, replaceText, Qt::CaseSensitive);
    }
    return QString(hit.CellOriginal).replace(typedFind, typedReplace, Qt::CaseInsensitive);
}

QString NotFoundMessage(int area) {
    return QStringLiteral("Search Text Not Found\r\nin ") + SearchAreaCaption(area) + QStringLiteral(".");
}

QString PassCompleteMessage(bool replaced, qint32 count) {
    return QStringLiteral("Search Area Complete.\r\n\r\n") +
           (replaced ? QStringLiteral("Replaced ") : QStringLiteral("Found ")) + Items(count);
}

QString NothingReplacedMessage(int area) {
    return NotFoundMessage(area) + QStringLiteral("\r\n\r\nNo Replacements were made.");
}

int SearchProgress(int position, int total) {
    if (total <= 0 || position <= 0) {
        return 0;
    }
    const double percent = static_cast<double>(qMin(position, total)) / total * 100.0;
    return static_cast<int>(std::lround(percent));
}

QString CursorCell(int area, int row) {
    const QVariant value = DayRecords().Field(AreaField(area, row));
    return value.isNull() ? QString() : value.toString();
}

bool FindStep(FindPass& pass, QString& search, const DayCellReader& read) {
    Recordset& days = DayRecords();
    FindHit& hit = pass.hits[static_cast<size_t>(qBound(0, pass.area, 3))];
    const bool notes = pass.area == kAreaNotes;
    const int lastRow = notes ? 0 : kLastRow;
    int row = 0;
    if (pass.retryHit) {
        pass.retryHit = false;
        row = notes ? 0 : qBound(0, hit.HitRow, kLastRow);
    } else if (pass.FoundCount > 0) {
        if (!notes && hit.HitRow < kLastRow) {
            row = hit.HitRow + 1;
        } else if (!NextDay(pass)) {
            EndPass(pass);
            return false;
        }
    } else if (pass.region != kRegionCurrentToLast) {
        days.MoveFirst();
    }
    FindHit tested = hit;
    while (days.HasCurrentRow()) {
        for (int r = row; r <= lastRow; ++r) {
            if (MatchCell(read(pass.area, r), search, pass.matchCase, pass.wholeWord, tested)) {
                tested.HitRow = r;
                hit = tested;
                ++pass.FoundCount;
                return true;
            }
        }
        row = 0;
        if (!NextDay(pass)) {
            break;
        }
    }
    EndPass(pass);
    return false;
}
