#include "PrintComposition.h"

#include "DayDatabase.h"
#include "ProgramState.h"
#include "platform/Rounding.h"

#include <algorithm>

namespace {
const QString kBreak = QStringLiteral("\r\n");
const QString kTenBlanks = QString(10, QLatin1Char(' '));

PrintRun Run(const QString& text, const QString& font, int size, bool bold, bool italic, bool underline) {
    return PrintRun{text, font, size, bold, italic, underline};
}
} // namespace

QList<PrintRun> ComposeDayPageRuns(const DayPageText& day, const ProgramState& g) {
    QList<PrintRun> runs;
    const QString teacher =
        g.CurrentTeacher >= 1 && g.CurrentTeacher <= 2 ? g.TeacherNames[g.CurrentTeacher] : QString();
    QString heading = day.date + kTenBlanks + teacher;
    if (day.dayCode != QLatin1String("x") && g.Cycle == 0) {
        heading += kBreak + QStringLiteral("School Day: ") + day.dayCode;
    }
    heading += kBreak + kBreak;
    runs << Run(heading, g.HeadFontName, g.HeadFontSize, g.HeadFontBold, g.HeadFontItalic, g.ULHeading);

    const QString arial = QStringLiteral("Arial");
    for (int r = 0; r < 12; ++r) {
        if (!day.time[r].isEmpty() || !day.subject[r].isEmpty()) {
            runs << Run(day.time[r] + kTenBlanks + day.subject[r] + kBreak, g.TSFontName, g.TSFontSize,
                        g.TSFontBold, g.TSFontItalic, g.ULTimeSubject);
        }
        runs << Run(day.details[r] + kBreak + kBreak, arial, 12, false, false, false);
    }

    if (g.PRNotes) {
        runs << Run(QStringLiteral("Notes: ") + kBreak, arial, 14, true, false, false);
        runs << Run(day.notes, arial, 12, false, false, false);
    }
    return runs;
}

QString RunsText(const QList<PrintRun>& runs) {
    QString text;
    for (const PrintRun& run : runs) {
        text += run.text;
    }
    return text;
}

bool PageStarts(const QList<TextLineBox>& lines, double pageHeight, QList<int>* starts) {
    starts->clear();
    const int n = static_cast<int>(lines.size());
    int first = 0;
    while (first < n) {
        const double top = lines[first].top;
        int next = first;
        while (next < n && lines[next].bottom - top <= pageHeight) {
            ++next;
        }
        if (next == first) {
            starts->clear();
            return false;
        }
        *starts << first;
        first = next;
    }
    if (starts->isEmpty()) {
        *starts << 0;
    }
    return true;
}

PicturePlacement CentrePicture(double pictureWidth, double pictureHeight, double headingHeight,
                               const PrintablePage& page) {
    PicturePlacement placed;
    const double roomHeight = std::max(0.0, page.printableHeight - headingHeight);
    double scale = 1;
    if (pictureWidth > page.printableWidth && pictureWidth > 0) {
        scale = page.printableWidth / pictureWidth;
    }
    if (pictureHeight * scale > roomHeight && pictureHeight > 0) {
        scale = roomHeight / pictureHeight;
    }
    placed.width = pictureWidth * scale;
    placed.height = pictureHeight * scale;
    // Centred on the paper, as measured from the printable area's corner.
    placed.x = std::clamp(CLng((page.width - placed.width) / 2) - page.offsetX, 0.0,
                          std::max(0.0, page.printableWidth - placed.width));
    placed.y = std::clamp(CLng((page.height - placed.height) / 2) - page.offsetY, 0.0,
                          std::max(0.0, roomHeight - placed.height));
    return placed;
}

QList<QDate> PrintRangeDays(const QList<QDate>& listed, const QDate& start, const QDate& end) {
    QList<QDate> days;
    for (const QDate& day : listed) {
        if (start <= day && day <= end) {
            days << day;
        }
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

QDate NeighbourDay(const QList<QDate>& days, const QDate& shown, bool forward) {
    QDate found;
    for (const QDate& day : days) {
        const bool beyond = forward ? day > shown : day < shown;
        const bool nearer = !found.isValid() || (forward ? day < found : day > found);
        if (beyond && nearer) {
            found = day;
        }
    }
    return found;
}

int WalkPrintRange(const QDate& start, const QDate& end, const std::function<bool()>& visit) {
    int visited = 0;
    for (const QDate& day : PrintRangeDays(ListedDays(), start, end)) {
        if (!GoToListedDate(day)) {
            continue;
        }
        ++visited;
        if (!visit()) {
            break;
        }
    }
    return visited;
}
