#include "Printer.h"

#include "PrintSystem.h"
#include "platform/FileCopy.h"
#include "platform/Rounding.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QUrl>

#include <cups/cups.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace {
// Holds whoever asks a silent seam until it answers again.
class Silence {
public:
    void Wait() {
        std::unique_lock lock(m_mutex);
        m_ended.wait(lock, [this] { return m_over; });
    }
    void End() {
        {
            const std::lock_guard lock(m_mutex);
            m_over = true;
        }
        m_ended.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_over = false;
};

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
    std::shared_ptr<Silence> silence;
    bool lookupsSilent = false;
    QPageLayout paper;     // of every printer; Letter when none is given
    int silentFromJob = 0; // counted in jobs handed over
};
Seam& TheSeam() {
    static Seam seam;
    return seam;
}

// A new seam: whoever hangs on the old one's silence goes on, and the waits are the program's.
void ResetSeam(Seam fresh) {
    Seam& seam = TheSeam();
    if (seam.silence) {
        seam.silence->End();
    }
    seam = std::move(fresh);
    PrinterTestSeam::SetAnswerWait(kPrintSystemWait);
}

const QString kPdfPort = QStringLiteral("PDF:");
const QString kPdfDriver = QStringLiteral("PDF");

// libcups is opened when the print system is first asked rather than linked: linked, it and a
// score of the libraries it needs would load at every start of the program, printing or not.
// clang-format off
#define QLM_CUPS_FUNCTIONS(F) \
    F(cupsAddOption) \
    F(cupsFreeOptions) \
    F(cupsEncodeOptions2) \
    F(cupsUser) \
    F(cupsStartDocument) \
    F(cupsWriteRequestData) \
    F(httpWrite2) \
    F(cupsGetResponse) \
    F(cupsCancelJob2) \
    F(cupsLastError) \
    F(cupsLastErrorString) \
    F(httpConnect2) \
    F(httpClose) \
    F(cupsServer) \
    F(ippPort) \
    F(cupsEncryption) \
    F(httpSetTimeout) \
    F(ippNewRequest) \
    F(ippAddString) \
    F(ippAddStrings) \
    F(cupsDoRequest) \
    F(cupsGetDefault2) \
    F(ippFirstAttribute) \
    F(ippNextAttribute) \
    F(ippFindAttribute) \
    F(ippGetName) \
    F(ippGetGroupTag) \
    F(ippGetString) \
    F(ippGetInteger) \
    F(ippGetCollection) \
    F(ippDelete)
// clang-format on

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

using JobOptions = QList<QPair<QByteArray, QByteArray>>;

// The job options: the paper and the sides by the printer's own names for its defaults, and
// landscape. Each job is one copy.
JobOptions CupsJobOptions(const PrinterEntry& printer, const QPageLayout& paper) {
    JobOptions options{{"media", printer.Media.isEmpty() ? paper.pageSize().key().toUtf8() : printer.Media}};
    if (!printer.Sides.isEmpty()) {
        options.append({"sides", printer.Sides});
    }
    // As `lp -o landscape` asks for it: CUPS reads the option with an empty value as false.
    if (paper.orientation() == QPageLayout::Landscape) {
        options.append({QByteArray("landscape"), QByteArray("true")});
    }
    return options;
}

// Each job is handed over within a bound of silence of its own, whatever the command waited
// before it.
std::chrono::steady_clock::time_point JobDeadline() {
    return std::chrono::steady_clock::now() + PrintSystemWait();
}

// Keeps a connection of ours waiting only while its exchange may go on.
int GoOnWhileAllowed(http_t*, void* data) {
    auto* exchange = static_cast<PrintSystemExchange*>(data);
    if (exchange->GiveUp()) {
        exchange->NoteTimedOut();
        return 0;
    }
    return 1;
}

// A connection of our own to the scheduler, which gives up when the exchange does: the
// library's own connection waits minutes for a scheduler that took the connection and went
// silent. Null when none could be made (the scheduler is not running, or the time is over).
http_t* Connect(const CupsLibrary& cups, PrintSystemExchange& exchange) {
    http_t* http = cups.httpConnect2(cups.cupsServer(), cups.ippPort(), nullptr, AF_UNSPEC,
                                     cups.cupsEncryption(), 1, exchange.MillisecondsLeft(), nullptr);
    if (!http) {
        if (exchange.GiveUp()) {
            exchange.NoteTimedOut();
        }
        return nullptr;
    }
    // Looked at every quarter second while a wait lasts.
    cups.httpSetTimeout(http, 0.25, &GoOnWhileAllowed, &exchange);
    return http;
}

// A page with an edge of this many points all round.
QPageLayout PaperWithEdge(const QPageSize& size, double points) {
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(points, points, points, points),
                       QPageLayout::Point);
}

