#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>

class QPainter;
class QPaintDevice;
class QBuffer;
class QPdfWriter;
class JobFile;

// One installed printer as the printers collection lists it.
struct PrinterEntry {
    QString DeviceName;
    QString Port;
    QString DriverName;
    // The paper the printer takes by default and the edge it cannot print on, as the print system
    // listed them, and its names for that paper and its sides, which each job asks for. A printer
    // that did not say has no paper here and prints on the usual paper of the teacher's country.
    QPageLayout Paper;
    QByteArray Media;
    QByteArray Sides;
    bool operator==(const PrinterEntry&) const = default;
};

// "device on port", as the print dialog and the preview show a printer.
QString PrinterEntryText(const PrinterEntry& printer);

// The system's printers in the system's order, each with its paper, or the test seam's. Printers
// whose name cannot be read are left out. The list and the default are asked of the print system
// together, each on a connection of the program's own, within the bounded wait, and once in a
// print command (PrintCommand): a lookup that is not answered in time gives neither, and
// PrintSystemAnswered() is then false.
QList<PrinterEntry> Printers();
// The queue name of the system's default printer (the teacher's own choice in lpoptions or
// $PRINTER first, as every CUPS program takes it); empty when there is none.
QString DefaultPrinterName();

// Jobs are handed to CUPS by the program itself run with this argument, the queue, the job's
// file, its title and name=value options; it says "job" and the job's number, "refused" and why,
// or "silent". The window ends it when the print system's wait is over. Without the helper a job
// is handed over in a thread.
inline constexpr char HandOverCommand[] = "--hand-over";
void UseHandOverHelper(const QString& program);
int HandOverJobFromCommandLine(int argc, char** argv);

// Removes the job files that a print killed half-way left in the temporary folder (they hold
// lesson content); a file whose print still runs is locked by it and stays.
void RemoveStaleJobFiles();

// The printer object: the current printer, its orientation, its page in twips and one print job
// at a time. Positions are twips from the top-left corner of the printable area, as the
// program's print procedures measure them.
class PrinterObject {
public:
    PrinterObject();
    ~PrinterObject();
    PrinterObject(const PrinterObject&) = delete;
    PrinterObject& operator=(const PrinterObject&) = delete;

    // Takes the printer and its paper as the printer list gave them: nothing more is asked.
    void SetCurrent(const PrinterEntry& printer);
    // No printer is current any more.
    void Release();
    bool HasPrinter() const { return m_measures != nullptr; }
    PrinterEntry Current() const { return m_entry; }

    // 1 portrait, 2 landscape.
    int Orientation() const { return m_orientation; }
    void SetOrientation(int orientation);

    // The paper, the printable area and the paper's edge to the printable area, in twips.
    qint32 Width() const;
    qint32 Height() const;
    qint32 ScaleWidth() const;
    qint32 ScaleHeight() const;
    qint32 OffsetX() const;
    qint32 OffsetY() const;
    // The printer's device, to measure text as it will print; null without a printer.
    QPaintDevice* Device() const;
    // Device units in one twip.
    double DeviceScale() const;

    // A job: StartDoc opens it, NewPage begins the next page, EndDoc hands it to the print system
    // (which may refuse it, or not answer in time); KillDoc drops a job that went wrong. Each
    // answers false on a failure, with LastError saying why. The job is drawn as a PDF in memory on
    // the printer's page; EndDoc writes and syncs all of it into a temporary file, checking every
    // write, and hands over only a file written whole. The file is gone once the job has ended.
    bool StartDoc(const QString& documentName);
    bool InJob() const { return m_painter != nullptr; }
    // The job's painter, in device units with the origin at the printable area's corner.
    QPainter* Painter() const { return m_painter.get(); }
    bool NewPage();
    bool EndDoc();
    void KillDoc();
    QString LastError() const { return m_error; }
    void SetError(const QString& error) {
        m_error = error;
        m_notAnswering = false;
        m_mayStillPrint = false;
    }
    // The last failure was the print system's silence, not a refusal.
    bool NotAnswering() const { return m_notAnswering; }
    // The last job failed after its document may have reached the print system: it may print
    // all the same.
    bool MayStillPrint() const { return m_mayStillPrint; }

    // Text and pictures at a position, as the program prints headings over pictures: the text's
    // top stands at CurrentY, which then moves down a line (CurrentX goes back to 0).
    double CurrentX = 0;
    double CurrentY = 0;
    QFont Font;
    void PrintText(const QString& text);
    double TextHeight() const;
    double TextWidth(const QString& text) const;
    void PaintPicture(const QImage& picture, double x, double y, double width, double height);

private:
    void applyOrientation();
    // The paper or its printable area, in points; empty without a printer.
    QRectF pageRect(bool printable) const;
    bool writeJob();
    bool handOver();
    void setNotAnswering();

    PrinterEntry m_entry;
    // The current printer's paper in the chosen orientation.
    QPageLayout m_paper;
    // Measures text as the job's PDF writer will draw it; null without a printer.
    std::unique_ptr<QPdfWriter> m_measures;
    // Shared with a hand-over that may still read it after the window stopped waiting.
    std::shared_ptr<JobFile> m_jobFile;
    std::unique_ptr<QBuffer> m_jobData;
    std::unique_ptr<QPdfWriter> m_job;
    std::unique_ptr<QPainter> m_painter;
    QString m_documentName;
    int m_page = 0;
    int m_orientation = 1;
    QString m_error;
    bool m_notAnswering = false;
    bool m_mayStillPrint = false;
};

PrinterObject& Printer();

// Tests print without a printer: the seam's printers take PDF files on Letter paper with a
// quarter-inch edge the printer cannot reach, one file per job, into a folder. An empty list is
// a computer without printers.
namespace PrinterTestSeam {
// The default is the first name unless another is given (one not in the list is a default
// printer that has gone away).
void UsePdfPrinters(const QStringList& names, const QString& folder, const QString& defaultName = QString());
void UseNoPrinters();
// The seam's printers take paper of this size, with the same edge.
void UsePaper(const QPageSize& size);
void UseSystemPrinters();
bool Active();
// The files of the jobs sent so far, in order.
QStringList JobFiles();
// The next jobs fail as a printer would when they reach this page (1: at the start); 0 never.
void FailAtPage(int page);
// The print system refuses the job'th job handed to it from now on (1: the next one), giving
// this reason, as CUPS refuses a job for a queue that rejects jobs or has gone; the jobs
// before and after it are taken.
void RefuseJob(int job, const QString& reason);
// The print system stops answering, as a scheduler stopped with SIGSTOP does: job 0 at once for
// every question (the printer lists, the default printer, the hand-overs), a later job from the
// job'th hand-over from now on (1: the next). Whoever asks then hangs until ResumeAnswering or
// until the seam is reset, whatever the bound; a hand-over that was given up then drops its job.
void StopAnswering(int job = 0);
void ResumeAnswering();
} // namespace PrinterTestSeam
