#include "PrintPages.h"

#include "Printer.h"
#include "RichTextBox.h"
#include "core/Message.h"
#include "core/PrintComposition.h"
#include "core/PrintSettings.h"
#include "core/ProgramState.h"
#include "daypage/frmSchedule.h"
#include "frmPrint.h"
#include "frmPrintPreview.h"
#include "platform/Twips.h"
#include "ui/MainFrame.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <memory>

namespace {
QString DocumentName() {
    return Globals().AppTitle.isEmpty() ? QStringLiteral("Quillmarsh") : Globals().AppTitle;
}

QString TeacherLoggedOn() {
    const ProgramState& g = Globals();
    return g.CurrentTeacher >= 1 && g.CurrentTeacher <= 2 ? g.TeacherNames[g.CurrentTeacher] : QString();
}

// The document's lines as laid out, without the empty lines that end it: they would only
// make a blank last page.
struct LaidOutText {
    QList<TextLineBox> boxes;
    QList<QPair<QTextBlock, int>> lines; // the block and the line's number in it
};

LaidOutText LaidOutLines(QTextDocument& doc) {
    LaidOutText text;
    int lastInked = -1;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        if (!layout) {
            continue;
        }
        const double blockTop = layout->position().y();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            text.boxes << TextLineBox{blockTop + line.y(), blockTop + line.y() + line.height(),
                                      block.position() + line.textStart()};
            text.lines << qMakePair(block, i);
            if (!block.text().mid(line.textStart(), line.textLength()).trimmed().isEmpty()) {
                lastInked = static_cast<int>(text.boxes.size()) - 1;
            }
        }
    }
    const qsizetype kept = std::max<qsizetype>(lastInked + 1, std::min<qsizetype>(text.boxes.size(), 1));
    text.boxes.resize(kept);
    text.lines.resize(kept);
    return text;
}

QSizeF PictureTwips(const QLabel* picture) {
    const QPixmap pixmap = picture->pixmap();
    const QSizeF pixels = pixmap.deviceIndependentSize();
    return QSizeF(TwipsX(pixels.width()), TwipsY(pixels.height()));
}

// Prints a captured picture under a one-line heading in "Arial" 14, as one job. A heading wider
// than the paper leaves it is set smaller, as the picture is shrunk to the paper.
bool PrintPictureWithHeading(const QString& heading, const QLabel* picture, const PicturePlacement& placed) {
    PrinterObject& printer = Printer();
    const double room = printer.ScaleWidth() - placed.x;
    for (int tries = 0; tries < 10 && room > 0 && printer.TextWidth(heading) > room; ++tries) {
        // Text narrows nearly in step with its size; a last bit of hinting takes another step.
        printer.Font.setPointSizeF(printer.Font.pointSizeF() *
                                   std::min(0.98, room / printer.TextWidth(heading)));
    }
    printer.CurrentX = placed.x;
    printer.CurrentY = placed.y;
    printer.PrintText(heading);
    printer.PaintPicture(picture->pixmap().toImage(), placed.x, printer.CurrentY, placed.width,
                         placed.height);
    return printer.EndDoc();
}

// Copies what the area of a widget shows on screen, with whatever floats over it there, at the
// screen's pixels.
void CaptureArea(QWidget* source, const QRect& area, QLabel* target) {
    // Whatever is waiting to be painted is painted first.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const QPixmap image = source->grab(area);
    target->hide();
    target->setPixmap(image);
    target->resize(image.deviceIndependentSize().toSize());
}

void CaptureWindowImage(QWidget* source, QLabel* target) {
    QWidget* window = source->window();
    const QRect area = QRect(source->mapTo(window, QPoint(0, 0)), source->size()) & window->rect();
    if (source->isVisible() && window != source && !area.isEmpty()) {
        // As the screen shows it: with what floats over it, clipped to the window.
        CaptureArea(window, area, target);
    } else {
        CaptureArea(source, source->rect(), target);
    }
}
} // namespace