// The paper of a printer that did not name its own: the usual one where the teacher lives.
QPageLayout UsualPaper() {
    const bool letter = QLocale::system().measurementSystem() != QLocale::MetricSystem;
    return PaperWithEdge(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), 18);
}

// A size from a self-describing paper name such as "na_letter_8.5x11in" or "iso_a4_210x297mm".
QPageLayout PaperFromMediaName(const QByteArray& media) {
    static const QRegularExpression size(QStringLiteral("_([0-9.]+)x([0-9.]+)(in|mm)$"));
    const QRegularExpressionMatch match = size.match(QString::fromUtf8(media));
    if (!match.hasMatch()) {
        return QPageLayout();
    }
    const QPageSize::Unit unit =
        match.captured(3) == QLatin1String("in") ? QPageSize::Inch : QPageSize::Millimeter;
    return PaperWithEdge(QPageSize(QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()), unit,
                                   QString(), QPageSize::FuzzyMatch),
                         18);
}

// The paper and the unprintable edge of a media-col-default, measured in hundredths of a
// millimetre.
QPageLayout PaperFromMediaCol(const CupsLibrary& cups, ipp_t* media) {
    ipp_attribute_t* size = cups.ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION);
    ipp_t* dimensions = size ? cups.ippGetCollection(size, 0) : nullptr;
    ipp_attribute_t* x =
        dimensions ? cups.ippFindAttribute(dimensions, "x-dimension", IPP_TAG_INTEGER) : nullptr;
    ipp_attribute_t* y =
        dimensions ? cups.ippFindAttribute(dimensions, "y-dimension", IPP_TAG_INTEGER) : nullptr;
    if (!x || !y || cups.ippGetInteger(x, 0) <= 0 || cups.ippGetInteger(y, 0) <= 0) {
        return QPageLayout();
    }
    const auto margin = [&cups, media](const char* name) {
        ipp_attribute_t* edge = cups.ippFindAttribute(media, name, IPP_TAG_INTEGER);
        return edge ? std::max(cups.ippGetInteger(edge, 0), 0) / 100.0 : 0.0;
    };
    const QPageSize page(QSizeF(cups.ippGetInteger(x, 0) / 100.0, cups.ippGetInteger(y, 0) / 100.0),
                         QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(page, QPageLayout::Portrait,
                       QMarginsF(margin("media-left-margin"), margin("media-top-margin"),
                                 margin("media-right-margin"), margin("media-bottom-margin")),
                       QPageLayout::Millimeter);
}

// Whether the last question asked on this thread had an answer that libcups could not read (it
// then says only that), rather than none in time.
bool AnswerUnreadable(const CupsLibrary& cups, const PrintSystemExchange& exchange) {
    return cups.cupsLastError() == IPP_STATUS_ERROR_INTERNAL && !exchange.TimedOut();
}

// The default printer's name (the teacher's own choice first, as libcups takes it); empty when
// there is none. An answer that could not be read sets unreadable.
QString AskDefaultName(const CupsLibrary& cups, http_t* http, const PrintSystemExchange& exchange,
                       std::atomic<bool>* unreadable) {
    const char* name = cups.cupsGetDefault2(http);
    if (!name && AnswerUnreadable(cups, exchange)) {
        *unreadable = true;
    }
    return QString::fromUtf8(name);
}

// The scheduler's queues, sorted by name as it keeps them, each with its paper and sides. An
// answer that could not be read (no list at all) sets unreadable.
QList<PrinterEntry> AskPrinterList(const CupsLibrary& cups, http_t* http, const PrintSystemExchange& exchange,
                                   std::atomic<bool>* unreadable) {
    static const char* const kWanted[] = {"printer-name",      "printer-location", "printer-make-and-model",
                                          "media-col-default", "media-default",    "sides-default"};
    ipp_t* request = cups.ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    cups.ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                       int(std::size(kWanted)), nullptr, kWanted);
    ipp_t* response = cups.cupsDoRequest(http, request, "/");
    if (!response && AnswerUnreadable(cups, exchange)) {
        *unreadable = true;
    }
    QList<PrinterEntry> printers;
    PrinterEntry printer;
    QPageLayout named;
    const auto done = [&printers, &printer, &named] {
        if (!printer.DeviceName.isEmpty()) {
            if (!printer.Paper.isValid()) {
                printer.Paper = named;
            }
            // CUPS names the place of a printer rather than a port; a queue without one is CUPS's.
            if (printer.Port.isEmpty()) {
                printer.Port = QStringLiteral("CUPS");
            }
            printers << printer;
        }
        printer = PrinterEntry{};
        named = QPageLayout();
    };
    for (ipp_attribute_t* attribute = response ? cups.ippFirstAttribute(response) : nullptr; attribute;
         attribute = cups.ippNextAttribute(response)) {
        const char* name = cups.ippGetName(attribute);
        if (!name || cups.ippGetGroupTag(attribute) != IPP_TAG_PRINTER) {
            done(); // the next printer's attributes follow
            continue;
        }
        const QByteArray key(name);
        const QByteArray text(key == "media-col-default" ? nullptr
                                                         : cups.ippGetString(attribute, 0, nullptr));
        if (key == "printer-name") {
            printer.DeviceName = QString::fromUtf8(text);
        } else if (key == "printer-location") {
            printer.Port = QString::fromUtf8(text);
        } else if (key == "printer-make-and-model") {
            printer.DriverName = QString::fromUtf8(text);
        } else if (key == "media-default") {
            printer.Media = text;
            named = PaperFromMediaName(text);
        } else if (key == "sides-default") {
            printer.Sides = text;
        } else if (key == "media-col-default") {
            if (ipp_t* media = cups.ippGetCollection(attribute, 0)) {
                printer.Paper = PaperFromMediaCol(cups, media);
            }
        }
    }
    done();
    cups.ippDelete(response);
    return printers;
}

