#include "Printer.h"

#include "platform/Rounding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
struct Seam {
    bool active = false;
    QStringList names;
    QString folder;
    QString defaultName;
    QStringList jobFiles;
    int failAtPage = 0;
    int jobsStarted = 0;
};
Seam& TheSeam() {
    static Seam seam;
    return seam;
}

const QString kPdfPort = QStringLiteral("PDF:");
const QString kPdfDriver = QStringLiteral("PDF");

qint32 PointsToTwips(double points) {
    return CLng(points * 20);
}
} // namespace

QString PrinterEntryText(const PrinterEntry& printer) {
    return printer.DeviceName + QStringLiteral(" on ") + printer.Port;
}

QList<PrinterEntry> Printers() {
    QList<PrinterEntry> printers;
    const Seam& seam = TheSeam();
    if (seam.active) {
        for (const QString& name : seam.names) {
            printers << PrinterEntry{name, kPdfPort, kPdfDriver};
        }
        return printers;
    }
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
        if (info.isNull() || info.printerName().isEmpty()) {
            continue;
        }
        // CUPS names the place of a printer rather than a port; a queue without one is CUPS's.
        const QString port = info.location().isEmpty() ? QStringLiteral("CUPS") : info.location();
        printers << PrinterEntry{info.printerName(), port, info.makeAndModel()};
    }
    return printers;
}

QString DefaultPrinterName() {
    const Seam& seam = TheSeam();
    if (seam.active) {
        return seam.defaultName;
    }
    return QPrinterInfo::defaultPrinterName();
}

PrinterObject::PrinterObject() {
    Font = QFont(QStringLiteral("Arial"), 10);
}

PrinterObject::~PrinterObject() = default;

void PrinterObject::Release() {
    KillDoc();
    m_printer.reset();
    m_entry = PrinterEntry{};
}

void PrinterObject::SetCurrent(const PrinterEntry& printer) {
    if (InJob()) {
        KillDoc();
    }
    m_entry = printer;
    m_printer.reset();
    if (TheSeam().active) {
        if (!TheSeam().names.contains(printer.DeviceName)) {
            return;
        }
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setPageSize(QPageSize(QPageSize::Letter));
        m_printer->setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);
    } else {
        const QPrinterInfo info = QPrinterInfo::printerInfo(printer.DeviceName);
        m_printer = info.isNull() ? nullptr : std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
    applyOrientation();
}

void PrinterObject::SetOrientation(int orientation) {
    m_orientation = orientation == 2 ? 2 : 1;
    applyOrientation();
}

void PrinterObject::applyOrientation() {
    if (m_printer && !InJob()) {
        m_printer->setPageOrientation(m_orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
}

QRectF PrinterObject::pageRect(bool printable) const {
    if (!m_printer) {
        return QRectF();
    }
    const QPageLayout layout = m_printer->pageLayout();
    return printable ? layout.paintRect(QPageLayout::Point) : layout.fullRect(QPageLayout::Point);
}

qint32 PrinterObject::Width() const {
    return PointsToTwips(pageRect(false).width());
}

qint32 PrinterObject::Height() const {
    return PointsToTwips(pageRect(false).height());
}

qint32 PrinterObject::ScaleWidth() const {
    return PointsToTwips(pageRect(true).width());
}

qint32 PrinterObject::ScaleHeight() const {
    return PointsToTwips(pageRect(true).height());
}

qint32 PrinterObject::OffsetX() const {
    return PointsToTwips(pageRect(true).left());
}

qint32 PrinterObject::OffsetY() const {
    return PointsToTwips(pageRect(true).top());
}

QPaintDevice* PrinterObject::Device() const {
    return m_printer.get();
}

double PrinterObject::DeviceScale() const {
    return m_printer ? m_printer->resolution() / 1440.0 : 1.0;
}

bool PrinterObject::StartDoc(const QString& documentName) {
    m_error.clear();
    if (InJob()) {
        KillDoc();
    }
    if (!m_printer) {
        m_error = QStringLiteral("No printer is chosen, or the chosen printer is no longer installed.");
        return false;
    }
    Seam& seam = TheSeam();
    if (seam.active) {
        if (seam.failAtPage == 1) {
            m_error = QStringLiteral("The printer did not accept the job.");
            return false;
        }
        QDir().mkpath(seam.folder);
        m_jobFile =
            QDir(seam.folder)
                .filePath(QStringLiteral("job-%1.pdf").arg(++seam.jobsStarted, 3, 10, QLatin1Char('0')));
        m_printer->setOutputFileName(m_jobFile);
    }
    m_printer->setDocName(documentName);
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer.get())) {
        m_painter.reset();
        m_error = QStringLiteral("The printer did not accept the job.");
        if (!m_jobFile.isEmpty()) {
            QFile::remove(m_jobFile);
            m_jobFile.clear();
        }
        return false;
    }
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform);
    m_page = 1;
    CurrentX = 0;
    CurrentY = 0;
    return true;
}