DayPageText ShownDayPageText(frmSchedule& page) {
    DayPageText day;
    day.date = page.lblDate->Caption();
    day.dayCode = page.lblDay->Caption();
    for (int r = 0; r < 12; ++r) {
        day.time[r] = page.lblTime[r]->Caption();
        day.subject[r] = page.lblSubject[r]->Caption();
        day.details[r] = page.lblDetails[r]->Caption();
    }
    day.notes = page.txtNotes->Text();
    return day;
}

void ComposeDayPage() {
    ProgramState& g = Globals();
    RichTextBox& box = *frmPrintPreview::Get().rtbPrint;
    if (g.HeadFontName.isEmpty() || g.TSFontName.isEmpty()) {
        UseDefaultPrintFonts(g);
    }
    Printer().SetOrientation(g.PrintOrientation);
    g.PrintLineWidth = SetRtfTargetDevice(box, 360, 360);

    box.setSelStart(0);
    box.setSelLength(100000);
    box.setSelText(QString());
    for (const PrintRun& run : ComposeDayPageRuns(ShownDayPageText(frmSchedule::Get()), g)) {
        box.setSelFontName(run.fontName);
        box.setSelFontSize(run.fontSize);
        box.setSelBold(run.bold);
        box.setSelItalic(run.italic);
        box.setSelUnderline(run.underline);
        box.setSelText(run.text);
    }
}

qint32 SetRtfTargetDevice(RichTextBox& box, qint32 left, qint32 right) {
    const qint32 lineWidth = Printer().Width() - left - right;
    box.SetTargetLineWidth(std::max(lineWidth, 0));
    return lineWidth;
}

bool PrintRtf(RichTextBox& box, qint32 left, qint32 top, qint32 right, qint32 bottom) {
    PrinterObject& printer = Printer();
    if (!printer.HasPrinter()) {
        printer.SetError(
            QStringLiteral("No printer is chosen, or the chosen printer is no longer installed."));
        return false;
    }
    // The drawing area, measured from the printable area's corner and kept inside it.
    const double x0 = std::max(0, left - printer.OffsetX());
    const double y0 = std::max(0, top - printer.OffsetY());
    const double x1 = std::min(printer.ScaleWidth(), printer.Width() - right - printer.OffsetX());
    const double y1 = std::min(printer.ScaleHeight(), printer.Height() - bottom - printer.OffsetY());
    const QString noRoom = QStringLiteral("The margins leave no room on the page for a line of text.");
    if (x1 <= x0 || y1 <= y0) {
        printer.SetError(noRoom);
        return false;
    }

    // The text laid out in the printer's own measures, at the drawing area's width.
    const double k = printer.DeviceScale();
    std::unique_ptr<QTextDocument> doc(box.document()->clone());
    doc->documentLayout()->setPaintDevice(printer.Device());
    doc->setDocumentMargin(0);
    doc->setTextWidth((x1 - x0) * k);
    doc->size();
    const LaidOutText text = LaidOutLines(*doc);
    QList<int> starts;
    if (!PageStarts(text.boxes, (y1 - y0) * k, &starts)) {
        printer.SetError(noRoom);
        return false;
    }

    if (!printer.StartDoc(DocumentName())) {
        return false;
    }
    for (int page = 0; page < starts.size(); ++page) {
        if (page > 0 && !printer.NewPage()) {
            printer.KillDoc();
            return false;
        }
        if (text.lines.isEmpty()) {
            break;
        }
        // Line by line: the page holds only its own lines, not the rest of their paragraphs.
        const int first = starts[page];
        const int end = page + 1 < starts.size() ? starts[page + 1] : static_cast<int>(text.lines.size());
        QPainter* painter = printer.Painter();
        painter->save();
        painter->translate(x0 * k, y0 * k - text.boxes[first].top);
        painter->setPen(Qt::black);
        for (int i = first; i < end; ++i) {
            const QTextBlock& block = text.lines[i].first;
            block.layout()->lineAt(text.lines[i].second).draw(painter, block.layout()->position());
        }
        painter->restore();
    }
    return printer.EndDoc();
}