const QString kNotRunning = QStringLiteral("the print system (CUPS) is not running.");

// The print system's statuses of success: the job was taken, perhaps with an option changed.
bool Succeeded(ipp_status_t status) {
    return status <= IPP_STATUS_OK_CONFLICTING;
}

// Why the print system did not take a job, from its answer to a question of ours; answered is
// false when none came that the program could read (libcups then says only that it could not).
QString Refusal(bool answered, ipp_status_t status, const QString& said) {
    if (!answered && status == IPP_STATUS_ERROR_INTERNAL) {
        QString text = PrintSystemUnreadableText() + QLatin1Char('.');
        text[0] = text[0].toLower();
        return text;
    }
    return status == IPP_STATUS_ERROR_NOT_FOUND ? QStringLiteral("it is no longer installed.") : said;
}

QString NotAccepted(const QString& printer, const QString& reason) {
    return QStringLiteral("The printer \"%1\" did not accept the job: %2").arg(printer, reason);
}

// What became of a job handed to CUPS: its number, or why it was refused; neither when the
// scheduler did not answer in time.
struct HandOver {
    int job = 0;
    QString refusal;
    // The document may have reached the scheduler, and no answer came: the job may still print.
    bool maybeSent = false;
};

// What a hand-over tells as it goes, from the worker that hands the job over: the print system
// created the job (its number), the document is about to go (false: it must not), and the whole
// document has gone. A job whose number is known and whose document went whole is the print
// system's: it prints whether or not the last answer comes.
struct HandOverSteps {
    std::function<void(int job)> created;
    std::function<bool()> startSending;
    std::function<void()> sentWhole;
};

// The helper's lines, each said as its step is reached: a helper ended before "sending" handed
// nothing over, and one ended after "sent" handed over all of it.
const QByteArray kCreated = "created ";
const QByteArray kSending = "sending";
const QByteArray kSent = "sent";

// Create-Job on our own connection, so that its answer is seen and bounds the wait: libcups's
// cupsCreateJob first looks the printer up twice, on connections it may open itself. The job's
// number, or 0 with the print system's answer in status and said (answered: there was one the
// program could read).
int CreateJob(const CupsLibrary& cups, http_t* http, const QByteArray& queue, const QByteArray& title,
              const JobOptions& options, ipp_status_t* status, QString* said, bool* answered) {
    ipp_t* request = cups.ippNewRequest(IPP_OP_CREATE_JOB);
    const QByteArray uri = "ipp://localhost/printers/" + QUrl::toPercentEncoding(QString::fromUtf8(queue));
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                      cups.cupsUser());
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.constData());
    cups_option_t* list = nullptr;
    int count = 0;
    for (const auto& [name, value] : options) {
        count = cups.cupsAddOption(name.constData(), value.constData(), count, &list);
    }
    cups.cupsEncodeOptions2(request, count, list, IPP_TAG_OPERATION);
    cups.cupsEncodeOptions2(request, count, list, IPP_TAG_JOB);
    cups.cupsFreeOptions(count, list);
    ipp_t* response = cups.cupsDoRequest(http, request, ("/printers/" + queue).constData());
    *status = cups.cupsLastError();
    *said = QString::fromUtf8(cups.cupsLastErrorString());
    *answered = response != nullptr;
    ipp_attribute_t* id = response ? cups.ippFindAttribute(response, "job-id", IPP_TAG_INTEGER) : nullptr;
    const int job = id && Succeeded(*status) ? cups.ippGetInteger(id, 0) : 0;
    cups.ippDelete(response);
    return job;
}

