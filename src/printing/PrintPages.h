#pragma once

#include <QString>
#include <QtGlobal>

class QLabel;
class QWidget;
class RichTextBox;
class frmSchedule;
struct DayPageText;

// The printed pages: the shown day composed as formatted text, its pages printed inside the
// margins, the timetable and the screen view printed as pictures under a heading. Each print
// is one job; each answers false when the job failed (it is then dropped, and
// Printer().LastError() says why).

// The day the day page shows, exactly as shown.
DayPageText ShownDayPageText(frmSchedule& page);
// Writes the shown day into the preview's rtbPrint (loading the preview unseen).
void ComposeDayPage();
// Wraps the box's lines as the current printer will: the page width less both margins, which
// is the width it returns (twips).
qint32 SetRtfTargetDevice(RichTextBox& box, qint32 left, qint32 right);
// Prints the box's whole text as one job, page after page inside the margins (twips).
bool PrintRtf(RichTextBox& box, qint32 left, qint32 top, qint32 right, qint32 bottom);
// Prints the preview's timetable grid, which must be filled and shown, as one page.
bool PrintTimeTable();
// Prints the day page as it looks on screen, on one landscape page.
bool PrintSchedulePicture();
// Copies what a window shows on screen into a picture box, at its size in pixels.
void CapturePictureBoxImage(QWidget* source, QLabel* target);
void CaptureFormImage(QWidget* source, QLabel* target);
// Tells the teacher that a print failed and was dropped, and why (Printer().LastError()); what
// happened, when given, replaces the opening line.
void ReportPrintFailure(const QString& whatHappened = QString());