bool PrintTimeTable() {
    frmPrint& dialog = frmPrint::Get();
    CapturePictureBoxImage(frmPrintPreview::Get().picTimeTable, dialog.picSave);
    PrinterObject& printer = Printer();
    if (!printer.StartDoc(DocumentName())) {
        return false;
    }
    printer.CurrentX = 200;
    printer.CurrentY = 100;
    printer.PrintText(QString());
    printer.Font = QFont(QStringLiteral("Arial"), 14);
    PicturePlacement placed;
    placed.x = 200;
    placed.y = printer.CurrentY;
    const QSizeF size = PictureTwips(dialog.picSave);
    PrintablePage room;
    room.printableWidth = printer.ScaleWidth() - placed.x;
    room.printableHeight = printer.ScaleHeight() - placed.y;
    const PicturePlacement fitted = CentrePicture(size.width(), size.height(), printer.TextHeight(), room);
    placed.width = fitted.width;
    placed.height = fitted.height;
    const bool ok = PrintPictureWithHeading(QStringLiteral("Teacher TimeTable for... ") + TeacherLoggedOn(),
                                            dialog.picSave, placed);
    printer.Font = QFont(QStringLiteral("Arial"), 10);
    return ok;
}

bool PrintSchedulePicture() {
    PrinterObject& printer = Printer();
    frmPrint& dialog = frmPrint::Get();
    MainFrame& main = MainFrame::Get();
    frmSchedule& page = frmSchedule::Get();
    printer.SetOrientation(2);

    if (auto* frame = qobject_cast<QMdiSubWindow*>(page.parentWidget())) {
        frame->move(frame->x(), 0);
    }
    // The whole window below the tool bar as the teacher sees it: the page, and the panels that
    // float on the main window, reaching below the page as they may. The status bar lies outside
    // it and covers nothing.
    QWidget* area = main.clientArea;
    CaptureArea(area, QRect(0, main.mdiClient->y(), area->width(), area->height() - main.mdiClient->y()),
                dialog.picSave);

    printer.Font = QFont(QStringLiteral("Arial"), 14);
    const QSizeF size = PictureTwips(dialog.picSave);
    const PicturePlacement placed =
        CentrePicture(size.width(), size.height(), printer.TextHeight(),
                      PrintablePage{double(printer.Width()), double(printer.Height()),
                                    double(printer.OffsetX()), double(printer.OffsetY()),
                                    double(printer.ScaleWidth()), double(printer.ScaleHeight())});
    bool ok = printer.StartDoc(DocumentName());
    if (ok) {
        ok = PrintPictureWithHeading(QStringLiteral("Quillmarsh Plan for... ") + TeacherLoggedOn(),
                                     dialog.picSave, placed);
    }
    printer.Font = QFont(QStringLiteral("Arial"), 10);
    printer.SetOrientation(Globals().PrintOrientation);
    return ok;
}

void CapturePictureBoxImage(QWidget* source, QLabel* target) {
    CaptureWindowImage(source, target);
}

void CaptureFormImage(QWidget* source, QLabel* target) {
    CaptureWindowImage(source, target);
}

QString PrintFailureReason() {
    const QString reason = Printer().LastError();
    return reason.isEmpty() ? QStringLiteral("The printer did not say why.") : reason;
}

void ReportPrintFailure(const QString& whatHappened) {
    QString opening = whatHappened;
    if (opening.isEmpty()) {
        // A print system that went silent may yet have the job: it is not said to be cancelled.
        opening = Printer().NotAnswering()
                      ? QStringLiteral("The print was stopped.")
                      : QStringLiteral("The print could not be finished, and the job was "
                                       "cancelled.");
    }
    ShowMessage(opening + QStringLiteral("\r\n\r\n") + PrintFailureReason(), MsgOK, MsgWarning,
                Globals().AppTitle + QStringLiteral(" - Print"), 0);
}