// Create-Job, then the document: a job created without its document never prints, so the
// moment the document starts is the one after which a cut-off job may print all the same, and
// once it has gone whole the job is the print system's. Every answer, and the document taken,
// gives the exchange its bound again.
HandOver HandOverToCups(const CupsLibrary& cups, const QByteArray& queue, const QByteArray& file,
                        const QByteArray& title, const JobOptions& options, PrintSystemExchange& exchange,
                        const HandOverSteps& steps) {
    HandOver outcome;
    http_t* http = Connect(cups, exchange);
    if (!http) {
        if (!exchange.TimedOut()) {
            outcome.refusal = kNotRunning;
        }
        return outcome;
    }
    ipp_status_t status = IPP_STATUS_OK;
    QString said;
    bool answered = false;
    const int job = CreateJob(cups, http, queue, title, options, &status, &said, &answered);
    if (job == 0) {
        if (!exchange.TimedOut()) {
            outcome.refusal = Refusal(answered, status, said);
        }
        cups.httpClose(http);
        return outcome;
    }
    exchange.NoteAnswer();
    steps.created(job);
    QFile document(QFile::decodeName(file));
    bool whole = false;
    if (!document.open(QIODevice::ReadOnly)) {
        outcome.refusal = QStringLiteral("the job could not be read: %1").arg(document.errorString());
    } else if ((outcome.maybeSent = steps.startSending())) {
        bool going = cups.cupsStartDocument(http, queue.constData(), job, title.constData(), CUPS_FORMAT_PDF,
                                            1) == HTTP_STATUS_CONTINUE;
        while (going && !document.atEnd()) {
            const QByteArray chunk = document.read(64 * 1024);
            going = !chunk.isEmpty() &&
                    cups.cupsWriteRequestData(http, chunk.constData(), size_t(chunk.size())) ==
                        HTTP_STATUS_CONTINUE;
        }
        // The end of the document, written before its answer is awaited.
        whole = going && cups.httpWrite2(http, "", 0) >= 0;
        if (whole) {
            exchange.NoteAnswer();
            steps.sentWhole();
        }
        // A write that failed awaits no answer: what libcups says of it is the reason.
        ipp_t* response = whole ? cups.cupsGetResponse(http, ("/printers/" + queue).constData()) : nullptr;
        status = cups.cupsLastError();
        said = QString::fromUtf8(cups.cupsLastErrorString());
        answered = response != nullptr || !whole;
        cups.ippDelete(response);
        // Taken, or gone whole with no word back that says otherwise.
        if (whole && (response == nullptr || Succeeded(status))) {
            cups.httpClose(http);
            return HandOver{job, QString()};
        }
        if (!exchange.TimedOut()) {
            outcome.refusal = Refusal(answered, status, said);
        }
    }
    // As cupsPrintFile2 does: the job goes, and the failure is the one told.
    cups.cupsCancelJob2(http, queue.constData(), job, 0);
    cups.httpClose(http);
    // An answer either way settles it.
    outcome.maybeSent = outcome.maybeSent && outcome.refusal.isEmpty();
    return outcome;
}

QString& HandOverHelper() {
    static QString helper;
    return helper;
}

// The hand-over in a helper process, ended when the print system has been silent for one bound.
// libcups, even on a connection of ours, may fall back on connections of its own and wait there
// for minutes: a thread stuck so would hand the job over whenever the scheduler woke up, after
// the teacher was told that it had been stopped. The helper says each step it reaches, and every
// line is the print system's progress: the wait starts again at each.
HandOver HandOverInHelper(const QByteArray& queue, const QByteArray& file, const QByteArray& title,
                          const JobOptions& options) {
    QStringList arguments{QString::fromLatin1(HandOverCommand), QString::fromUtf8(queue),
                          QFile::decodeName(file), QString::fromUtf8(title)};
    for (const auto& [name, value] : options) {
        arguments << QString::fromUtf8(name + '=' + value);
    }
    QProcess helper;
    QList<QByteArray> said;
    auto heard = std::chrono::steady_clock::now();
    const auto hear = [&helper, &said, &heard] {
        while (helper.canReadLine()) {
            said << helper.readLine().trimmed();
            heard = std::chrono::steady_clock::now();
        }
    };
    QObject::connect(&helper, &QProcess::readyReadStandardOutput, &helper, hear);
    helper.setStandardErrorFile(QProcess::nullDevice());
    helper.start(HandOverHelper(), arguments, QIODevice::ReadOnly);
    const bool cut = !WaitForPrintSystem([&helper] { return helper.state() == QProcess::NotRunning; },
                                         [&heard] { return heard + PrintSystemWait(); });
    if (cut) {
        helper.kill();
        helper.waitForFinished(1000);
    }
    if (helper.error() == QProcess::FailedToStart) {
        return HandOver{0, QStringLiteral("the program could not start its hand-over to the print system.")};
    }
    hear();
    said << helper.readAllStandardOutput().trimmed();
    int created = 0;
    bool sending = false;
    bool sent = false;
    for (const QByteArray& line : std::as_const(said)) {
        if (line.startsWith("job ")) {
            return HandOver{line.mid(4).toInt(), QString()};
        }
        if (line.startsWith("refused ")) {
            return HandOver{0, QString::fromUtf8(line.mid(8))};
        }
        created = line.startsWith(kCreated) ? line.mid(kCreated.size()).toInt() : created;
        sending = sending || line == kSending;
        sent = sent || line == kSent;
    }
    if (created > 0 && sent) {
        return HandOver{created, QString()};
    }
    if (cut || said.contains("silent")) {
        return HandOver{0, QString(), sending};
    }
    return HandOver{0, QStringLiteral("the hand-over to the print system ended without an answer."), sending};
}