bool PrinterObject::NewPage() {
    if (!InJob()) {
        return false;
    }
    const int failAt = TheSeam().active ? TheSeam().failAtPage : 0;
    if ((failAt > 0 && m_page + 1 >= failAt) || !m_printer->newPage()) {
        m_error = QStringLiteral("The printer stopped before page %1.").arg(m_page + 1);
        return false;
    }
    ++m_page;
    CurrentX = 0;
    CurrentY = 0;
    return true;
}

bool PrinterObject::EndDoc() {
    if (!InJob()) {
        return false;
    }
    const bool ended = m_painter->end();
    m_painter.reset();
    const bool ok = ended && m_printer->printerState() != QPrinter::Error;
    if (!ok) {
        m_error = QStringLiteral("The printer did not take the finished job.");
    }
    if (!m_jobFile.isEmpty()) {
        if (ok) {
            TheSeam().jobFiles << m_jobFile;
        } else {
            QFile::remove(m_jobFile);
        }
        m_jobFile.clear();
    }
    return ok;
}

void PrinterObject::KillDoc() {
    if (!InJob()) {
        return;
    }
    m_printer->abort();
    m_painter->end();
    m_painter.reset();
    // A job that was cut short leaves nothing behind.
    if (!m_jobFile.isEmpty()) {
        QFile::remove(m_jobFile);
        m_jobFile.clear();
    }
}

double PrinterObject::TextHeight() const {
    return m_printer ? QFontMetricsF(Font, m_printer.get()).height() / DeviceScale() : 0;
}

void PrinterObject::PrintText(const QString& text) {
    if (!InJob()) {
        return;
    }
    const double k = DeviceScale();
    const QFontMetricsF metrics(Font, m_printer.get());
    m_painter->setFont(Font);
    m_painter->setPen(Qt::black);
    m_painter->drawText(QPointF(CurrentX * k, CurrentY * k + metrics.ascent()), text);
    CurrentY += metrics.height() / k;
    CurrentX = 0;
}

void PrinterObject::PaintPicture(const QImage& picture, double x, double y, double width, double height) {
    if (!InJob() || picture.isNull()) {
        return;
    }
    const double k = DeviceScale();
    m_painter->drawImage(QRectF(x * k, y * k, width * k, height * k), picture);
}

PrinterObject& Printer() {
    static PrinterObject printer;
    static const bool releasedWithTheApplication = [] {
        // The printer's device belongs to the print plugin, which goes with the application.
        qAddPostRoutine([] { Printer().Release(); });
        return true;
    }();
    Q_UNUSED(releasedWithTheApplication);
    return printer;
}

namespace PrinterTestSeam {
void UsePdfPrinters(const QStringList& names, const QString& folder, const QString& defaultName) {
    Seam& seam = TheSeam();
    seam = Seam{};
    seam.active = true;
    seam.names = names;
    seam.folder = folder;
    seam.defaultName = defaultName.isEmpty() && !names.isEmpty() ? names.first() : defaultName;
    Printer().SetCurrent(PrinterEntry{});
}

void UseNoPrinters() {
    UsePdfPrinters({}, QString());
}

void UseSystemPrinters() {
    TheSeam() = Seam{};
}

bool Active() {
    return TheSeam().active;
}

QStringList JobFiles() {
    return TheSeam().jobFiles;
}

void FailAtPage(int page) {
    TheSeam().failAtPage = page;
}
} // namespace PrinterTestSeam
