#include "Printer.h"

#include "platform/Rounding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <cups/cups.h>
#include <dlfcn.h>

#include <optional>

namespace {
struct Seam {
    bool active = false;
    QStringList names;
    QString folder;
    QString defaultName;
    QStringList jobFiles;
    int failAtPage = 0;
    int jobsHandedOver = 0;
    int refuseJob = 0; // counted in jobs handed over
    QString refusal;
};
Seam& TheSeam() {
    static Seam seam;
    return seam;
}

const QString kPdfPort = QStringLiteral("PDF:");
const QString kPdfDriver = QStringLiteral("PDF");

// libcups is opened at the first hand-over rather than linked: linked, it and a score of the
// libraries it needs would load at every start of the program, printing or not.
#define QLM_CUPS_FUNCTIONS(F)                                                                                \
    F(cupsAddOption)                                                                                         \
    F(cupsFreeOptions)                                                                                       \
    F(cupsPrintFile2) F(cupsLastError) F(cupsLastErrorString) F(httpConnect2) F(httpClose) F(cupsServer)     \
        F(ippPort) F(cupsEncryption) F(cupsGetNamedDest) F(cupsFreeDests)

struct CupsLibrary {
#define QLM_CUPS_MEMBER(name) decltype(&::name) name = nullptr;
    QLM_CUPS_FUNCTIONS(QLM_CUPS_MEMBER)
#undef QLM_CUPS_MEMBER
};

// The library's functions, or none when the print system is not installed.
const CupsLibrary* Cups() {
    static const std::optional<CupsLibrary> library = []() -> std::optional<CupsLibrary> {
        void* handle = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            return std::nullopt;
        }
        CupsLibrary cups;
        bool complete = true;
#define QLM_CUPS_RESOLVE(name)                                                                               \
    cups.name = reinterpret_cast<decltype(&::name)>(::dlsym(handle, #name));                                 \
    complete = complete && cups.name;
        QLM_CUPS_FUNCTIONS(QLM_CUPS_RESOLVE)
#undef QLM_CUPS_RESOLVE
        return complete ? std::optional<CupsLibrary>(cups) : std::nullopt;
    }();
    return library ? &*library : nullptr;
}

qint32 PointsToTwips(double points) {
    return CLng(points * 20);
}

// The job options Qt's own CUPS print engine sends, so that a job reaches the printer as before:
// the paper by the printer's name for it, the sides, and landscape. Each job is one copy.
int CupsJobOptions(const CupsLibrary& cups, const QPrinter& printer, cups_option_t** options) {
    const QPageLayout layout = printer.pageLayout();
    const bool landscape = layout.orientation() == QPageLayout::Landscape;
    const char* sides = "one-sided";
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        break;
    case QPrinter::DuplexAuto:
        sides = landscape ? "two-sided-short-edge" : "two-sided-long-edge";
        break;
    case QPrinter::DuplexLongSide:
        sides = "two-sided-long-edge";
        break;
    case QPrinter::DuplexShortSide:
        sides = "two-sided-short-edge";
        break;
    }
    int count = cups.cupsAddOption("media", layout.pageSize().key().toUtf8().constData(), 0, options);
    count = cups.cupsAddOption("sides", sides, count, options);
    if (landscape) {
        count = cups.cupsAddOption("landscape", "", count, options);
    }
    return count;
}

// Why CUPS did not take the last job. Where libcups has no word from the scheduler it says only
// "No such file or directory", for a queue that has gone and for a scheduler that is not running
// alike; asking the scheduler tells them apart.
QString CupsRefusal(const CupsLibrary& cups, const QByteArray& queue) {
    const ipp_status_t status = cups.cupsLastError();
    const QString said = QString::fromUtf8(cups.cupsLastErrorString());
    if (status != IPP_STATUS_ERROR_INTERNAL && status != IPP_STATUS_ERROR_NOT_FOUND &&
        status != IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
        return said;
    }
    http_t* http = cups.httpConnect2(cups.cupsServer(), cups.ippPort(), nullptr, AF_UNSPEC,
                                     cups.cupsEncryption(), 1, 5000, nullptr);
    if (!http) {
        return QStringLiteral("the print system (CUPS) is not running.");
    }
    cups_dest_t* dest = cups.cupsGetNamedDest(http, queue.constData(), nullptr);
    cups.httpClose(http);
    if (!dest) {
        return QStringLiteral("it is no longer installed.");
    }
    cups.cupsFreeDests(1, dest);
    return said;
}

QString NotAccepted(const QString& printer, const QString& reason) {
    return QStringLiteral("The printer \"%1\" did not accept the job: %2").arg(printer, reason);
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
    if (TheSeam().active && TheSeam().failAtPage == 1) {
        m_error = QStringLiteral("The printer did not accept the job.");
        return false;
    }
    // Qt's CUPS engine would hand the job over without telling whether CUPS took it, so the job
    // is drawn into a PDF on the printer's own page and handed over here.
    m_jobFile =
        std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("quillmarsh-job-XXXXXX.pdf")));
    if (!m_jobFile->open()) {
        m_error = QStringLiteral("The job could not be written: %1").arg(m_jobFile->errorString());
        m_jobFile.reset();
        return false;
    }
    // A PDF writer asks the print system nothing, where a new QPrinter would look for a default.
    m_job = std::make_unique<QPdfWriter>(m_jobFile->fileName());
    m_job->setResolution(m_printer->resolution());
    m_job->setPageLayout(m_printer->pageLayout());
    m_job->setTitle(documentName);
    m_documentName = documentName;
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_job.get())) {
        m_painter.reset();
        m_job.reset();
        m_jobFile.reset();
        m_error = QStringLiteral("The printer did not accept the job.");
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
    if ((failAt > 0 && m_page + 1 >= failAt) || !m_job->newPage()) {
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
    m_job.reset();
    bool ok = false;
    if (!ended) {
        m_error = QStringLiteral("The printer did not take the finished job.");
    } else {
        ok = handOver(m_jobFile->fileName());
    }
    m_jobFile.reset();
    return ok;
}

bool PrinterObject::handOver(const QString& file) {
    Seam& seam = TheSeam();
    if (seam.active) {
        const int job = ++seam.jobsHandedOver;
        if (job == seam.refuseJob) {
            m_error = NotAccepted(m_entry.DeviceName, seam.refusal);
            return false;
        }
        QDir().mkpath(seam.folder);
        const QString taken =
            QDir(seam.folder).filePath(QStringLiteral("job-%1.pdf").arg(job, 3, 10, QLatin1Char('0')));
        if (!QFile::copy(file, taken)) {
            m_error = NotAccepted(m_entry.DeviceName, QStringLiteral("the job could not be copied."));
            return false;
        }
        seam.jobFiles << taken;
        return true;
    }
    const CupsLibrary* cups = Cups();
    if (!cups) {
        m_error =
            NotAccepted(m_entry.DeviceName, QStringLiteral("the print system (CUPS) is not installed."));
        return false;
    }
    cups_option_t* options = nullptr;
    const int count = CupsJobOptions(*cups, *m_printer, &options);
    // CUPS takes a queue's name without the instance that lpoptions may add after a slash.
    const QByteArray queue = m_entry.DeviceName.section(QLatin1Char('/'), 0, 0).toUtf8();
    const int job =
        cups->cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.constData(), QFile::encodeName(file).constData(),
                             m_documentName.toUtf8().constData(), count, options);
    cups->cupsFreeOptions(count, options);
    if (job == 0) {
        m_error = NotAccepted(m_entry.DeviceName, CupsRefusal(*cups, queue));
        return false;
    }
    return true;
}

void PrinterObject::KillDoc() {
    if (!InJob()) {
        return;
    }
    m_painter->end();
    m_painter.reset();
    // A job that was cut short leaves nothing behind.
    m_job.reset();
    m_jobFile.reset();
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

void RefuseJob(int job, const QString& reason) {
    Seam& seam = TheSeam();
    seam.refuseJob = job > 0 ? seam.jobsHandedOver + job : 0;
    seam.refusal = reason;
}
} // namespace PrinterTestSeam