// What the print system said of its printers: the list and the default's name.
struct PrintersAnswer {
    quint64 command = 0; // the command it serves; 0: none
    bool answered = false;
    QString missing;
    bool unreadable = false; // an answer came that could not be read
    QList<PrinterEntry> printers;
    QString defaultName;
};

// Asks one thing on a connection of ours; false when none could be made.
bool AskOnOwnConnection(const CupsLibrary& cups, PrintSystemExchange& exchange,
                        const std::function<void(http_t*)>& ask) {
    http_t* http = Connect(cups, exchange);
    if (!http) {
        return false;
    }
    ask(http);
    cups.httpClose(http);
    return true;
}

// Asks the print system for its printers and its default, within the bounded wait: the two
// questions go side by side, each on a connection of ours, so that they cost one wait. Within a
// command they are asked once, and the answer serves the whole command. A print system that went
// silent a moment ago is not asked again for one wait's time. One that is not running answers
// too, in its way (nothing is found).
const PrintersAnswer& AskPrinters() {
    static PrintersAnswer kept;
    const quint64 command = PrintCommand::Running();
    if (command == 0 || kept.command != command) {
        PrintersAnswer answer;
        answer.command = command;
        const Seam& seam = TheSeam();
        if (PrintSystemRecentlySilent()) {
            answer.answered = false;
        } else if (seam.active) {
            answer.answered =
                !seam.lookupsSilent ||
                AskPrintSystem([silence = seam.silence](PrintSystemExchange&) { silence->Wait(); },
                               QuestionDeadline());
            answer.defaultName = seam.defaultName;
            for (const QString& name : seam.names) {
                PrinterEntry printer;
                printer.DeviceName = name;
                printer.Port = kPdfPort;
                printer.DriverName = kPdfDriver;
                printer.Paper =
                    seam.paper.isValid() ? seam.paper : PaperWithEdge(QPageSize(QPageSize::Letter), 18);
                answer.printers << printer;
            }
        } else if (const CupsLibrary* cups = Cups()) {
            // Shared with a worker that may still write after the window stopped waiting for it.
            auto found = std::make_shared<PrintersAnswer>();
            auto reached = std::make_shared<std::atomic<bool>>(false);
            auto unreadable = std::make_shared<std::atomic<bool>>(false);
            answer.answered = AskPrintSystem(
                [cups, found, reached, unreadable](PrintSystemExchange& exchange) {
                    const auto askDefault = [cups, found, reached, unreadable, &exchange] {
                        if (AskOnOwnConnection(
                                *cups, exchange, [cups, found, unreadable, &exchange](http_t* http) {
                                    found->defaultName =
                                        AskDefaultName(*cups, http, exchange, unreadable.get());
                                })) {
                            *reached = true;
                        }
                    };
                    std::thread beside;
                    try {
                        beside = std::thread(askDefault);
                    } catch (const std::system_error&) {
                        // asked after the list instead
                    }
                    if (AskOnOwnConnection(
                            *cups, exchange, [cups, found, unreadable, &exchange](http_t* http) {
                                found->printers = AskPrinterList(*cups, http, exchange, unreadable.get());
                            })) {
                        *reached = true;
                    }
                    if (beside.joinable()) {
                        beside.join();
                    } else {
                        askDefault();
                    }
                },
                QuestionDeadline());
            // A scheduler that is not running answers too, in its way: nothing waits for it.
            if (answer.answered && !*reached) {
                answer.missing = QStringLiteral("The print system (CUPS) is not running.");
            } else if (answer.answered && *unreadable) {
                // Half an answer is none: neither the list nor the default is taken from it.
                answer.unreadable = true;
            } else if (answer.answered) {
                answer.printers = found->printers;
                answer.defaultName = found->defaultName;
            }
        } else {
            answer.answered = true;
            answer.missing = QStringLiteral("The print system (CUPS) is not installed.");
        }
        if (!answer.answered) {
            answer.printers.clear();
            answer.defaultName.clear();
        }
        kept = std::move(answer);
    }
    NotePrintSystemAnswer(kept.answered);
    NotePrintSystemMissing(kept.missing);
    NotePrintSystemUnreadable(kept.unreadable);
    return kept;
}

// Job files: "quillmarsh-job-", six letters or digits, ".pdf", in the temporary folder.
const QString kJobPrefix = QStringLiteral("quillmarsh-job-");
const QString kJobSuffix = QStringLiteral(".pdf");

// Jobs are drawn at the resolution Qt's printers draw at.
constexpr int kJobResolution = 1200;

// Why a job file could not be written, for the teacher.
QString JobNotWritten(int error) {
    const QString why = error == ENOSPC || error == EDQUOT ? QStringLiteral("the disk is full")
                                                           : QString::fromLocal8Bit(std::strerror(error));
    return QStringLiteral("The print job could not be written to the temporary folder %1: %2. Nothing was "
                          "sent to the printer.")
        .arg(QDir::toNativeSeparators(QDir::tempPath()), why);
}
} // namespace

// A job's PDF, locked for as long as it exists, so that the start-up clean-up never takes it
// for one a killed print left. The lock is taken before the file is used and the name checked
// again after it: a clean-up that got in between has removed it, and another name is taken.
class JobFile {
public:
    // Null when none could be made, with errno in error.
    static std::shared_ptr<JobFile> Create(int* error) {
        static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        for (int attempt = 0; attempt < 100; ++attempt) {
            QString name = kJobPrefix;
            for (int i = 0; i < 6; ++i) {
                name += QLatin1Char(kChars[QRandomGenerator::global()->bounded(int(sizeof kChars) - 1)]);
            }
            const QByteArray path = QFile::encodeName(QDir(QDir::tempPath()).filePath(name + kJobSuffix));
            const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd < 0) {
                if (errno == EEXIST) {
                    continue;
                }
                *error = errno;
                return nullptr;
            }
            if (HoldWhileWriting(fd, QFile::decodeName(path))) {
                return std::shared_ptr<JobFile>(new JobFile(fd, path));
            }
            ::close(fd);
        }
        *error = EEXIST;
        return nullptr;
    }
    ~JobFile() {
        // The name goes while the lock is held, so no clean-up sees it unlocked.
        ::unlink(m_path.constData());
        ::close(m_fd);
    }
    JobFile(const JobFile&) = delete;
    JobFile& operator=(const JobFile&) = delete;

    QByteArray Path() const { return m_path; }
    int Descriptor() const { return m_fd; }

private:
    JobFile(int fd, QByteArray path) : m_fd(fd), m_path(std::move(path)) {}

    int m_fd;
    QByteArray m_path;
};

void RemoveStaleJobFiles() {
    RemoveStaleFiles(QDir::tempPath(), kJobPrefix, kJobSuffix);
}

void UseHandOverHelper(const QString& program) {
    HandOverHelper() = program;
}

int HandOverJobFromCommandLine(int argc, char** argv) {
    if (argc < 5) {
        return 2;
    }
    // A job the teacher was told had stopped must not reach the printer later.
    if (!EndWithTheProgram()) {
        return 1;
    }
    const auto say = [](const QByteArray& text) { std::fputs((text + '\n').constData(), stdout); };
    const CupsLibrary* cups = Cups();
    if (!cups) {
        say("refused the print system (CUPS) is not installed.");
        return 0;
    }
    JobOptions options;
    for (int i = 5; i < argc; ++i) {
        const QByteArray option(argv[i]);
        const qsizetype equals = option.indexOf('=');
        options.append({option.left(equals), equals < 0 ? QByteArray() : option.mid(equals + 1)});
    }
    // The window ends this helper when the print system has been silent too long; this bound, the
    // same, is a backstop.
    PrintSystemExchange exchange(std::chrono::steady_clock::now() + PrintSystemWait(), PrintSystemWait());
    const auto progress = [&say](const QByteArray& step) {
        say(step);
        std::fflush(stdout);
        PutOffTheHelpersEnd();
    };
    const HandOver outcome =
        HandOverToCups(*cups, argv[2], argv[3], argv[4], options, exchange,
                       HandOverSteps{[&progress](int job) { progress(kCreated + QByteArray::number(job)); },
                                     [&progress] {
                                         progress(kSending);
                                         return true;
                                     },
                                     [&progress] { progress(kSent); }});
    if (outcome.job > 0) {
        say("job " + QByteArray::number(outcome.job));
    } else if (!outcome.refusal.isEmpty()) {
        say("refused " + outcome.refusal.toUtf8());
    } else {
        say("silent");
    }
    return 0;
}

QString PrinterEntryText(const PrinterEntry& printer) {
    return printer.DeviceName + QStringLiteral(" on ") + printer.Port;
}

QList<PrinterEntry> Printers() {
    return AskPrinters().printers;
}

QString DefaultPrinterName() {
    // The queue: an instance of it that lpoptions may name prints to the same queue.
    return AskPrinters().defaultName.section(QLatin1Char('/'), 0, 0);
}

PrinterObject::PrinterObject() {
    Font = QFont(QStringLiteral("Arial"), 10);
}

PrinterObject::~PrinterObject() = default;

void PrinterObject::Release() {
    KillDoc();
    m_measures.reset();
    m_entry = PrinterEntry{};
}

void PrinterObject::SetCurrent(const PrinterEntry& printer) {
    if (InJob()) {
        KillDoc();
    }
    m_entry = printer;
    m_measures.reset();
    if (printer.DeviceName.isEmpty() || (TheSeam().active && !TheSeam().names.contains(printer.DeviceName))) {
        return;
    }
    m_paper = printer.Paper.isValid() ? printer.Paper : UsualPaper();
    // Never begun: it only measures, as the job's own writer will.
    m_measures = std::make_unique<QPdfWriter>(QString());
    m_measures->setResolution(kJobResolution);
    applyOrientation();
}

void PrinterObject::SetOrientation(int orientation) {
    m_orientation = orientation == 2 ? 2 : 1;
    applyOrientation();
}

void PrinterObject::applyOrientation() {
    if (!InJob()) {
        m_paper.setOrientation(m_orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
}

QRectF PrinterObject::pageRect(bool printable) const {
    if (!m_measures) {
        return QRectF();
    }
    return printable ? m_paper.paintRect(QPageLayout::Point) : m_paper.fullRect(QPageLayout::Point);
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
    return m_measures.get();
}

double PrinterObject::DeviceScale() const {
    return m_measures ? kJobResolution / 1440.0 : 1.0;
}

bool PrinterObject::StartDoc(const QString& documentName) {
    SetError(QString());
    if (InJob()) {
        KillDoc();
    }
    if (!m_measures) {
        m_error = QStringLiteral("No printer is chosen, or the chosen printer is no longer installed.");
        return false;
    }
    if (TheSeam().active && TheSeam().failAtPage == 1) {
        m_error = QStringLiteral("The printer did not accept the job.");
        return false;
    }
    // Qt's CUPS engine would hand the job over without telling whether CUPS took it, so the job
    // is drawn as a PDF on the printer's own page and handed over here. The writer draws into
    // memory: it ignores a failed write, so the file is written by a loop that does not.
    int error = 0;
    m_jobFile = JobFile::Create(&error);
    if (!m_jobFile) {
        m_error = JobNotWritten(error);
        return false;
    }
    m_jobData = std::make_unique<QBuffer>();
    m_jobData->open(QIODevice::WriteOnly);
    // A PDF writer asks the print system nothing, where a new QPrinter would look for a default.
    m_job = std::make_unique<QPdfWriter>(m_jobData.get());
    m_job->setResolution(kJobResolution);
    m_job->setPageLayout(m_paper);
    m_job->setTitle(documentName);
    m_documentName = documentName;
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_job.get())) {
        m_painter.reset();
        m_job.reset();
        m_jobData.reset();
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
        m_error = QStringLiteral("The job could not be drawn.");
    } else if (writeJob()) {
        ok = handOver();
    }
    m_jobData.reset();
    m_jobFile.reset();
    return ok;
}

bool PrinterObject::writeJob() {
    if (WriteAndSync(m_jobFile->Descriptor(), m_jobData->data())) {
        return true;
    }
    m_error = JobNotWritten(errno);
    return false;
}

void PrinterObject::setNotAnswering() {
    // A job that may still print is not to be printed again before the printer is looked at.
    m_error = PrintSystemNotAnsweringText() +
              (m_mayStillPrint ? QString() : QStringLiteral(" Please print again once it answers."));
    m_notAnswering = true;
}

bool PrinterObject::handOver() {
    // The worker owns what it reads: the job file stays until it lets go, whenever that is.
    const std::shared_ptr<JobFile> file = m_jobFile;
    Seam& seam = TheSeam();
    // With a hand-over helper named, the seam's printers take their jobs through it.
    if (seam.active && HandOverHelper().isEmpty()) {
        const int job = ++seam.jobsHandedOver;
        if (job == seam.refuseJob) {
            m_error = NotAccepted(m_entry.DeviceName, seam.refusal);
            return false;
        }
        QDir().mkpath(seam.folder);
        const QString taken =
            QDir(seam.folder).filePath(QStringLiteral("job-%1.pdf").arg(job, 3, 10, QLatin1Char('0')));
        const std::shared_ptr<Silence> silence =
            seam.silentFromJob > 0 && job >= seam.silentFromJob ? seam.silence : nullptr;
        auto copied = std::make_shared<bool>(false);
        const bool answered = AskPrintSystem(
            [file, taken, silence, copied](PrintSystemExchange& exchange) {
                if (silence) {
                    silence->Wait();
                }
                // A hand-over given up by the window drops its job, as a real one cut off at its
                // deadline does.
                if (!exchange.Abandoned()) {
                    *copied = QFile::copy(QFile::decodeName(file->Path()), taken);
                }
            },
            JobDeadline());
        NotePrintSystemAnswer(answered);
        if (!answered) {
            setNotAnswering();
            return false;
        }
        if (!*copied) {
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
    const JobOptions options = CupsJobOptions(m_entry, m_paper);
    // CUPS takes a queue's name without the instance that lpoptions may add after a slash.
    const QByteArray queue = m_entry.DeviceName.section(QLatin1Char('/'), 0, 0).toUtf8();
    const QByteArray title = m_documentName.toUtf8();
    HandOver outcome;
    if (!HandOverHelper().isEmpty()) {
        outcome = HandOverInHelper(queue, file->Path(), title, options);
    } else if (const CupsLibrary* cups = Cups()) {
        // Without the helper (a program that is not ours, such as a benchmark), in a thread. The
        // window and the worker settle once who comes first: the worker to send the document (or
        // to finish sending it), or the window to give the job up.
        enum Stage { NotSent, Sending, Sent, GivenUp };
        auto stage = std::make_shared<std::atomic<int>>(NotSent);
        auto created = std::make_shared<std::atomic<int>>(0);
        auto taken = std::make_shared<HandOver>();
        const HandOverSteps steps{[created](int job) { *created = job; },
                                  [stage] {
                                      int expected = NotSent;
                                      return stage->compare_exchange_strong(expected, Sending);
                                  },
                                  [stage] {
                                      int expected = Sending;
                                      stage->compare_exchange_strong(expected, Sent);
                                  }};
        if (AskPrintSystem(
                [cups, file, options, queue, title, taken, steps](PrintSystemExchange& exchange) {
                    *taken = HandOverToCups(*cups, queue, file->Path(), title, options, exchange, steps);
                },
                JobDeadline(), PrintSystemWait())) {
            outcome = *taken;
        } else {
            const int reached = stage->exchange(GivenUp);
            outcome.job = reached == Sent ? created->load() : 0;
            outcome.maybeSent = reached == Sending;
        }
    } else {
        outcome.refusal = QStringLiteral("the print system (CUPS) is not installed.");
    }
    NotePrintSystemAnswer(outcome.job > 0 || !outcome.refusal.isEmpty());
    m_mayStillPrint = outcome.maybeSent;
    if (outcome.job > 0) {
        return true;
    }
    if (outcome.refusal.isEmpty()) {
        setNotAnswering();
    } else {
        m_error = NotAccepted(m_entry.DeviceName, outcome.refusal);
    }
    return false;
}

void PrinterObject::KillDoc() {
    if (!InJob()) {
        return;
    }
    m_painter->end();
    m_painter.reset();
    // A job that was cut short leaves nothing behind.
    m_job.reset();
    m_jobData.reset();
    m_jobFile.reset();
}

double PrinterObject::TextHeight() const {
    return m_measures ? QFontMetricsF(Font, m_measures.get()).height() / DeviceScale() : 0;
}

double PrinterObject::TextWidth(const QString& text) const {
    return m_measures ? QFontMetricsF(Font, m_measures.get()).horizontalAdvance(text) / DeviceScale() : 0;
}

void PrinterObject::PrintText(const QString& text) {
    if (!InJob()) {
        return;
    }
    const double k = DeviceScale();
    const QFontMetricsF metrics(Font, m_measures.get());
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
        // The measuring writer and its fonts go with the application, not after it.
        qAddPostRoutine([] { Printer().Release(); });
        return true;
    }();
    Q_UNUSED(releasedWithTheApplication);
    return printer;
}

namespace PrinterTestSeam {
void UsePdfPrinters(const QStringList& names, const QString& folder, const QString& defaultName) {
    Seam seam;
    seam.active = true;
    seam.names = names;
    seam.folder = folder;
    seam.defaultName = defaultName.isEmpty() && !names.isEmpty() ? names.first() : defaultName;
    ResetSeam(std::move(seam));
    Printer().SetCurrent(PrinterEntry{});
}

void UseNoPrinters() {
    UsePdfPrinters({}, QString());
}

void UsePaper(const QPageSize& size) {
    TheSeam().paper = PaperWithEdge(size, 18);
}

void UseSystemPrinters() {
    ResetSeam(Seam{});
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

void StopAnswering(int job) {
    Seam& seam = TheSeam();
    if (!seam.silence) {
        seam.silence = std::make_shared<Silence>();
    }
    seam.lookupsSilent = job <= 0;
    seam.silentFromJob = seam.jobsHandedOver + std::max(job, 1);
}

void ResumeAnswering() {
    Seam& seam = TheSeam();
    if (seam.silence) {
        seam.silence->End();
    }
    seam.silence.reset();
    seam.lookupsSilent = false;
    seam.silentFromJob = 0;
}
} // namespace PrinterTestSeam
