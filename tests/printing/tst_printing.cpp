#include "app/Main.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "daypage/DayPageWidgets.h"
#include "daypage/Panels.h"
#include "daypage/frmSchedule.h"
#include "mainwindow/frmMain.h"
#include "platform/DateText.h"
#include "platform/Rounding.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "printing/DefaultPrinter.h"
#include "printing/PrintSystem.h"
#include "printing/Printer.h"
#include "printing/RichTextBox.h"
#include "printing/frmPrint.h"
#include "printing/frmPrintPreview.h"
#include "support/UiTestSupport.h"
#include "ui/UiState.h"
#include "widgets/Help.h"
#include "widgets/TwipsGeometry.h"
#include "widgets/UpDown.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPageSize>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

#include "platform/FileCopy.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
const QString kEffects = QStringLiteral("Settings\\Effects1");
const QDate kToday(2026, 10, 14); // a Wednesday
const QDate kMonday(2026, 10, 12);

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// What a printed file says, its whitespace run together.
QString PdfText(const QString& file, int page = 0) {
    QStringList arguments;
    if (page > 0) {
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    }
    // In the order the page was written, not as the columns of the page may suggest.
    arguments << QStringLiteral("-raw") << file << QStringLiteral("-");
    return Run(QStringLiteral("pdftotext"), arguments).simplified();
}

QString PdfInfo(const QString& file, const QString& field) {
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field),
                                  QRegularExpression::MultilineOption);
    return line.match(Run(QStringLiteral("pdfinfo"), {file})).captured(1).trimmed();
}

// Where each word of a printed file's first page stands, in points from the page's top left.
QList<QRectF> PdfWordBoxes(const QString& file) {
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"));
    QList<QRectF> boxes;
    const QString page = Run(QStringLiteral("pdftotext"),
                             {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                              QStringLiteral("-l"), QStringLiteral("1"), file, QStringLiteral("-")});
    for (const QRegularExpressionMatch& found : word.globalMatch(page)) {
        boxes << QRectF(QPointF(found.captured(1).toDouble(), found.captured(2).toDouble()),
                        QPointF(found.captured(3).toDouble(), found.captured(4).toDouble()));
    }
    return boxes;
}

// The first page's size in points.
QSizeF PdfPageSize(const QString& file) {
    static const QRegularExpression size(QStringLiteral("^([0-9.]+) x ([0-9.]+) pts"));
    const QRegularExpressionMatch found = size.match(PdfInfo(file, QStringLiteral("Page size")));
    return QSizeF(found.captured(1).toDouble(), found.captured(2).toDouble());
}

QImage PdfPicture(const QString& file, int dotsPerInch) {
    const QString prefix = QFileInfo(file).absolutePath() + QStringLiteral("/picture");
    Run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dotsPerInch), QStringLiteral("-f"),
                                     QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                     QStringLiteral("-singlefile"), QStringLiteral("-gray"), file, prefix});
    return QImage(prefix + QStringLiteral(".pgm"));
}

frmSchedule& Page() {
    return frmSchedule::Get();
}

QDate Shown() {
    return TextToDate(Page().txtDate->Text());
}

void SetDay(const QString& path, const QDate& date, const QString& field, const QString& value) {
    ExecSql(path, QStringLiteral("UPDATE QLM SET %1 = ? WHERE Date = ?").arg(field),
            {value, DateToText(date)});
}

// The temporary folder, where jobs are drawn before they are handed over, set to a folder of the
// test's own for as long as this lives.
class SpoolFolder {
public:
    explicit SpoolFolder(const QString& path) : path(path), m_had(qEnvironmentVariableIsSet("TMPDIR")) {
        QDir().mkpath(path);
        m_before = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(path));
    }
    ~SpoolFolder() { m_had ? qputenv("TMPDIR", m_before) : qunsetenv("TMPDIR"); }
    SpoolFolder(const SpoolFolder&) = delete;
    SpoolFolder& operator=(const SpoolFolder&) = delete;
    QStringList Files() const { return QDir(path).entryList(QDir::Files | QDir::Hidden); }

    const QString path;

private:
    bool m_had;
    QByteArray m_before;
};

// A helper program that says what the shell line says.
QString HelperScript(const QString& folder, const QByteArray& says) {
    const QString helper = folder + QStringLiteral("/helper.sh");
    QFile script(helper);
    if (!script.open(QIODevice::WriteOnly)) {
        return QString();
    }
    script.write("#!/bin/sh\n" + says + "\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    return helper;
}

// Whether a process is gone for good: a zombie not yet reaped would still answer.
bool Reaped(qint64 pid) {
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

const std::chrono::milliseconds kShortWait{200};

// IPP as a print server writes it: a tag, then a name and a value, each after its length.
QByteArray Ipp(char tag, const QByteArray& name, const QByteArray& value) {
    QByteArray out(1, tag);
    for (const QByteArray& part : {name, value}) {
        out += char(part.size() >> 8) + (char(part.size() & 0xff) + part);
    }
    return out;
}
QByteArray IppMember(const char* name, int hundredthsOfMm = -1) {
    const QByteArray value =
        QByteArray::fromHex(QByteArray::number(hundredthsOfMm, 16).rightJustified(8, '0'));
    return Ipp(0x4a, {}, name) + (hundredthsOfMm < 0 ? QByteArray() : Ipp(0x21, {}, value));
}

// A print server on a local socket, where CUPS_SERVER sends libcups while it lives. To a question
// about printers it answers: the printer "Office" in Room 4, the default, on A4 with edges of
// 5 mm left and right, 10 mm at the top and 15 mm at the foot; it creates a job for Create-Job
// and takes the document of Send-Document. It answers a question once the whole of it has come,
// as many questions as it is let, then takes every further one and never answers, as a
// scheduler stopped after a first question does.
class FakePrintServer {
public:
    explicit FakePrintServer(const QString& folder) : m_before(qgetenv("CUPS_SERVER")) {
        const QByteArray path = QFile::encodeName(folder + QStringLiteral("/cups.sock"));
        sockaddr_un address{AF_UNIX, {}};
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        m_fds.push_back({::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0), POLLIN, 0});
        m_connections.emplace_back();
        if (::bind(m_fds[0].fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_fds[0].fd, 16) != 0) {
            qFatal("the fake print server cannot listen");
        }
        qputenv("CUPS_SERVER", path);
        m_serving = std::thread([this] {
            while (!m_stop) {
                Serve();
            }
        });
    }
    ~FakePrintServer() {
        m_stop = true;
        m_serving.join();
        for (const pollfd& fd : m_fds) {
            ::close(fd.fd);
        }
        m_before.isEmpty() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", m_before);
    }
    FakePrintServer(const FakePrintServer&) = delete;
    FakePrintServer& operator=(const FakePrintServer&) = delete;

    // Answers only the next count questions.
    void AnswerOnly(int count) { m_answerUpTo = m_questions + count; }
    // Answers each question this long after it came, each connection on its own, as a busy
    // scheduler does.
    void DelayAnswers(std::chrono::milliseconds delay) { m_delay = delay; }
    // Answers as something other than a print server does: a short web page.
    void AnswerWithAWebPage() { m_webPage = true; }
    int Questions() const { return m_questions; }
    // The documents sent to it so far, whole.
    QList<QByteArray> Documents() const {
        const std::lock_guard lock(m_mutex);
        return m_documents;
    }

private:
    // What has come on one connection: the question being read, and what is left of its body.
    struct Connection {
        QByteArray in;
        bool inBody = false;
        bool chunked = false;
        qsizetype length = 0;
        QByteArray body;
        bool answered = false;
    };

    void Serve() {
        const auto now = std::chrono::steady_clock::now();
        for (auto due = m_due.begin(); due != m_due.end();) {
            if (due->at > now) {
                ++due;
                continue;
            }
            Send(m_fds[due->connection].fd, due->reply);
            due = m_due.erase(due);
        }
        if (::poll(m_fds.data(), m_fds.size(), 20) <= 0) {
            return;
        }
        if (m_fds[0].revents) {
            m_fds.push_back({::accept4(m_fds[0].fd, nullptr, nullptr, SOCK_CLOEXEC), POLLIN, 0});
            m_connections.emplace_back();
        }
        for (size_t i = 1; i < m_fds.size(); ++i) {
            char block[65536];
            const ssize_t got = m_fds[i].revents ? ::read(m_fds[i].fd, block, sizeof block) : -1;
            if (got == 0) {
                ::close(std::exchange(m_fds[i].fd, -1)); // poll passes it over from now on
            }
            m_connections[i].in.append(block, std::max<ssize_t>(got, 0));
            while (Read(i)) {
            }
        }
    }

    // Reads what it can of the question coming on a connection; true when one was read whole.
    bool Read(size_t i) {
        Connection& c = m_connections[i];
        if (!c.inBody) {
            const qsizetype end = c.in.indexOf("\r\n\r\n");
            if (end < 0) {
                return false;
            }
            const QByteArray header = c.in.left(end).toLower();
            c.in.remove(0, end + 4);
            static const QRegularExpression length(QStringLiteral("content-length: *([0-9]+)"));
            c.inBody = true;
            c.chunked = header.contains("transfer-encoding: chunked");
            c.length = length.match(QString::fromLatin1(header)).captured(1).toLongLong();
            c.body.clear();
            c.answered = ++m_questions <= m_answerUpTo;
            // The go-ahead for the body is an answer too, as late as the others.
            if (c.answered && header.contains("expect: 100-continue")) {
                m_due.push_back(
                    {i, std::chrono::steady_clock::now() + m_delay.load(), "HTTP/1.1 100 Continue\r\n\r\n"});
            }
        }
        if (c.chunked) {
            const qsizetype line = c.in.indexOf("\r\n");
            const qsizetype size = line < 0 ? -1 : c.in.left(line).toLongLong(nullptr, 16);
            if (size < 0 || c.in.size() < line + 2 + size + 2) {
                return false;
            }
            c.body += c.in.mid(line + 2, size);
            c.in.remove(0, line + 2 + size + 2);
            if (size > 0) {
                return true;
            }
        } else {
            if (c.in.size() < c.length) {
                return false;
            }
            c.body += c.in.left(c.length);
            c.in.remove(0, c.length);
        }
        c.inBody = false;
        const int operation = c.body.size() < 4 ? 0 : (uchar(c.body[2]) << 8) | uchar(c.body[3]);
        if (operation == 0x0006) { // Send-Document: the document, whether answered or not
            const std::lock_guard lock(m_mutex);
            m_documents << c.body.mid(c.body.indexOf("%PDF-"));
        }
        if (c.answered) {
            m_due.push_back({i, std::chrono::steady_clock::now() + m_delay.load(), Answer(operation)});
        }
        return true;
    }

    QByteArray Answer(int operation) {
        if (m_webPage) {
            return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 4\r\n\r\nok\r\n";
        }
        QByteArray body = QByteArray::fromHex("0200000000000001") + '\x01' +
                          Ipp(0x47, "attributes-charset", "utf-8") +
                          Ipp(0x48, "attributes-natural-language", "en");
        if (operation == 0x0005 || operation == 0x0006) { // Create-Job, Send-Document
            body += '\x02' + Ipp(0x21, "job-id", QByteArray::fromHex("00000065")) + '\x03';
        } else {
            body += '\x04' + Ipp(0x42, "printer-name", "Office") + Ipp(0x41, "printer-location", "Room 4") +
                    Ipp(0x41, "printer-make-and-model", "Fake Laser") +
                    Ipp(0x44, "media-default", "iso_a4_210x297mm") + Ipp(0x34, "media-col-default", {}) +
                    IppMember("media-size") + Ipp(0x34, {}, {}) + IppMember("x-dimension", 21000) +
                    IppMember("y-dimension", 29700) + Ipp(0x37, {}, {}) +
                    IppMember("media-left-margin", 500) + IppMember("media-right-margin", 500) +
                    IppMember("media-top-margin", 1000) + IppMember("media-bottom-margin", 1500) +
                    Ipp(0x37, {}, {}) + '\x03';
        }
        return "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }

    static void Send(int fd, const QByteArray& reply) {
        if (fd >= 0) {
            (void)!::write(fd, reply.constData(), size_t(reply.size()));
        }
    }

    struct Due {
        size_t connection;
        std::chrono::steady_clock::time_point at;
        QByteArray reply;
    };

    QByteArray m_before;
    std::vector<pollfd> m_fds;
    std::vector<Connection> m_connections;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_questions{0};
    std::atomic<int> m_answerUpTo{1 << 30};
    std::atomic<std::chrono::milliseconds> m_delay{std::chrono::milliseconds(0)};
    std::atomic<bool> m_webPage{false};
    mutable std::mutex m_mutex;
    QList<QByteArray> m_documents;
    std::vector<Due> m_due;
    std::thread m_serving;
};

// A book of the default year printing to PDF printers, open on today.
class PrintingBook {
public:
    explicit PrintingBook(const YearPlan& plan = YearPlan{}) {
        BuildYear(plan);
        folder = env.ProgramFolder() + QStringLiteral("/printed");
        PrinterTestSeam::UsePdfPrinters({QStringLiteral("Office Laser"), QStringLiteral("Room 12 Inkjet")},
                                        folder);
    }
    bool Start() { return Main(); }
    frmPrint& Dialog() {
        frmMain::Get().mnuFPrint_Click();
        return frmPrint::Get();
    }
    // The dialog on a range of the days from start to end.
    frmPrint& RangeDialog(const QDate& start, const QDate& end) {
        frmPrint& dialog = Dialog();
        dialog.optItem[1]->click();
        dialog.dtpEnd->setDate(end);
        dialog.dtpStart->setDate(start);
        return dialog;
    }
    // The preview of a range of the days from start to end, with the keys' focus in it.
    frmPrintPreview& RangePreview(const QDate& start, const QDate& end) {
        RangeDialog(start, end).cmdPrintPreview->click();
        frmPrintPreview& preview = frmPrintPreview::Get();
        preview.activateWindow();
        return preview;
    }
    QStringList Jobs() const { return PrinterTestSeam::JobFiles(); }
    QStringList FilesLeft() const { return QDir(folder).entryList({QStringLiteral("*.pdf")}); }

    TestEnvironment env;
    QString folder;
};
} // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void anEmptyDayPrintsItsHeadingRowsAndNotes() {
        PrintingBook book;
        QVERIFY(book.Start());
        frmPrint& dialog = book.Dialog();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.parentWidget(), frmMain::Get().clientArea);
        QCOMPARE(dialog.cboPrinters->currentText(), QStringLiteral("Office Laser on PDF:"));
        dialog.cmdPrint->click();
        QCOMPARE(book.Jobs().size(), 1);
        const QString job = book.Jobs().first();
        QCOMPARE(PdfInfo(job, QStringLiteral("Pages")), QStringLiteral("1"));
        QVERIFY(PdfInfo(job, QStringLiteral("Page size")).startsWith(QStringLiteral("612 x 792 pts")));
        const QString text = PdfText(job);
        QVERIFY2(text.startsWith(QStringLiteral("Wednesday - October 14, 2026 Ms. Avery School Day: 2")),
                 qPrintable(text));
        // Today's six lessons of the timetable, then the notes.
        QVERIFY2(text.contains(QStringLiteral("8:30 Subj 2-1 9:30 Subj 2-2")), qPrintable(text));
        QVERIFY2(text.endsWith(QStringLiteral("13:30 Subj 2-6 Notes:")), qPrintable(text));
        // The dialog stays open, and the page where it was.
        QVERIFY(dialog.isVisible());
        QCOMPARE(Shown(), kToday);
        VerifyNoUnexpectedMessages();
    }

    void longDetailsContinueExactlyOnTheNextPage() {
        PrintingBook book;
        QStringList details;
        for (int r = 1; r <= 12; ++r) {
            QStringList words;
            for (int w = 1; w <= 35; ++w) {
                words << QStringLiteral("r%1w%2")
                             .arg(r, 2, 10, QLatin1Char('0'))
                             .arg(w, 2, 10, QLatin1Char('0'));
            }
            details << (words.join(QLatin1Char(' ')) +
                        QStringLiteral(" end%1").arg(r, 2, 10, QLatin1Char('0')));
            QCOMPARE(details.last().size(), 250);
            SetDay(book.env.DatabasePath(), kToday, QStringLiteral("Details%1").arg(r), details.last());
        }
        QVERIFY(book.Start());
        book.Dialog().cmdPrint->click();
        QCOMPARE(book.Jobs().size(), 1);
        const QString job = book.Jobs().first();
        QCOMPARE(PdfInfo(job, QStringLiteral("Pages")), QStringLiteral("2"));
        const QString first = PdfText(job, 1);
        const QString second = PdfText(job, 2);
        QVERIFY(!first.isEmpty() && !second.isEmpty());
        // Every word once, in order, across the two pages.
        const QString whole = first + QLatin1Char(' ') + second;
        for (const QString& text : details) {
            QVERIFY2(whole.count(text) == 1, qPrintable(text));
        }
        for (const QString& word : details.join(QLatin1Char(' ')).split(QLatin1Char(' '))) {
            QVERIFY2(whole.count(word) == 1, qPrintable(word + QStringLiteral(" in ") + whole));
        }
        QVERIFY(second.endsWith(QStringLiteral("Notes:")));
        VerifyNoUnexpectedMessages();
    }

    void thePageFollowsTheChosenPrinterOrientationAndFonts_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("font");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<QString>("pageSize");
        QTest::newRow("portrait, Arial") << 0 << 0 << false << 12240 - 720 << "612 x 792 pts";
        QTest::newRow("landscape, the page's fonts, underlined")
            << 1 << 1 << true << 15840 - 720 << "792 x 612 pts";
    }
    void thePageFollowsTheChosenPrinterOrientationAndFonts() {
        QFETCH(int, orientation);
        QFETCH(int, font);
        QFETCH(bool, underline);
        QFETCH(int, lineWidth);
        QFETCH(QString, pageSize);
        PrintingBook book;
        SetDay(book.env.DatabasePath(), kToday, QStringLiteral("Details1"), QStringLiteral("Fractions"));
        QVERIFY(book.Start());
        frmPrint& dialog = book.Dialog();
        QCOMPARE(dialog.lblCaption->text(), QStringLiteral("Quillmarsh - Print  "));
        dialog.cboPrinters->setCurrentIndex(1);
        Q_EMIT dialog.cboPrinters->activated(1);
        QCOMPARE(dialog.PrinterText, QStringLiteral("Room 12 Inkjet on PDF:"));
        QCOMPARE(Printer().Current().DeviceName, QStringLiteral("Room 12 Inkjet"));
        dialog.optOrientation[orientation]->click();
        dialog.optFont[font]->click();
        if (underline) {
            dialog.chkULHeading->click();
            dialog.chkULTimeSubject->click();
        }
        const ProgramState& g = Globals();
        const QFont dateFont = Page().lblDate->font();
        QCOMPARE(g.HeadFontName, font == 0 ? QStringLiteral("Arial") : dateFont.family());
        QCOMPARE(g.HeadFontSize, font == 0 ? 16 : CLng(dateFont.pointSizeF()));
        QCOMPARE(g.TSFontBold, font == 0 ? true : Page().lblSubject[0]->font().bold());

        dialog.cmdPrintPreview->click();
        frmPrintPreview& preview = frmPrintPreview::Get();
        QCOMPARE(preview.lblPrinter->text(), QStringLiteral("Room 12 Inkjet on PDF:"));
        QCOMPARE(g.PrintLineWidth, lineWidth);
        QCOMPARE(preview.rtbPrint->TargetLineWidth(), lineWidth);
        // The box holds the page's formats: underlines only on the heading and the lessons.
        auto formatOf = [&preview](const QString& text) {
            for (QTextBlock block = preview.rtbPrint->document()->begin(); block.isValid();
                 block = block.next()) {
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    if (it.fragment().text().contains(text)) {
                        return it.fragment().charFormat();
                    }
                }
            }
            return QTextCharFormat();
        };
        QCOMPARE(formatOf(QStringLiteral("School Day: 2")).fontUnderline(), underline);
        QCOMPARE(formatOf(QStringLiteral("Subj 2-1")).fontUnderline(), underline);
        QCOMPARE(formatOf(QStringLiteral("Fractions")).fontUnderline(), false);
        QCOMPARE(formatOf(QStringLiteral("Fractions")).fontPointSize(), 12.0);
        QCOMPARE(formatOf(QStringLiteral("Notes: ")).fontWeight(), int(QFont::Bold));
        QCOMPARE(formatOf(QStringLiteral("Notes: ")).fontUnderline(), false);

        dialog.cmdPrint->click();
        QVERIFY(!preview.isVisible());
        QCOMPARE(book.Jobs().size(), 1);
        QVERIFY(PdfInfo(book.Jobs().first(), QStringLiteral("Page size")).startsWith(pageSize));
        VerifyNoUnexpectedMessages();
    }

    void eachCopyIsAJobOfItsOwn_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("copies");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("jobs"); // -1: none, and the teacher is told what the box needs
        QTest::newRow("three") << 0 << "3"
                               << "3" << 3;
        QTest::newRow("not a number") << 0 << "two"
                                      << "two" << -1;
        QTest::newRow("none") << 0 << "0"
                              << "0" << -1;
        QTest::newRow("not a number, range") << 1 << "abc"
                                             << "abc" << -1;
        QTest::newRow("twelve") << 0 << "12"
                                << "10" << 10;
        QTest::newRow("ninety-nine") << 0 << "99"
                                     << "10" << 10;
    }
    // Typed into the box, which is left before printing: the box then shows what is printed. A
    // box that holds no number of copies prints nothing and says what it needs, and the dialog
    // and the page stay as they were.
    void eachCopyIsAJobOfItsOwn() {
        QFETCH(int, item);
        QFETCH(QString, copies);
        QFETCH(QString, shown);
        QFETCH(int, jobs);
        PrintingBook book;
        QVERIFY(book.Start());
        frmPrint& dialog = book.RangeDialog(kMonday, kMonday.addDays(4));
        dialog.optItem[item]->click();
        frmMain::Get().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frmMain::Get()));
        dialog.txtcopies->setFocus();
        QTRY_VERIFY(dialog.txtcopies->hasFocus());
        dialog.txtcopies->selectAll();
        QTest::keyClicks(dialog.txtcopies, copies);
        QTest::keyClick(dialog.txtcopies, Qt::Key_Tab);
        QVERIFY(!dialog.txtcopies->hasFocus());
        QCOMPARE(dialog.txtcopies->text(), shown);
        if (jobs < 0) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
        }
        dialog.cmdPrint->click();
        QCOMPARE(book.Jobs().size(), std::max(jobs, 0));
        QCOMPARE(book.FilesLeft().size(), std::max(jobs, 0));
        if (jobs < 0) {
            QCOMPARE(MessageTestSeam::Answered().size(), 1);
            const auto& told = MessageTestSeam::Answered().first();
            QCOMPARE(
                told.text,
                QStringLiteral("Number of Copies needs a number from 1 to 10.\r\n\r\nNothing was printed."));
            QCOMPARE(told.title, QStringLiteral("Quillmarsh - Number of Copies"));
            QCOMPARE(dialog.txtcopies->text(), shown);
            QVERIFY(dialog.optItem[item]->isChecked());
            QCOMPARE(dialog.RangeStart, kMonday);
            QCOMPARE(Shown(), kToday);
            QVERIFY(dialog.isVisible());
        }
        VerifyNoUnexpectedMessages();
    }

    void aLeftMarginOfTwoInchesLeavesNoInkLeftOfIt() {
        PrintingBook book;
        SetDay(book.env.DatabasePath(), kToday, QStringLiteral("Details1"),
               QStringLiteral("Fractions ").repeated(40));
        QVERIFY(book.Start());
        frmPrint& dialog = book.Dialog();
        for (int step = 0; step < 15; ++step) {
            dialog.udcLeft->Step(true);
        }
        QCOMPARE(dialog.txtMLeft->text(), QStringLiteral("2"));
        QCOMPARE(Globals().MarginLeft, 2880);
        dialog.cmdPrint->click();
        QCOMPARE(book.Jobs().size(), 1);
        const QImage page = PdfPicture(book.Jobs().first(), 72);
        QCOMPARE(page.width(), 612);
        auto inkIn = [&page](int from, int to) {
            for (int x = from; x < to; ++x) {
                for (int y = 0; y < page.height(); ++y) {
                    if (qGray(page.pixel(x, y)) < 200) {
                        return true;
                    }
                }
            }
            return false;
        };
        QVERIFY(!inkIn(0, 144));
        QVERIFY(inkIn(144, 160));
        // The right margin still holds: half an inch.
        QVERIFY(!inkIn(612 - 36, 612));
        VerifyNoUnexpectedMessages();
    }

    void aRangePrintsTheListedDaysAndReturns() {
        PrintingBook book;
        QVERIFY(book.Start());
        frmPrint& dialog = book.RangeDialog(kMonday, kMonday.addDays(6));
        QCOMPARE(dialog.RangeStart, kMonday);
        QCOMPARE(dialog.RangeEnd, kMonday.addDays(6));
        dialog.cmdPrint->click();
        const QStringList jobs = book.Jobs();
        QCOMPARE(jobs.size(), 5);
        const QStringList days{"Monday - October 12", "Tuesday - October 13", "Wednesday - October 14",
                               "Thursday - October 15", "Friday - October 16"};
        for (int i = 0; i < 5; ++i) {
            QVERIFY2(PdfText(jobs[i]).startsWith(days[i]), qPrintable(PdfText(jobs[i])));
        }
        QCOMPARE(Shown(), kToday);
        QCOMPARE(dialog.RangeStart, kMonday);
        VerifyNoUnexpectedMessages();
    }

    void thePicturesPrintUnderTheirHeadings_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QSizeF>("paper"); // in millimetres; empty: Letter
        QTest::addColumn<QString>("pageSize");
        // The screen view is always landscape; the timetable keeps the chosen orientation.
        QTest::newRow("screen view") << 2 << "Quillmarsh Plan for... Ms. Avery" << QSizeF()
                                     << "792 x 612 pts";
        QTest::newRow("timetable") << 3 << "Teacher TimeTable for... Ms. Avery" << QSizeF()
                                   << "612 x 792 pts";
        // The heading fits the paper as the picture under it does.
        QTest::newRow("screen view, 68.8x95 mm")
            << 2 << "Quillmarsh Plan for... Ms. Avery" << QSizeF(68.8, 95) << "269 x 195 pts";
        QTest::newRow("timetable, 68.8x95 mm")
            << 3 << "Teacher TimeTable for... Ms. Avery" << QSizeF(68.8, 95) << "195 x 269 pts";
    }
    void thePicturesPrintUnderTheirHeadings() {
        QFETCH(int, item);
        QFETCH(QString, heading);
        QFETCH(QSizeF, paper);
        QFETCH(QString, pageSize);
        PrintingBook book;
        if (paper.isValid()) {
            PrinterTestSeam::UsePaper(QPageSize(paper, QPageSize::Millimeter));
        }
        QVERIFY(book.Start());
        frmPrint& dialog = book.Dialog();
        dialog.optItem[item]->click();
        dialog.cmdPrint->click();
        QCOMPARE(book.Jobs().size(), 1);
        const QString job = book.Jobs().first();
        QVERIFY2(PdfInfo(job, QStringLiteral("Page size")).startsWith(pageSize),
                 qPrintable(PdfInfo(job, QStringLiteral("Page size"))));
        QVERIFY2(PdfText(job).startsWith(heading), qPrintable(PdfText(job)));
        // Every word inside the printable area: a quarter inch from each edge.
        const QList<QRectF> words = PdfWordBoxes(job);
        QCOMPARE(words.size(), heading.split(QLatin1Char(' ')).size());
        const QSizeF page = PdfPageSize(job);
        for (const QRectF& word : words) {
            QVERIFY2(
                word.left() >= 18 - 0.5 && word.right() <= page.width() - 18 + 0.5,
                qPrintable(
                    QStringLiteral("%1 to %2 of %3").arg(word.left()).arg(word.right()).arg(page.width())));
        }
        QVERIFY(!dialog.picSave->pixmap().isNull());
        // Everything is as it was: orientation, status bar, dialog, and the preview put away.
        QCOMPARE(Printer().Orientation(), 1);
        QVERIFY(frmMain::Get().statusBar()->isVisible());
        QVERIFY(dialog.isVisible());
        QVERIFY(!frmPrintPreview::IsLoaded() || !frmPrintPreview::Get().isVisible());
        VerifyNoUnexpectedMessages();
    }

    // The screen view is the whole window below the tool bar as the teacher sees it, at the
    // screen's pixels: on a tall screen the page ends above the panels, which must be in it.
    void theScreenViewHoldsTheWholeWindow() {
        PrintingBook book;
        QVERIFY(book.Start());
        MainFrame& main = frmMain::Get();
        main.resize(1920, 1080);
        QTRY_COMPARE(main.size(), QSize(1920, 1080));
        CalcLayoutMetrics(Page());
        ShowCalendarFrame(Page());
        ShowNotesFrame(Page());
        frmPrint& dialog = book.Dialog();
        dialog.optItem[2]->click();
        dialog.cmdPrint->click();
        QCOMPARE(book.Jobs().size(), 1);
        const QPixmap picture = dialog.picSave->pixmap();
        const int top = main.mdiClient->y();
        QCOMPARE(picture.deviceIndependentSize().toSize(),
                 QSize(main.clientArea->width(), main.clientArea->height() - top));
        // The calendar to its last row and the Notes buttons, as they are on screen.
        for (QWidget* panel : {Page().fraCalendar, Page().fraNotes}) {
            const QRect where = panel->geometry().translated(0, -top);
            QCOMPARE(picture.copy(where).toImage().convertToFormat(QImage::Format_RGB32),
                     panel->grab().toImage().convertToFormat(QImage::Format_RGB32));
        }
        VerifyNoUnexpectedMessages();
    }

    // A landscape page is asked for as `lp -o landscape` asks for it, with the value true: CUPS
    // reads the option with an empty value as false. A portrait page asks nothing of it.
    void theHandOverAsksForLandscapeAsCupsReadsIt_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("orientation"); // the option chosen: 0 portrait, 1 landscape
        QTest::addColumn<bool>("landscape");
        QTest::newRow("portrait day page") << 0 << 0 << false;
        QTest::newRow("landscape day page") << 0 << 1 << true;
        QTest::newRow("screen view, always landscape") << 2 << 0 << true;
    }
    void theHandOverAsksForLandscapeAsCupsReadsIt() {
        QFETCH(int, item);
        QFETCH(int, orientation);
        QFETCH(bool, landscape);
        PrintingBook book;
        QVERIFY(book.Start());
        const QString options = book.env.ProgramFolder() + QStringLiteral("/options");
        UseHandOverHelper(HelperScript(book.env.ProgramFolder(), "shift 4\nprintf '%s\\n' \"$@\" > '" +
                                                                     QFile::encodeName(options) +
                                                                     "'\necho job 1"));
        const auto noHelper = qScopeGuard([] { UseHandOverHelper(QString()); });
        frmPrint& dialog = book.Dialog();
        dialog.optItem[item]->click();
        dialog.optOrientation[orientation]->click();
        dialog.cmdPrint->click();
        QFile sent(options);
        QVERIFY(sent.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = sent.readAll().trimmed().split('\n');
        QVERIFY2(lines.contains("media=Letter"), lines.join(' ').constData());
        QStringList asked;
        for (const QByteArray& line : lines) {
            if (line.startsWith("landscape") || line.startsWith("orientation")) {
                asked << QString::fromUtf8(line);
            }
        }
        QCOMPARE(asked, landscape ? QStringList{QStringLiteral("landscape=true")} : QStringList());
        VerifyNoUnexpectedMessages();
    }

    void theDialogEnablesWhatTheStoredItemUses_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("dates");
        QTest::addColumn<bool>("layout");
        QTest::addColumn<bool>("copies");
        QTest::addColumn<bool>("preview");
        QTest::newRow("day page") << 0 << false << true << true << true;
        QTest::newRow("page range") << 1 << true << true << true << true;
        QTest::newRow("screen view") << 2 << false << false << false << false;
        QTest::newRow("timetable") << 3 << false << false << false << true;
    }
    void theDialogEnablesWhatTheStoredItemUses() {
        QFETCH(int, item);
        QFETCH(bool, dates);
        QFETCH(bool, layout);
        QFETCH(bool, copies);
        QFETCH(bool, preview);
        PrintingBook book;
        SaveInt(kEffects, QStringLiteral("Item"), item);
        QVERIFY(book.Start());
        frmPrint& dialog = book.Dialog();
        QVERIFY(dialog.optItem[item]->isChecked());
        for (QWidget* control : std::initializer_list<QWidget*>{dialog.lblStart, dialog.lblEnd,
                                                                dialog.dtpStart, dialog.dtpEnd}) {
            QCOMPARE(control->isEnabled(), dates);
        }
        for (QWidget* control :
             std::initializer_list<QWidget*>{dialog.txtMTop, dialog.udcRight, dialog.optFont[1],
                                             dialog.optOrientation[1], dialog.chkNotes}) {
            QCOMPARE(control->isEnabled(), layout);
        }
        for (QWidget* control :
             std::initializer_list<QWidget*>{dialog.lblCopies, dialog.txtcopies, dialog.udcCopies}) {
            QCOMPARE(control->isEnabled(), copies);
        }
        QCOMPARE(dialog.cmdPrintPreview->isEnabled(), preview);
        QVERIFY(dialog.cmdPrint->isEnabled());
        dialog.cmdHelp->click();
        QCOMPARE(RecordedHelpCalls().size(), 1);
        QCOMPARE(RecordedHelpCalls().first().context, 280);
    }

    void theDatePickersPullEachOtherAlong() {
        PrintingBook book;
        QVERIFY(book.Start());
        frmPrint& dialog = book.Dialog();
        QCOMPARE(dialog.ReturnDate, kToday);
        QCOMPARE(dialog.dtpStart->date(), kToday);
        QCOMPARE(dialog.dtpEnd->date(), kToday);
        dialog.dtpStart->setDate(kToday.addDays(5));
        QCOMPARE(dialog.dtpEnd->date(), kToday.addDays(5));
        QCOMPARE(dialog.RangeEnd, kToday.addDays(5));
        dialog.dtpEnd->setDate(kToday.addDays(-3));
        QCOMPARE(dialog.dtpStart->date(), kToday.addDays(-3));
        QCOMPARE(dialog.RangeStart, kToday.addDays(-3));
        dialog.dtpEnd->setDate(kToday);
        QCOMPARE(dialog.RangeStart, kToday.addDays(-3));
        QCOMPARE(dialog.RangeEnd, kToday);
    }

    // A date being typed never moves the other one: "31" typed into End's day is not first taken
    // as the 3rd. The typed date counts when the teacher leaves the field, which puts the range
    // right, or prints, which says that the range ends before it starts and prints nothing.
    void aDateBeingTypedNeverMovesTheOther_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("then");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        const QDate monday(2026, 12, 7);
        QTest::newRow("31, then Tab") << "31"
                                      << "Tab" << monday << QDate(2026, 12, 31);
        QTest::newRow("3, then Return") << "3"
                                        << "Return" << QDate(2026, 12, 3) << QDate(2026, 12, 3);
        QTest::newRow("3, then a click on Print") << "3"
                                                  << "click Print" << monday << QDate(2026, 12, 3);
        QTest::newRow("3, then Print by its command") << "3"
                                                      << "Print" << monday << QDate(2026, 12, 3);
    }
    void aDateBeingTypedNeverMovesTheOther() {
        QFETCH(QString, typed);
        QFETCH(QString, then);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        PrintingBook book;
        QVERIFY(book.Start());
        QVERIFY(QTest::qWaitForWindowActive(&frmMain::Get()));
        frmPrint& dialog = book.RangeDialog(QDate(2026, 12, 7), QDate(2026, 12, 7));
        // The day of "Mon, Dec 7, 2026" chosen, as a double click chooses it.
        dialog.dtpEnd->setFocus();
        dialog.dtpEnd->findChild<QLineEdit*>()->setSelection(dialog.dtpEnd->text().indexOf(QLatin1Char('7')),
                                                             1);
        for (const QChar digit : typed) {
            QTest::keyClick(dialog.dtpEnd, digit.toLatin1());
            QCOMPARE(dialog.dtpStart->date(), QDate(2026, 12, 7));
        }
        const bool printed = then.contains(QLatin1String("Print"));
        if (printed) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
        }
        if (then == QLatin1String("click Print")) {
            QTest::mouseClick(dialog.cmdPrint, Qt::LeftButton);
        } else if (printed) {
            dialog.cmdPrint->click();
        } else {
            QTest::keyClick(dialog.dtpEnd, then == QLatin1String("Tab") ? Qt::Key_Tab : Qt::Key_Return);
        }
        QCOMPARE(dialog.dtpStart->date(), start);
        QCOMPARE(dialog.RangeStart, start);
        QCOMPARE(dialog.RangeEnd, end);
        QCOMPARE(MessageTestSeam::Answered().size(), printed ? 1 : 0);
        QVERIFY(book.Jobs().isEmpty());
        VerifyNoUnexpectedMessages();
    }

    void onlySavedSettingsOutliveTheDialog() {
        PrintingBook book;
        QVERIFY(book.Start());
        frmPrint* dialog = &book.Dialog();
        dialog->optItem[3]->click();
        dialog->chkULHeading->click();
        dialog->udcTop->Step(false);
        QCOMPARE(Globals().MarginTop, 576);
        dialog->cmdCancel->click();
        QVERIFY(!frmPrint::IsLoaded());

        dialog = &book.Dialog();
        QVERIFY(dialog->optItem[0]->isChecked());
        QVERIFY(!dialog->chkULHeading->isChecked());
        QCOMPARE(dialog->txtMTop->text(), QStringLiteral("0.5"));
        dialog->optOrientation[1]->click();
        dialog->udcTop->Step(false);
        dialog->optItem[3]->click();
        dialog->cmdSettingsSave->click();
        dialog->cmdCancel->click();

        dialog = &book.Dialog();
        QVERIFY(dialog->optItem[3]->isChecked());
        QVERIFY(dialog->optOrientation[1]->isChecked());
        QCOMPARE(dialog->txtMTop->text(), QStringLiteral("0.4"));
        QCOMPARE(Globals().MarginTop, 576);
        dialog->cmdSettingsRestore->click();
        QVERIFY(dialog->optItem[0]->isChecked());
        QVERIFY(dialog->optOrientation[0]->isChecked());
        QCOMPARE(dialog->txtMTop->text(), QStringLiteral("0.5"));
        QCOMPARE(ReadText(kEffects, QStringLiteral("Item")), QStringLiteral("0"));
        QCOMPARE(ReadText(kEffects, QStringLiteral("MarginTop")), QStringLiteral("720"));
        QCOMPARE(ReadText(kEffects, QStringLiteral("PRNotes")), QStringLiteral("True"));
        VerifyNoUnexpectedMessages();
    }

    // The preview steps through exactly the days the print prints, from the first to the last and
    // no further; a range without a day to print is said rather than previewed.
    void thePreviewStepsThroughTheDaysThePrintPrints_data() {
        QTest::addColumn<bool>("tuesdaysAndThursdays");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QList<QDate>>("days");
        const QDate tuesday(2026, 12, 8);
        QTest::newRow("Monday to Friday") << false << kMonday << kMonday.addDays(4)
                                          << QList<QDate>{kMonday, kMonday.addDays(1), kMonday.addDays(2),
                                                          kMonday.addDays(3), kMonday.addDays(4)};
        QTest::newRow("Tuesdays and Thursdays, Tuesday to Saturday")
            << true << tuesday << tuesday.addDays(4) << QList<QDate>{tuesday, tuesday.addDays(2)};
        QTest::newRow("Saturday to Sunday")
            << false << kMonday.addDays(5) << kMonday.addDays(6) << QList<QDate>{};
    }
    void thePreviewStepsThroughTheDaysThePrintPrints() {
        QFETCH(bool, tuesdaysAndThursdays);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QList<QDate>, days);
        PrintingBook book(tuesdaysAndThursdays ? TuesdaysAndThursdaysYear() : YearPlan{});
        QVERIFY(book.Start());
        // Said by the preview, and again by its Print Now.
        for (int said = 0; said < (days.isEmpty() ? 2 : 0); ++said) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
        }
        frmPrintPreview& preview = book.RangePreview(start, end);
        QCOMPARE(preview.isVisible(), !days.isEmpty());
        QCOMPARE(preview.windowTitle(), QStringLiteral("Quillmarsh - Print Preview  "));
        QCOMPARE(preview.lblPrinter->text(), QStringLiteral("Office Laser on PDF:"));
        auto shows = [&](int i) {
            QVERIFY2(preview.rtbPrint->Text().startsWith(FormatDate(days[i], Globals().LongDateFormat)),
                     qPrintable(preview.rtbPrint->Text().left(40)));
            QCOMPARE(preview.rtbPrint->SelStart(), 0);
            QCOMPARE(preview.cmdPrev->isEnabled(), i > 0);
            QCOMPARE(preview.cmdNext->isEnabled(), i < days.size() - 1);
        };
        for (int i = 0; i < days.size(); ++i) {
            if (i > 0) {
                preview.cmdNext->click();
            }
            shows(i);
        }
        for (int i = static_cast<int>(days.size()) - 2; i >= 0; --i) {
            preview.cmdPrev->click();
            shows(i);
        }
        preview.cmdPrintNow->click();
        QCOMPARE(MessageTestSeam::Answered().size(), days.isEmpty() ? 2 : 0);
        VerifyNoUnexpectedMessages();
        QCOMPARE(book.Jobs().size(), days.size());
        for (int i = 0; i < days.size(); ++i) {
            QVERIFY(PdfText(book.Jobs()[i]).startsWith(FormatDate(days[i], Globals().LongDateFormat)));
        }
    }

    // By keys: the preview opens on the Next arrow, Space steps to the range's end, and the arrow
    // that greys hands the focus, with its mark, to the other arrow (never to Print Now): the
    // next Space steps back and prints nothing. Escape is the Close button.
    void spaceOnTheArrowsNeverPrints_data() {
        QTest::addColumn<bool>("forward");
        QTest::newRow("Next Day to the range's end") << true;
        QTest::newRow("Previous Day to the start") << false;
    }
    void spaceOnTheArrowsNeverPrints() {
        QFETCH(bool, forward);
        PrintingBook book;
        QVERIFY(book.Start());
        frmPrint& dialog = book.RangeDialog(kMonday, kMonday.addDays(2));
        dialog.cmdPrintPreview->click();
        frmPrintPreview& preview = frmPrintPreview::Get();
        preview.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&preview));
        QTRY_COMPARE(QApplication::focusWidget(), preview.cmdNext);
        if (!forward) {
            // The preview opens on the range's first day: back from its last.
            preview.cmdNext->click();
            preview.cmdNext->click();
            QCOMPARE(QApplication::focusWidget(), preview.cmdPrev);
        }
        QToolButton* arrow = forward ? preview.cmdNext : preview.cmdPrev;
        QToolButton* other = forward ? preview.cmdPrev : preview.cmdNext;
        QCOMPARE(QApplication::focusWidget(), arrow);
        for (int press = 0; press < 5 && arrow->isEnabled(); ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        }
        QCOMPARE(Shown(), forward ? kMonday.addDays(2) : kMonday);
        QVERIFY(!arrow->isEnabled());
        QCOMPARE(QApplication::focusWidget(), other);
        QVERIFY(ShowsFocusMark(other));
        QTest::keyClick(other, Qt::Key_Space);
        QCOMPARE(Shown(), kMonday.addDays(1));
        QVERIFY(book.Jobs().isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!frmPrintPreview::IsLoaded());
        QCOMPARE(Shown(), kToday);
        QVERIFY(book.Jobs().isEmpty());
        VerifyNoUnexpectedMessages();
    }

    // Left and Right step the days as the arrows do, wherever the focus is in the preview, and no
    // arrow key carries the focus on: Right then Return on the Next arrow never prints the range.
    void arrowKeysStepTheDaysAndNeverMoveTheFocus_data() {
        QTest::addColumn<int>("control"); // Previous, Next, Print Now, Close, the page
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("step");
        QTest::newRow("Right on the Next arrow") << 1 << int(Qt::Key_Right) << 1;
        QTest::newRow("Left on the Next arrow") << 1 << int(Qt::Key_Left) << -1;
        QTest::newRow("Right on the Previous arrow") << 0 << int(Qt::Key_Right) << 1;
        QTest::newRow("Down on the Previous arrow") << 0 << int(Qt::Key_Down) << 0;
        QTest::newRow("Up on Print Now") << 2 << int(Qt::Key_Up) << 0;
        QTest::newRow("Left on Close") << 3 << int(Qt::Key_Left) << -1;
        QTest::newRow("Right in the page") << 4 << int(Qt::Key_Right) << 1;
    }
    void arrowKeysStepTheDaysAndNeverMoveTheFocus() {
        QFETCH(int, control);
        QFETCH(int, key);
        QFETCH(int, step);
        PrintingBook book;
        QVERIFY(book.Start());
        frmPrintPreview& preview = book.RangePreview(kMonday, kMonday.addDays(4));
        QTRY_COMPARE(QApplication::focusWidget(), preview.cmdNext);
        preview.cmdNext->click();
        QWidget* focused = QList<QWidget*>{preview.cmdPrev, preview.cmdNext, preview.cmdPrintNow,
                                           preview.cmdClose, preview.rtbPrint}[control];
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key(key));
        QCOMPARE(Shown(), kMonday.addDays(1 + step));
        QCOMPARE(QApplication::focusWidget(), focused);
        if (focused != preview.cmdPrintNow) {
            QTest::keyClick(focused, Qt::Key_Return);
        }
        QVERIFY(book.Jobs().isEmpty());
        VerifyNoUnexpectedMessages();
    }

    void steppingIsOfferedOnlyForARangeOfDifferentDates_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("days");
        QTest::addColumn<bool>("offered");
        QTest::newRow("day page") << 0 << 4 << false;
        QTest::newRow("range of one day") << 1 << 0 << false;
        QTest::newRow("range of five days") << 1 << 4 << true;
        QTest::newRow("timetable") << 3 << 4 << false;
    }
    void steppingIsOfferedOnlyForARangeOfDifferentDates() {
        QFETCH(int, item);
        QFETCH(int, days);
        QFETCH(bool, offered);
        PrintingBook book;
        QVERIFY(book.Start());
        frmPrint& dialog = book.Dialog();
        // A print first loads the preview unseen; what it offers follows what is previewed.
        dialog.cmdPrint->click();
        dialog.dtpEnd->setDate(kToday.addDays(days));
        dialog.optItem[item]->click();
        dialog.cmdPrintPreview->click();
        frmPrintPreview& preview = frmPrintPreview::Get();
        QVERIFY(preview.isVisible());
        QCOMPARE(preview.cmdPrev->isVisible(), offered);
        QCOMPARE(preview.cmdNext->isVisible(), offered);
        QCOMPARE(preview.picTimeTable->isVisible(), item == 3);
    }

    void everyCloseOfThePreviewReturnsToTheDay_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("jobs");
        QTest::newRow("Close") << "Close" << 0;
        QTest::newRow("Print Dialog...") << "Print Dialog..." << 0;
        QTest::newRow("Print Now") << "Print Now" << 5;
        QTest::newRow("the window's own close") << "window" << 0;
        QTest::newRow("the main window closing") << "main" << 0;
    }
    void everyCloseOfThePreviewReturnsToTheDay() {
        QFETCH(QString, how);
        QFETCH(int, jobs);
        PrintingBook book;
        QVERIFY(book.Start());
        frmPrint& dialog = book.RangeDialog(kMonday, kMonday.addDays(4));
        dialog.cmdPrintPreview->click();
        frmPrintPreview& preview = frmPrintPreview::Get();
        preview.cmdNext->click();
        QCOMPARE(Shown(), kMonday.addDays(1));
        if (how == QLatin1String("main")) {
            frmMain::Get().close();
            QVERIFY(!frmPrintPreview::IsLoaded());
            QVERIFY(!frmPrint::IsLoaded());
            return;
        }
        if (how == QLatin1String("window")) {
            preview.close();
        } else {
            for (QPushButton* button : {preview.cmdClose, preview.cmdPrint, preview.cmdPrintNow}) {
                if (button->text() == how) {
                    button->click();
                }
            }
        }
        QVERIFY(!frmPrintPreview::IsLoaded());
        QCOMPARE(Shown(), kToday);
        QCOMPARE(book.Jobs().size(), jobs);
        QVERIFY(frmPrint::IsLoaded());
        VerifyNoUnexpectedMessages();
    }

    void filePrintPreviewLeavesOnlyThePreviewOpen() {
        PrintingBook book;
        SaveInt(kEffects, QStringLiteral("Item"), 1);
        QVERIFY(book.Start());
        frmMain::Get().mnuFPrintPreview_Click();
        QVERIFY(!frmPrint::IsLoaded());
        frmPrintPreview& preview = frmPrintPreview::Get();
        QVERIFY(preview.isVisible());
        QVERIFY(!preview.cmdNext->isVisible());
        QVERIFY(preview.rtbPrint->Text().startsWith(QStringLiteral("Wednesday - October 14, 2026")));
        GoToDate(kMonday);
        // Printing from it loads the dialog for the print alone.
        preview.cmdPrintNow->click();
        QCOMPARE(book.Jobs().size(), 1);
        QVERIFY(PdfText(book.Jobs().first()).startsWith(QStringLiteral("Monday - October 12, 2026")));
        QVERIFY(!frmPrint::IsLoaded());
        QVERIFY(!frmPrintPreview::IsLoaded());
        QCOMPARE(Shown(), kToday);
        VerifyNoUnexpectedMessages();
    }

    // Nearly the whole screen is the whole window, its frame and title bar included: none of the
    // page box's edge or its scroll bar falls below the screen.
    void thePreviewsFrameStandsInsideTheScreen() {
        PrintingBook book;
        QVERIFY(book.Start());
        frmMain::Get().mnuFPrintPreview_Click();
        frmPrintPreview& preview = frmPrintPreview::Get();
        QVERIFY(preview.isVisible());
        const QRect screen = preview.screen()->availableGeometry();
        const QRect frame = preview.frameGeometry();
        QVERIFY(frame.height() > preview.height()); // the window is framed
        QCOMPARE(frame.height(), PxY(TwipsY(screen.height()) - 100));
        QCOMPARE(frame.width(), PxX(TwipsX(screen.width()) - 100));
        QVERIFY(screen.contains(frame));
        QVERIFY(preview.rect().contains(preview.rtbPrint->geometry()));
        VerifyNoUnexpectedMessages();
    }

    void filePrintPreviewOverTheOpenDialogClosesIt() {
        PrintingBook book;
        QVERIFY(book.Start());
        frmPrint& dialog = book.Dialog();
        dialog.optItem[3]->click(); // chosen, not saved
        frmMain::Get().mnuFPrintPreview_Click();
        QVERIFY(!frmPrint::IsLoaded());
        frmPrintPreview& preview = frmPrintPreview::Get();
        QVERIFY(preview.isVisible());
        QVERIFY(preview.picTimeTable->isVisible());
        QCOMPARE(Shown(), kToday);
        VerifyNoUnexpectedMessages();
    }

    void withoutAPrinterOnlyTheMessageAppears_data() {
        QTest::addColumn<bool>("goneSinceStartUp");
        QTest::addColumn<bool>("preview");
        QTest::newRow("none at start-up, Print") << false << false;
        QTest::newRow("none at start-up, Print Preview") << false << true;
        QTest::newRow("gone since start-up, Print") << true << false;
        QTest::newRow("gone since start-up, Print Preview") << true << true;
    }
    void withoutAPrinterOnlyTheMessageAppears() {
        QFETCH(bool, goneSinceStartUp);
        QFETCH(bool, preview);
        PrintingBook book;
        if (!goneSinceStartUp) {
            PrinterTestSeam::UseNoPrinters();
        }
        QVERIFY(book.Start());
        QTRY_VERIFY(!DefaultPrinterPending()); // asked once the page is on screen
        QCOMPARE(Globals().DefaultPrinterFound, goneSinceStartUp);
        if (goneSinceStartUp) {
            PrinterTestSeam::UsePdfPrinters({QStringLiteral("Room 12 Inkjet")}, book.folder,
                                            QStringLiteral("Office Laser"));
        }
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        if (preview) {
            frmMain::Get().mnuFPrintPreview_Click();
        } else {
            frmMain::Get().mnuFPrint_Click();
        }
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        const auto& shown = MessageTestSeam::Answered().first();
        QVERIFY(shown.text.startsWith(QStringLiteral("No Printer is attached to this computer.")));
        QCOMPARE(shown.title, QStringLiteral("Quillmarsh - No Printer Attached"));
        QVERIFY(!frmPrint::IsLoaded());
        QVERIFY(!frmPrintPreview::IsLoaded());
        QVERIFY(book.Jobs().isEmpty());
        VerifyNoUnexpectedMessages();
    }

    void aPrinterAttachedAfterStartUpIsUsed_data() {
        QTest::addColumn<bool>("preview");
        QTest::newRow("Print") << false;
        QTest::newRow("Print Preview") << true;
    }
    void aPrinterAttachedAfterStartUpIsUsed() {
        QFETCH(bool, preview);
        PrintingBook book;
        PrinterTestSeam::UseNoPrinters();
        QVERIFY(book.Start());
        QTRY_VERIFY(!DefaultPrinterPending());
        QVERIFY(!Globals().DefaultPrinterFound);
        PrinterTestSeam::UsePdfPrinters({QStringLiteral("Office Laser")}, book.folder);
        preview ? frmMain::Get().mnuFPrintPreview_Click() : frmMain::Get().mnuFPrint_Click();
        QVERIFY(Globals().DefaultPrinterFound);
        QVERIFY(preview ? frmPrintPreview::IsLoaded() : frmPrint::IsLoaded());
        VerifyNoUnexpectedMessages();
    }

    void printCommandsWaitForTheDefaultPrinter_data() {
        QTest::addColumn<bool>("commandFirst");
        QTest::newRow("answered once the page shows") << false;
        QTest::newRow("a command given before the answer") << true;
    }
    void printCommandsWaitForTheDefaultPrinter() {
        QFETCH(bool, commandFirst);
        PrintingBook book;
        QVERIFY(book.Start());
        frmMain& main = frmMain::Get();
        const QList<QAction*> commands{main.mnuFPrint, main.mnuFPrintPreview,
                                       main.Button(QStringLiteral("Print")),
                                       main.Button(QStringLiteral("PrintPreview"))};
        QVERIFY(DefaultPrinterPending());
        for (QAction* command : commands) {
            QVERIFY(!command->isEnabled());
        }
        if (commandFirst) {
            main.Toolbar_ButtonClick(QStringLiteral("Print"));
            QVERIFY(frmPrint::IsLoaded());
        }
        QTRY_VERIFY(!DefaultPrinterPending());
        QVERIFY(Globals().DefaultPrinterFound);
        for (QAction* command : commands) {
            QVERIFY(command->isEnabled());
        }
        VerifyNoUnexpectedMessages();
    }

    void aHelperAnswersForTheStart_data() {
        QTest::addColumn<QByteArray>("says"); // empty: there is no helper program
        QTest::addColumn<bool>("found");
        QTest::addColumn<bool>("printSystemAnswered");
        QTest::newRow("a default printer") << QByteArray("echo 1") << true << true;
        QTest::newRow("none") << QByteArray("echo 0") << false << true;
        QTest::newRow("no answer") << QByteArray("exit 3") << false << true;
        QTest::newRow("no helper") << QByteArray() << false << true;
        QTest::newRow("the print system is silent") << QByteArray("echo -") << false << false;
    }
    void aHelperAnswersForTheStart() {
        QFETCH(QByteArray, says);
        QFETCH(bool, found);
        QFETCH(bool, printSystemAnswered);
        TestEnvironment env;
        // The helper asks the print system in a process of its own: none of it is loaded here.
        PrinterTestSeam::UseSystemPrinters();
        const QString helper = says.isEmpty() ? env.ProgramFolder() + QStringLiteral("/helper.sh")
                                              : HelperScript(env.ProgramFolder(), says);
        UseDefaultPrinterHelper(helper);
        Globals().DefaultPrinterFound = !found;
        bool answered = false;
        AskDefaultPrinterLater([&answered] { answered = true; });
        AskDefaultPrinterInBackground();
        QTRY_VERIFY(answered);
        UseDefaultPrinterHelper(QString());
        QCOMPARE(PrintSystemAnswered(), printSystemAnswered);
        PrinterTestSeam::UseNoPrinters();
        QVERIFY(!DefaultPrinterPending());
        QCOMPARE(Globals().DefaultPrinterFound, found);
    }

    // A print server that takes the question and never answers: the helper gets a few seconds
    // (here a fifth of one), is then ended, and the print commands can be given; they ask again,
    // as briefly, and say that the print system is not answering, not that no printer is there.
    void aSilentPrintSystemAtStartLeavesThePrinterUnknown_data() {
        QTest::addColumn<bool>("preview");
        QTest::newRow("Print") << false;
        QTest::newRow("Print Preview") << true;
    }
    void aSilentPrintSystemAtStartLeavesThePrinterUnknown() {
        QFETCH(bool, preview);
        PrintingBook book;
        PrinterTestSeam::UseSystemPrinters();
        PrinterTestSeam::SetAnswerWait(kShortWait);
        const QString pids = book.env.ProgramFolder() + QStringLiteral("/helpers");
        UseDefaultPrinterHelper(HelperScript(book.env.ProgramFolder(),
                                             "echo $$ >> '" + QFile::encodeName(pids) + "'\nexec sleep 60"));
        const auto noHelper = qScopeGuard([] { UseDefaultPrinterHelper(QString()); });
        const auto helpersEnded = [&pids](int count) {
            QFile file(pids);
            if (!file.open(QIODevice::ReadOnly)) {
                return false;
            }
            const QList<QByteArray> started = file.readAll().split('\n');
            int ended = 0;
            for (const QByteArray& pid : started) {
                ended += !pid.trimmed().isEmpty() && Reaped(pid.trimmed().toLongLong());
            }
            return ended == count;
        };
        QVERIFY(book.Start());
        frmMain& main = frmMain::Get();
        QAction* command = preview ? main.mnuFPrintPreview : main.mnuFPrint;
        QVERIFY(DefaultPrinterPending());
        QVERIFY(!command->isEnabled());
        QTRY_VERIFY(!DefaultPrinterPending());
        QVERIFY(!Globals().DefaultPrinterFound);
        QVERIFY(command->isEnabled());
        QVERIFY(helpersEnded(1));

        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        main.Toolbar_ButtonClick(preview ? QStringLiteral("PrintPreview") : QStringLiteral("Print"));
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        const auto& shown = MessageTestSeam::Answered().first();
        QCOMPARE(shown.title, QStringLiteral("Quillmarsh - Print System Not Answering"));
        QVERIFY2(shown.text.startsWith(QStringLiteral("The print system (CUPS) is not answering")),
                 qPrintable(shown.text));
        QVERIFY(!frmPrint::IsLoaded());
        QVERIFY(!frmPrintPreview::IsLoaded());
        QVERIFY(helpersEnded(2));
        QVERIFY(!DefaultPrinterPending());
        VerifyNoUnexpectedMessages();
    }

    void aPrinterFailureDropsTheJobAndReturns_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("failAtPage");
        QTest::addColumn<int>("refusedJob"); // of those handed to the print system
        QTest::addColumn<int>("jobsTaken");
        QTest::addColumn<QString>("opening"); // of the message
        const QString cancelled =
            QStringLiteral("The print could not be finished, and the job was cancelled.");
        QTest::newRow("day page, at the second page") << 0 << 2 << 0 << 0 << cancelled;
        QTest::newRow("day page, at the start") << 0 << 1 << 0 << 0 << cancelled;
        QTest::newRow("range, at the start")
            << 1 << 1 << 0 << 0
            << QStringLiteral(
                   "The print of the range stopped at Monday, October 12, 2026.\r\n\r\nNo day of the "
                   "range was printed.\r\nNot printed: Monday, October 12, 2026 to Friday, October 16, "
                   "2026.");
        QTest::newRow("screen view") << 2 << 1 << 0 << 0 << cancelled;
        QTest::newRow("timetable") << 3 << 1 << 0 << 0 << cancelled;
        QTest::newRow("day page, second copy refused") << 0 << 0 << 2 << 1 << cancelled;
        QTest::newRow("range, second day refused")
            << 1 << 0 << 4 << 3
            << QStringLiteral(
                   "The print of the range stopped at Tuesday, October 13, 2026.\r\n\r\nPrinted: "
                   "Monday, October 12, 2026 (1 day).\r\nNot printed: Tuesday, October 13, 2026 to "
                   "Friday, October 16, 2026.");
        QTest::newRow("range, second copy of the second day refused")
            << 1 << 0 << 5 << 4
            << QStringLiteral(
                   "The print of the range stopped at Tuesday, October 13, 2026.\r\n\r\nPrinted: "
                   "Monday, October 12, 2026 (1 day).\r\nNot printed: Tuesday, October 13, 2026 to "
                   "Friday, October 16, 2026.\r\nOf Tuesday, October 13, 2026, 1 of 3 copies had been "
                   "printed.");
        QTest::newRow("screen view refused") << 2 << 0 << 1 << 0 << cancelled;
        QTest::newRow("timetable refused") << 3 << 0 << 1 << 0 << cancelled;
    }
    void aPrinterFailureDropsTheJobAndReturns() {
        QFETCH(int, item);
        QFETCH(int, failAtPage);
        QFETCH(int, refusedJob);
        QFETCH(int, jobsTaken);
        QFETCH(QString, opening);
        PrintingBook book;
        for (int r = 1; r <= 12; ++r) {
            SetDay(book.env.DatabasePath(), kMonday, QStringLiteral("Details%1").arg(r),
                   QStringLiteral("A long plan for the lesson. ").repeated(9));
        }
        QVERIFY(book.Start());
        // Jobs are drawn into temporary files; none may outlive its job.
        const SpoolFolder spool(book.env.ProgramFolder() + QStringLiteral("/tmp"));
        frmPrint& dialog = book.Dialog();
        dialog.optItem[item]->click();
        dialog.dtpEnd->setDate(kMonday.addDays(4));
        dialog.dtpStart->setDate(kMonday);
        dialog.txtcopies->setText(QStringLiteral("3"));
        GoToDate(kMonday);
        PrinterTestSeam::FailAtPage(failAtPage);
        const QString refusal = QStringLiteral("Destination \"Office Laser\" is not accepting jobs.");
        PrinterTestSeam::RefuseJob(refusedJob, refusal);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        dialog.cmdPrint->click();
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        QCOMPARE(MessageTestSeam::Answered().first().title, QStringLiteral("Quillmarsh - Print"));
        if (refusedJob > 0) {
            QVERIFY(MessageTestSeam::Answered().first().text.endsWith(refusal));
        }
        // A range says how far it came, not that it was cancelled.
        QVERIFY2(MessageTestSeam::Answered().first().text.startsWith(opening),
                 qPrintable(MessageTestSeam::Answered().first().text));
        // Nothing is printed after the failure.
        QCOMPARE(book.Jobs().size(), jobsTaken);
        QCOMPARE(book.FilesLeft().size(), jobsTaken);
        QVERIFY2(spool.Files().isEmpty(), qPrintable(spool.Files().join(QLatin1Char(' '))));
        QVERIFY(!Printer().InJob());
        QCOMPARE(Shown(), kToday);
        QVERIFY(dialog.isVisible());
        // The printer works again: so does printing.
        PrinterTestSeam::FailAtPage(0);
        dialog.optItem[0]->click();
        dialog.txtcopies->setText(QStringLiteral("1"));
        dialog.cmdPrint->click();
        QCOMPARE(book.Jobs().size(), jobsTaken + 1);
        VerifyNoUnexpectedMessages();
    }

    // A job file that could not be written whole (a full temporary folder, a failing disk) is
    // never handed over, whatever prints it: the print stops there and says why, not blaming
    // the printer, and nothing is left behind.
    void aJobNotWrittenWholeIsNotHandedOver_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("printNow"); // from the preview
        QTest::addColumn<int>("step");      // that fails with ENOSPC, or EIO for the sync
        const int write = int(FileCopySeam::Step::Write);
        QTest::newRow("day page, disk full") << 0 << false << write;
        QTest::newRow("day page, the sync fails") << 0 << false << int(FileCopySeam::Step::Sync);
        QTest::newRow("range, disk full") << 1 << false << write;
        QTest::newRow("screen view, disk full") << 2 << false << write;
        QTest::newRow("timetable, disk full") << 3 << false << write;
        QTest::newRow("Print Now, disk full") << 0 << true << write;
        // A temporary folder of 8 KiB, less than the job needs, where the PDF writer alone would
        // leave a cut job and say nothing (root only).
        QTest::newRow("day page, a full folder indeed") << 0 << false << -1;
    }
    void aJobNotWrittenWholeIsNotHandedOver() {
        QFETCH(int, item);
        QFETCH(bool, printNow);
        QFETCH(int, step);
        const int error = step == int(FileCopySeam::Step::Sync) ? EIO : ENOSPC;
        PrintingBook book;
        QVERIFY(book.Start());
        const SpoolFolder spool(book.env.ProgramFolder() + QStringLiteral("/tmp"));
        bool mounted =
            step < 0 &&
            QProcess::execute(
                QStringLiteral("mount"),
                QStringLiteral("-t tmpfs -o size=8k tmpfs %1").arg(spool.path).split(QLatin1Char(' '))) == 0;
        const auto unmount = [&] {
            if (std::exchange(mounted, false)) {
                QProcess::execute(QStringLiteral("umount"), {spool.path});
            }
        };
        const auto unmounted = qScopeGuard(unmount);
        if (step < 0 && !mounted) {
            QSKIP("a small folder of its own cannot be mounted here");
        }
        frmPrint& dialog = book.RangeDialog(kMonday, kMonday.addDays(4));
        dialog.optItem[item]->click();
        FileCopySeam::SetStepFailureForTests(
            [step, error](FileCopySeam::Step at) { return int(at) == step ? error : 0; });
        const auto healed = qScopeGuard([] { FileCopySeam::SetStepFailureForTests({}); });
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        if (printNow) {
            dialog.cmdPrintPreview->click();
            frmPrintPreview::Get().cmdPrintNow->click();
        } else {
            dialog.cmdPrint->click();
        }
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        const QString text = MessageTestSeam::Answered().first().text;
        QCOMPARE(MessageTestSeam::Answered().first().title, QStringLiteral("Quillmarsh - Print"));
        const QString why = error == ENOSPC ? QStringLiteral("the disk is full")
                                            : QString::fromLocal8Bit(std::strerror(error));
        QVERIFY2(text.contains(QStringLiteral("The print job could not be written to the temporary folder ") +
                               QDir::toNativeSeparators(spool.path) + QStringLiteral(": ") + why),
                 qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("printer did not")), qPrintable(text));
        QVERIFY(book.Jobs().isEmpty());
        QVERIFY2(spool.Files().isEmpty(), qPrintable(spool.Files().join(QLatin1Char(' '))));
        QCOMPARE(Shown(), kToday);

        FileCopySeam::SetStepFailureForTests({});
        unmount();
        dialog.optItem[0]->click();
        dialog.cmdPrint->click();
        QCOMPARE(book.Jobs().size(), 1);
        VerifyNoUnexpectedMessages();
    }

    // The print system goes silent during a hand-over (a scheduler stopped with SIGSTOP): the
    // window waits a few seconds (here a fifth of one) at most, says so, and stops the print
    // there; nothing is said to be missing. The hand-over given up holds its job file until it
    // ends, safe from the start-up clean-up, and drops its job; once the print system answers
    // again, printing works.
    void aSilentPrintSystemStopsThePrintThere_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("silentJob"); // of those handed to the print system
        QTest::addColumn<int>("jobsTaken");
        QTest::addColumn<QString>("opening"); // of the message
        const QString stopped = QStringLiteral("The print was stopped.\r\n\r\n");
        QTest::newRow("day page") << 0 << 1 << 0 << stopped;
        QTest::newRow("screen view") << 2 << 1 << 0 << stopped;
        QTest::newRow("timetable") << 3 << 1 << 0 << stopped;
        QTest::newRow("range, at the third day")
            << 1 << 3 << 2
            << QStringLiteral(
                   "The print of the range stopped at Wednesday, October 14, 2026.\r\n\r\nPrinted: "
                   "Monday, October 12, 2026 to Tuesday, October 13, 2026 (2 days).\r\nNot printed: "
                   "Wednesday, October 14, 2026 to Friday, October 16, 2026.");
    }
    void aSilentPrintSystemStopsThePrintThere() {
        QFETCH(int, item);
        QFETCH(int, silentJob);
        QFETCH(int, jobsTaken);
        QFETCH(QString, opening);
        PrintingBook book;
        QVERIFY(book.Start());
        const SpoolFolder spool(book.env.ProgramFolder() + QStringLiteral("/tmp"));
        frmPrint& dialog = book.RangeDialog(kMonday, kMonday.addDays(4));
        dialog.optItem[item]->click();
        GoToDate(kMonday);
        PrinterTestSeam::SetAnswerWait(kShortWait);
        PrinterTestSeam::StopAnswering(silentJob);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        dialog.cmdPrint->click();
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        const auto& shown = MessageTestSeam::Answered().first();
        QCOMPARE(shown.title, QStringLiteral("Quillmarsh - Print"));
        QVERIFY2(shown.text.startsWith(opening), qPrintable(shown.text));
        QVERIFY2(shown.text.contains(QStringLiteral("The print system (CUPS) is not answering")),
                 qPrintable(shown.text));
        QVERIFY(!shown.text.contains(QStringLiteral("no longer installed")));
        QVERIFY(!shown.text.contains(QStringLiteral("cancelled")));
        QCOMPARE(book.Jobs().size(), jobsTaken);
        QVERIFY(!Printer().InJob());
        QCOMPARE(Shown(), kToday);
        QVERIFY(dialog.isVisible());

        QCOMPARE(spool.Files().size(), 1);
        RemoveStaleJobFiles();
        QCOMPARE(spool.Files().size(), 1);
        PrinterTestSeam::ResumeAnswering();
        QTRY_VERIFY2(spool.Files().isEmpty(), qPrintable(spool.Files().join(QLatin1Char(' '))));
        QCOMPARE(book.Jobs().size(), jobsTaken);
        QCOMPARE(book.FilesLeft().size(), jobsTaken);

        dialog.optItem[0]->click();
        dialog.cmdPrint->click();
        QCOMPARE(book.Jobs().size(), jobsTaken + 1);
        QCOMPARE(book.FilesLeft().size(), jobsTaken + 1);
        VerifyNoUnexpectedMessages();
    }

    // The print system goes silent before a command asks it for the printers: the command waits
    // a few seconds at most and says that the print system is not answering, and a printer
    // chosen in the dialog stays the one that prints.
    void aSilentPrintSystemIsToldWhenPrintersAreAskedFor_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("Print") << QStringLiteral("Print");
        QTest::newRow("Print Preview") << QStringLiteral("PrintPreview");
        QTest::newRow("choosing a printer") << QString();
    }
    void aSilentPrintSystemIsToldWhenPrintersAreAskedFor() {
        QFETCH(QString, command);
        PrintingBook book;
        QVERIFY(book.Start());
        QTRY_VERIFY(!DefaultPrinterPending());
        QVERIFY(Globals().DefaultPrinterFound);
        frmMain& main = frmMain::Get();
        PrinterTestSeam::SetAnswerWait(kShortWait);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        if (command.isEmpty()) {
            frmPrint& dialog = book.Dialog();
            PrinterTestSeam::StopAnswering();
            dialog.cboPrinters->setCurrentIndex(1);
            dialog.cboPrinters_Click();
            QCOMPARE(dialog.cboPrinters->currentText(), QStringLiteral("Office Laser on PDF:"));
            QCOMPARE(Printer().Current().DeviceName, QStringLiteral("Office Laser"));
        } else {
            PrinterTestSeam::StopAnswering();
            main.Toolbar_ButtonClick(command);
            QVERIFY(!frmPrint::IsLoaded());
            QVERIFY(!frmPrintPreview::IsLoaded());
        }
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        const auto& shown = MessageTestSeam::Answered().first();
        QCOMPARE(shown.title, QStringLiteral("Quillmarsh - Print System Not Answering"));
        QVERIFY2(shown.text.startsWith(QStringLiteral("The print system (CUPS) is not answering")),
                 qPrintable(shown.text));

        // Answering again, after the short while in which it is not asked again.
        PrinterTestSeam::ResumeAnswering();
        QTest::qWait(int(kShortWait.count()) + 50);
        if (command.isEmpty()) {
            frmPrint::Get().cboPrinters->setCurrentIndex(1);
            frmPrint::Get().cboPrinters_Click();
            QCOMPARE(Printer().Current().DeviceName, QStringLiteral("Room 12 Inkjet"));
        } else {
            main.Toolbar_ButtonClick(command);
            QVERIFY(command == QStringLiteral("Print") ? frmPrint::IsLoaded() : frmPrintPreview::IsLoaded());
        }
        VerifyNoUnexpectedMessages();
    }

    // The printer list and the default's name are asked side by side, each on a connection of
    // ours: one that is taken and never answered costs the bound (here a fifth of a second), not
    // the library's minute, and says that the print system is not answering, and nothing of the
    // other answer is taken. An answered printer list gives each printer with its paper and
    // edge, on which its jobs are drawn.
    void eachLookupGivesUpAtTheBound_data() {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<int>("answered"); // of the two questions
        QTest::newRow("the printer list, one question answered") << QStringLiteral("printers") << 1;
        QTest::newRow("the default's name, one question answered") << QStringLiteral("name") << 1;
        QTest::newRow("the default printer, none answered") << QStringLiteral("default") << 0;
    }
    void eachLookupGivesUpAtTheBound() {
        QFETCH(QString, asked);
        QFETCH(int, answered);
        TestEnvironment env;
        PrinterTestSeam::UseSystemPrinters();
        PrinterTestSeam::SetAnswerWait(kShortWait);
        FakePrintServer server(env.ProgramFolder());
        const auto reset = qScopeGuard([] { PrinterTestSeam::UseNoPrinters(); });
        QCOMPARE(DefaultPrinterName(), QStringLiteral("Office"));
        const QList<PrinterEntry> printers = Printers();
        QCOMPARE(printers.size(), 1);
        QCOMPARE(PrinterEntryText(printers[0]), QStringLiteral("Office on Room 4"));
        Printer().SetCurrent(printers[0]);
        const QSize a4 = QPageSize(QPageSize::A4).sizePoints() * 20;
        const auto twips = [](double mm) { return qRound(mm * 72 / 25.4) * 20; }; // in whole points
        QCOMPARE(QList<qint32>({Printer().Width(), Printer().Height(), Printer().OffsetX(),
                                Printer().OffsetY(), Printer().ScaleHeight()}),
                 QList<qint32>({a4.width(), a4.height(), twips(5), twips(10), a4.height() - twips(25)}));

        const int before = server.Questions();
        server.AnswerOnly(answered);
        Globals().DefaultPrinterFound = true;
        QElapsedTimer clock;
        clock.start();
        const bool nothing = asked == QLatin1String("printers") ? Printers().isEmpty()
                             : asked == QLatin1String("name")
                                 ? DefaultPrinterName().isEmpty()
                                 : !GetDefaultPrinter() && !Globals().DefaultPrinterFound;
        QVERIFY(clock.elapsed() < kPrintSystemWait.count());
        QVERIFY(nothing);
        QVERIFY(!PrintSystemAnswered());
        QCOMPARE(server.Questions() - before, 2);
    }

    // A busy print system that answers each question within the bound, but only after a while:
    // a print command asks for the printers and the default once, side by side, and waits once,
    // however often the dialog it loads looks them up.
    void aPrintCommandWaitsOnceForASlowPrintSystem_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("Print") << QStringLiteral("Print");
        QTest::newRow("Print Preview") << QStringLiteral("PrintPreview");
        QTest::newRow("the preview's Print Now") << QStringLiteral("PrintNow");
        QTest::newRow("a printer chosen in the dialog") << QString();
    }
    void aPrintCommandWaitsOnceForASlowPrintSystem() {
        QFETCH(QString, command);
        constexpr std::chrono::milliseconds kBound{1500};
        constexpr std::chrono::milliseconds kSlowAnswer{700};
        PrintingBook book;
        PrinterTestSeam::UseSystemPrinters();
        FakePrintServer server(book.env.ProgramFolder());
        // The job is taken at once: only the lookups wait.
        UseHandOverHelper(HelperScript(book.env.ProgramFolder(), "echo job 7"));
        const auto reset = qScopeGuard([] {
            UseHandOverHelper(QString());
            PrinterTestSeam::UseNoPrinters();
        });
        QVERIFY(book.Start());
        QTRY_VERIFY(!DefaultPrinterPending());
        QVERIFY(Globals().DefaultPrinterFound);
        frmMain& main = frmMain::Get();
        if (command == QLatin1String("PrintNow")) {
            main.Toolbar_ButtonClick(QStringLiteral("PrintPreview"));
            QVERIFY(!frmPrint::IsLoaded());
        } else if (command.isEmpty()) {
            book.Dialog();
        }
        PrinterTestSeam::SetAnswerWait(kBound);
        server.DelayAnswers(kSlowAnswer);
        const int before = server.Questions();
        QElapsedTimer clock;
        clock.start();
        if (command == QLatin1String("PrintNow")) {
            frmPrintPreview::Get().cmdPrintNow->click();
        } else if (command.isEmpty()) {
            frmPrint::Get().cboPrinters->setCurrentIndex(0);
            frmPrint::Get().cboPrinters_Click();
        } else {
            main.Toolbar_ButtonClick(command);
        }
        const qint64 took = clock.elapsed();
        QCOMPARE(server.Questions() - before, 2);
        // Six questions one after another would take 4.2 s; the command took one wait.
        QVERIFY2(took < 2 * kBound.count(), qPrintable(QString::number(took)));
        QCOMPARE(Printer().Current().DeviceName, QStringLiteral("Office"));
        if (command == QLatin1String("Print") || command.isEmpty()) {
            QVERIFY(frmPrint::IsLoaded());
        } else if (command == QLatin1String("PrintPreview")) {
            QVERIFY(frmPrintPreview::IsLoaded());
        } else {
            QVERIFY(!frmPrintPreview::IsLoaded());
        }
        VerifyNoUnexpectedMessages();
    }

    // A print server that answers one of a print command's two questions, or neither (the
    // preview's Print Now asks them as it loads the dialog): the command says within the bound
    // that the print system is not answering, and shows nothing else.
    void aPrintCommandAnswersWhenThePrintSystemStopsMidway_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answered");
        for (const QString& command : {QStringLiteral("Print"), QStringLiteral("PrintPreview")}) {
            QTest::addRow("%s, after the first question", qPrintable(command)) << command << 1;
            QTest::addRow("%s, neither question", qPrintable(command)) << command << 0;
        }
        QTest::newRow("the preview's Print Now, as the dialog loads") << QStringLiteral("PrintNow") << 0;
    }
    void aPrintCommandAnswersWhenThePrintSystemStopsMidway() {
        QFETCH(QString, command);
        QFETCH(int, answered);
        PrintingBook book;
        PrinterTestSeam::UseSystemPrinters();
        PrinterTestSeam::SetAnswerWait(kShortWait);
        FakePrintServer server(book.env.ProgramFolder());
        QVERIFY(book.Start());
        QTRY_VERIFY(!DefaultPrinterPending());
        QVERIFY(Globals().DefaultPrinterFound);
        if (command == QLatin1String("PrintNow")) {
            frmMain::Get().Toolbar_ButtonClick(QStringLiteral("PrintPreview"));
        }
        server.AnswerOnly(answered);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        QElapsedTimer clock;
        clock.start();
        if (command == QLatin1String("PrintNow")) {
            frmPrintPreview::Get().cmdPrintNow->click();
        } else {
            frmMain::Get().Toolbar_ButtonClick(command);
        }
        QVERIFY(clock.elapsed() < kPrintSystemWait.count());
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        QCOMPARE(MessageTestSeam::Answered().first().title,
                 QStringLiteral("Quillmarsh - Print System Not Answering"));
        QVERIFY(!frmPrint::IsLoaded());
        QVERIFY(!frmPrintPreview::IsLoaded());
        QVERIFY(server.Questions() > answered);
        PrinterTestSeam::UseNoPrinters();
        VerifyNoUnexpectedMessages();
    }

    // A print killed half-way leaves its job file, which holds lesson content, in the temporary
    // folder: the next start removes it, and only it.
    void aKilledPrintsJobFileGoesAtTheNextStart() {
        PrintingBook book;
        const SpoolFolder spool(book.env.ProgramFolder() + QStringLiteral("/tmp"));
        const auto make = [&spool](const QString& name) {
            QFile file(spool.path + QLatin1Char('/') + name);
            return file.open(QIODevice::WriteOnly) && file.write("%PDF-1.4 lesson plans") > 0;
        };
        const QStringList others{
            QStringLiteral("quillmarsh-job-Ab12C.pdf"), QStringLiteral("quillmarsh-job-notes.txt"),
            QStringLiteral("other-job-Ab12Cd.pdf"), QStringLiteral("quillmarsh-job-Ab12Cd.pdf.txt")};
        for (const QString& name : others + QStringList{QStringLiteral("quillmarsh-job-Ab12Cd.pdf"),
                                                        QStringLiteral("quillmarsh-job-Zz99Yy.pdf")}) {
            QVERIFY(make(name));
        }
        // A print of another copy of the program still writes this one.
        QFile live(spool.path + QStringLiteral("/quillmarsh-job-Zz99Yy.pdf"));
        QVERIFY(live.open(QIODevice::ReadOnly));
        QCOMPARE(::flock(live.handle(), LOCK_EX | LOCK_NB), 0);
        QVERIFY(book.Start());
        QStringList left = spool.Files();
        left.sort();
        QStringList expected = others + QStringList{QStringLiteral("quillmarsh-job-Zz99Yy.pdf")};
        expected.sort();
        QCOMPARE(left, expected);
    }

    void marginsThatLeaveNoRoomAreRefused_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::newRow("portrait, five and five inches across") << 0 << 50 << 5;
        QTest::newRow("landscape, five and five inches down") << 1 << 5 << 50;
    }
    void marginsThatLeaveNoRoomAreRefused() {
        QFETCH(int, orientation);
        QFETCH(int, left);
        QFETCH(int, top);
        PrintingBook book;
        QVERIFY(book.Start());
        frmPrint& dialog = book.Dialog();
        dialog.optOrientation[orientation]->click();
        for (UpDown* upDown : {dialog.udcLeft, dialog.udcRight}) {
            while (upDown->Value() < left) {
                upDown->Step(true);
            }
        }
        for (UpDown* upDown : {dialog.udcTop, dialog.udcBtm}) {
            while (upDown->Value() < top) {
                upDown->Step(true);
            }
        }
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        dialog.cmdPrint->click();
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        QCOMPARE(MessageTestSeam::Answered().first().title, QStringLiteral("Quillmarsh - Margins"));
        QVERIFY(book.FilesLeft().isEmpty());
        VerifyNoUnexpectedMessages();
    }

    void undoSurvivesThePrintWindows() {
        PrintingBook book;
        QVERIFY(book.Start());
        QCoreApplication::processEvents();
        Ui().UndoBuffer[0] = {DateToText(kToday), QStringLiteral("3"), QStringLiteral("Before")};
        Ui().UndoTop = 0;
        QMdiArea* area = frmMain::Get().mdiClient;
        frmPrint& dialog = book.Dialog();
        dialog.cmdPrintPreview->click();
        frmPrintPreview::Get().cmdClose->click();
        dialog.cmdCancel->click();
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
        QCOMPARE(area->subWindowList().size(), 1);
        QCOMPARE(Ui().UndoTop, 0);
        QCOMPARE(Ui().UndoBuffer[0][2], QStringLiteral("Before"));
    }

    void thePreviewTimetableHasTheCyclesColumns_data() {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QString>("wkDay");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<int>("columnNumerator");
        QTest::addColumn<int>("columnDenominator");
        QTest::newRow("six-day cycle")
            << 0 << "xxxMonTueWedThuFrixxx" << QStringList{"Time", "1", "2", "3", "4", "5", "6"} << 1 << 6;
        QTest::newRow("Monday to Friday") << 1 << "xxxMonTueWedThuFrixxx"
                                          << QStringList{"Time", "Mon", "Tue", "Wed", "Thu", "Fri"} << 2 << 5;
        QTest::newRow("Monday, Wednesday, Friday")
            << 1 << "xxxMonxxxWedxxxFrixxx" << QStringList{"Time", "Mon", "Wed", "Fri"} << 4 << 3;
        QTest::newRow("no taught weekday") << 1 << "xxxxxxxxxxxxxxxxxxxxx" << QStringList{"Time"} << 0 << 1;
    }
    void thePreviewTimetableHasTheCyclesColumns() {
        QFETCH(int, cycle);
        QFETCH(QString, wkDay);
        QFETCH(QStringList, headers);
        QFETCH(int, columnNumerator);
        QFETCH(int, columnDenominator);
        YearPlan plan;
        plan.cycle = cycle;
        plan.wkDay = cycle == 0 || wkDay.contains(QLatin1String("Mon"))
                         ? wkDay
                         : QStringLiteral("xxxMonTueWedThuFrixxx");
        PrintingBook book(plan);
        // Rows 1 to 3 have no time: the grid begins with row 4.
        for (int r = 1; r <= 3; ++r) {
            SaveText(QStringLiteral("Settings\\TimeTable"), QStringLiteral("Time%1").arg(r), QString());
        }
        QVERIFY(book.Start());
        Globals().WkDay = wkDay;
        frmPrint& dialog = book.Dialog();
        dialog.optItem[3]->click();
        dialog.cmdPrintPreview->click();
        frmPrintPreview& preview = frmPrintPreview::Get();
        QVERIFY(preview.picTimeTable->isVisible());
        const int columns = static_cast<int>(headers.size()) - 1;
        for (int c = 0; c < 8; ++c) {
            QCOMPARE(preview.lblHeader[c]->isVisibleTo(preview.picTimeTable), c <= columns);
            if (c <= columns) {
                QCOMPARE(preview.lblHeader[c]->text(), headers[c]);
            }
        }
        const double W = Globals().RowLabelWidth + 600;
        const double width = columns > 0 ? CLng(columnNumerator * W / columnDenominator + W) : W;
        if (columns > 0) {
            QCOMPARE(TwWidth(preview.lblHeader[1]), width);
            QCOMPARE(TwWidth(preview.lblRow[1]), width);
        }
        QCOMPARE(preview.lblRow[0]->text(), QStringLiteral("11:30"));
        QCOMPARE(preview.lblRow[8]->text(), QStringLiteral("12:30"));
        QVERIFY(preview.lblRow[16]->isVisibleTo(preview.picTimeTable));
        QVERIFY(!preview.lblRow[24]->isVisibleTo(preview.picTimeTable));
        QCOMPARE(TwHeight(preview.picTimeTable),
                 3 * TwHeight(preview.lblRow[0]) + 20 + TwHeight(preview.lblHeader[0]));
        QCOMPARE(TwWidth(preview.picTimeTable), columns * width + TwWidth(preview.lblRow[0]) - 40);
        VerifyNoUnexpectedMessages();
    }

    // A hand-over cut off at the bound after it began to send the document may still print: the
    // teacher is told so, by day and copy, and only what certainly did not reach the print system
    // is said not to be printed. The hand-over here is a script that takes every job but one.
    void aJobCutOffAfterItsDocumentWentMayStillPrint_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("cutJob");         // of those handed over
        QTest::addColumn<QByteArray>("cutSays"); // what the hand-over of that job does
        QTest::addColumn<QString>("told");
        const QByteArray afterSending = "echo sending\nexec sleep 60";
        const QString notAnswering =
            QStringLiteral("The print system (CUPS) is not answering: it gave no answer within 0.2 seconds.");
        QTest::newRow("range, second copy of the second day, sent")
            << 1 << 2 << 4 << afterSending
            << QStringLiteral("The print of the range stopped at Tuesday, October 13, 2026.\r\n\r\nPrinted: "
                              "Monday, October 12, 2026 (1 day).\r\nOf Tuesday, October 13, 2026, 1 of 2 "
                              "copies had been printed.\r\nTuesday, October 13, 2026 (copy 2 of 2) may still "
                              "print: check the printer before printing it again.\r\nNot printed: Wednesday, "
                              "October 14, 2026 to Friday, October 16, 2026.\r\n\r\n") +
                   notAnswering;
        QTest::newRow("range, cut before sending")
            << 1 << 2 << 4 << QByteArray("exec sleep 60")
            << QStringLiteral(
                   "The print of the range stopped at Tuesday, October 13, 2026.\r\n\r\nPrinted: "
                   "Monday, October 12, 2026 (1 day).\r\nNot printed: Tuesday, October 13, 2026 to "
                   "Friday, October 16, 2026.\r\nOf Tuesday, October 13, 2026, 1 of 2 copies had "
                   "been printed.\r\n\r\n") +
                   notAnswering + QStringLiteral(" Please print again once it answers.");
        QTest::newRow("day page, copy 2 of 4, sent")
            << 0 << 4 << 2 << afterSending
            << QStringLiteral(
                   "The print was stopped.\r\n\r\nOf Monday, October 12, 2026, 1 of 4 copies had "
                   "been printed.\r\nMonday, October 12, 2026 (copy 2 of 4) may still print: check "
                   "the printer before printing it again.\r\nNot printed: copies 3 to 4 of Monday, "
                   "October 12, 2026.\r\n\r\n") +
                   notAnswering;
        QTest::newRow("timetable, sent")
            << 3 << 1 << 1 << afterSending
            << QStringLiteral(
                   "The print was stopped.\r\n\r\nThe timetable may still print: check the printer "
                   "before printing it again.\r\n\r\n") +
                   notAnswering;
        QTest::newRow("refused once sent")
            << 0 << 1 << 1 << QByteArray("echo sending\necho refused it is out of paper.")
            << QStringLiteral(
                   "The print could not be finished, and the job was cancelled.\r\n\r\nThe printer "
                   "\"Office Laser\" did not accept the job: it is out of paper.");
    }
    void aJobCutOffAfterItsDocumentWentMayStillPrint() {
        QFETCH(int, item);
        QFETCH(int, copies);
        QFETCH(int, cutJob);
        QFETCH(QByteArray, cutSays);
        QFETCH(QString, told);
        PrintingBook book;
        QVERIFY(book.Start());
        const QByteArray folder = QFile::encodeName(book.folder);
        QDir().mkpath(book.folder);
        UseHandOverHelper(
            HelperScript(book.env.ProgramFolder(),
                         "n=$(( $(cat '" + folder + "/count' 2>/dev/null || echo 0) + 1 ))\necho $n > '" +
                             folder + "/count'\nif [ $n -eq " + QByteArray::number(cutJob) + " ]; then\n" +
                             cutSays + "\nexit 0\nfi\ncp \"$3\" '" + folder + "'/job-$n.pdf\necho job $n"));
        const auto noHelper = qScopeGuard([] { UseHandOverHelper(QString()); });
        frmPrint& dialog = book.RangeDialog(kMonday, kMonday.addDays(4));
        dialog.optItem[item]->click();
        dialog.txtcopies->setText(QString::number(copies));
        GoToDate(kMonday);
        PrinterTestSeam::SetAnswerWait(kShortWait);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        dialog.cmdPrint->click();
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        QCOMPARE(MessageTestSeam::Answered().first().text, told);
        QCOMPARE(book.FilesLeft().size(), cutJob - 1);
        VerifyNoUnexpectedMessages();
    }

    // Input given while a print runs, by key or by mouse, is dropped: not delivered then, nor
    // afterwards, and a print never starts inside another. A range prints each day once, and
    // what was clicked or typed meanwhile changes nothing.
    void inputDuringAPrintIsDropped_data() {
        QTest::addColumn<QString>("input");
        QTest::newRow("a second click on Print") << QStringLiteral("click");
        QTest::newRow("Return on Print") << QStringLiteral("Return");
        QTest::newRow("a click on Print Now in the preview") << QStringLiteral("Print Now");
        QTest::newRow("a click on Include Notes") << QStringLiteral("Notes");
        QTest::newRow("copies typed") << QStringLiteral("copies");
        QTest::newRow("Space on Include Notes, posted") << QStringLiteral("posted");
    }
    void inputDuringAPrintIsDropped() {
        QFETCH(QString, input);
        PrintingBook book;
        QVERIFY(book.Start());
        frmPrint& dialog = book.RangeDialog(kMonday, kMonday.addDays(4));
        frmPrintPreview& preview = frmPrintPreview::Get();
        const bool notes = dialog.chkNotes->isChecked();
        PrinterTestSeam::StopAnswering(2);
        QTimer::singleShot(50, &dialog, [&] {
            PrinterTestSeam::ResumeAnswering();
            if (input == QStringLiteral("click")) {
                QTest::mouseClick(dialog.cmdPrint, Qt::LeftButton);
            } else if (input == QStringLiteral("Return")) {
                dialog.cmdPrint->setFocus();
                QTest::keyClick(dialog.cmdPrint, Qt::Key_Return);
            } else if (input == QStringLiteral("Print Now")) {
                QTest::mouseClick(preview.cmdPrintNow, Qt::LeftButton);
            } else if (input == QStringLiteral("Notes")) {
                QTest::mouseClick(dialog.chkNotes, Qt::LeftButton);
            } else if (input == QStringLiteral("copies")) {
                dialog.txtcopies->setFocus();
                QTest::keyClicks(dialog.txtcopies, QStringLiteral("9"));
            } else {
                for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                    QCoreApplication::postEvent(
                        dialog.chkNotes,
                        new QKeyEvent(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
                }
            }
        });
        dialog.cmdPrint->click();
        QTest::qWait(100);
        QCOMPARE(book.Jobs().size(), 5);
        QVERIFY(frmPrint::IsLoaded());
        QVERIFY(frmPrintPreview::IsLoaded());
        QCOMPARE(dialog.chkNotes->isChecked(), notes);
        QCOMPARE(Globals().PRNotes, notes);
        QCOMPARE(dialog.txtcopies->text(), QStringLiteral("1"));
        QCOMPARE(Shown(), kToday);
        VerifyNoUnexpectedMessages();
    }

    // A request to close the program while a print runs (the window's close, File > Exit) is kept
    // until the print stops: a print of several jobs asks whether to stop at the next one.
    void aCloseRequestDuringAPrintIsHonouredWhenItStops_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("silent");      // the print system stops answering at the first job
        QTest::addColumn<bool>("exitCommand"); // File > Exit, else the window's close
        QTest::addColumn<int>("stopAnswer");   // to the question; 0: none is asked
        QTest::addColumn<int>("jobsTaken");
        QTest::addColumn<bool>("closes");
        QTest::newRow("range, stopped") << 1 << false << false << int(MsgAnswerYes) << 1 << true;
        QTest::newRow("range, printed on") << 1 << false << true << int(MsgAnswerNo) << 5 << false;
        QTest::newRow("one day") << 0 << false << true << 0 << 1 << true;
        QTest::newRow("one day, print system silent") << 0 << true << true << 0 << 0 << true;
    }
    void aCloseRequestDuringAPrintIsHonouredWhenItStops() {
        QFETCH(int, item);
        QFETCH(bool, silent);
        QFETCH(bool, exitCommand);
        QFETCH(int, stopAnswer);
        QFETCH(int, jobsTaken);
        QFETCH(bool, closes);
        PrintingBook book;
        QVERIFY(book.Start());
        frmPrint& dialog = book.RangeDialog(kMonday, kMonday.addDays(4));
        dialog.optItem[item]->click();
        GoToDate(kMonday);
        if (silent) {
            PrinterTestSeam::SetAnswerWait(kShortWait);
        }
        PrinterTestSeam::StopAnswering(1);
        frmMain& main = frmMain::Get();
        QTimer::singleShot(50, &main, [&] {
            if (!silent) {
                PrinterTestSeam::ResumeAnswering();
            }
            if (exitCommand) {
                main.mnuFExit->trigger();
            } else {
                QCoreApplication::postEvent(main.windowHandle(), new QCloseEvent);
            }
        });
        if (stopAnswer != 0) {
            MessageTestSeam::QueueAnswer(stopAnswer);
        }
        if (stopAnswer == MsgAnswerYes || silent) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK); // the report of the stopped print
        }
        dialog.cmdPrint->click();
        QVERIFY(frmSchedule::IsLoaded());
        QCOMPARE(book.Jobs().size(), jobsTaken);
        QCOMPARE(MessageTestSeam::QueuedAnswers(), 0);
        if (stopAnswer != 0) {
            QVERIFY(MessageTestSeam::Answered().first().text.startsWith(
                QStringLiteral("Quillmarsh is printing.")));
            // On No: a stray Return goes on printing.
            QCOMPARE(MessageTestSeam::Answered().first().buttons, MsgYesNo | MsgDefaultSecond);
        }
        if (stopAnswer == MsgAnswerYes) {
            QCOMPARE(
                MessageTestSeam::Answered().last().text,
                QStringLiteral("The print of the range stopped at Tuesday, October 13, 2026.\r\n\r\nPrinted: "
                               "Monday, October 12, 2026 (1 day).\r\nNot printed: Tuesday, October 13, 2026 "
                               "to Friday, October 16, 2026.\r\n\r\nQuillmarsh closes now, as asked."));
        }
        if (closes) {
            QTRY_VERIFY(!frmSchedule::IsLoaded());
        } else {
            QTest::qWait(200);
            QVERIFY(frmSchedule::IsLoaded());
            QVERIFY(main.isVisible());
        }
        VerifyNoUnexpectedMessages();
    }

    // The job goes to a print server of the test's own through the program's hand-over helper
    // (this test program, run as the program runs itself), bounded by the server's silence, not
    // by the hand-over's length: a server that keeps answering takes the job, though its answers
    // together take longer than the bound; one that goes silent once it has the whole document
    // has the job, and the print is told as done; one silent from the start is given up one bound
    // after the hand-over began; and an answer that is not IPP is told as one that cannot be read.
    void theHandOverIsBoundedBySilence_data() {
        QTest::addColumn<int>("delay");    // of each answer, in milliseconds
        QTest::addColumn<int>("bound");    // in milliseconds
        QTest::addColumn<int>("answered"); // of the hand-over's questions; -1: every one
        QTest::addColumn<bool>("webPage");
        QTest::addColumn<QString>("told"); // the opening of the message; empty: none
        // libcups waits up to a second for the server's go-ahead before it sends the document
        // (here as late as any answer, or never): the document has gone whole only after 1.2 + 1
        // seconds, and the last answer comes 1.2 later.
        QTest::newRow("every answer slow") << 1200 << 2000 << -1 << false << QString();
        QTest::newRow("silent once the job is created") << 0 << 2000 << 1 << false << QString();
        QTest::newRow("silent from the start")
            << 0 << 500 << 0 << false
            << QStringLiteral("The print was stopped.\r\n\r\nThe print system (CUPS) is not answering");
        QTest::newRow("an answer that is not IPP")
            << 0 << 500 << -1 << true
            << QStringLiteral(
                   "The print could not be finished, and the job was cancelled.\r\n\r\nThe printer "
                   "\"Office\" did not accept the job: the print system (CUPS) gave an answer that "
                   "this program cannot read.");
    }
    void theHandOverIsBoundedBySilence() {
        QFETCH(int, delay);
        QFETCH(int, bound);
        QFETCH(int, answered);
        QFETCH(bool, webPage);
        QFETCH(QString, told);
        PrintingBook book;
        PrinterTestSeam::UseSystemPrinters();
        FakePrintServer server(book.env.ProgramFolder());
        UseHandOverHelper(QCoreApplication::applicationFilePath());
        const auto reset = qScopeGuard([] {
            UseHandOverHelper(QString());
            PrinterTestSeam::UseNoPrinters();
        });
        QVERIFY(book.Start());
        QTRY_VERIFY(!DefaultPrinterPending());
        frmPrint& dialog = book.Dialog();
        QCOMPARE(Printer().Current().DeviceName, QStringLiteral("Office"));
        PrinterTestSeam::SetAnswerWait(std::chrono::milliseconds(bound));
        server.DelayAnswers(std::chrono::milliseconds(delay));
        if (answered >= 0) {
            server.AnswerOnly(answered);
        }
        if (webPage) {
            server.AnswerWithAWebPage();
        }
        if (!told.isEmpty()) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
        }
        QElapsedTimer clock;
        clock.start();
        dialog.cmdPrint->click();
        QVERIFY(clock.elapsed() < kPrintSystemWait.count());
        QCOMPARE(MessageTestSeam::Answered().size(), told.isEmpty() ? 0 : 1);
        if (!told.isEmpty()) {
            QVERIFY2(MessageTestSeam::Answered().first().text.startsWith(told),
                     qPrintable(MessageTestSeam::Answered().first().text));
        }
        // The server has the whole document of a job told as printed, and none of another.
        const QList<QByteArray> documents = server.Documents();
        QCOMPARE(documents.size(), told.isEmpty() ? 1 : 0);
        if (told.isEmpty()) {
            QVERIFY(documents.first().startsWith("%PDF-") && documents.first().trimmed().endsWith("%%EOF"));
        }
        VerifyNoUnexpectedMessages();
    }

    // Without a print system to ask (none running, here a server address where none listens),
    // the print commands say so, not that no printer is attached; a helper asked at start-up
    // tells it too. A print server that answers with something other than IPP (here a short web
    // page) is told as one whose answer cannot be read, also by the helper (this test program,
    // run so).
    void aMissingPrintSystemIsToldAsSuch_data() {
        QTest::addColumn<bool>("webPage"); // false: no server at all
        QTest::addColumn<bool>("helper");
        QTest::addColumn<QString>("command");
        QTest::newRow("Print") << false << false << QStringLiteral("Print");
        QTest::newRow("Print Preview") << false << false << QStringLiteral("PrintPreview");
        QTest::newRow("Print, asked by the helper") << false << true << QStringLiteral("Print");
        QTest::newRow("not IPP, Print") << true << false << QStringLiteral("Print");
        QTest::newRow("not IPP, Print Preview") << true << false << QStringLiteral("PrintPreview");
        QTest::newRow("not IPP, Print, asked by the helper") << true << true << QStringLiteral("Print");
    }
    void aMissingPrintSystemIsToldAsSuch() {
        QFETCH(bool, webPage);
        QFETCH(bool, helper);
        QFETCH(QString, command);
        PrintingBook book;
        PrinterTestSeam::UseSystemPrinters();
        const QByteArray before = qgetenv("CUPS_SERVER");
        const auto restore = qScopeGuard([&before] {
            before.isEmpty() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", before);
            UseDefaultPrinterHelper(QString());
        });
        std::optional<FakePrintServer> server;
        if (webPage) {
            server.emplace(book.env.ProgramFolder());
            server->AnswerWithAWebPage();
        } else {
            qputenv("CUPS_SERVER",
                    QFile::encodeName(book.env.ProgramFolder() + QStringLiteral("/no-cups.sock")));
        }
        if (helper) {
            UseDefaultPrinterHelper(
                webPage ? QCoreApplication::applicationFilePath()
                        : HelperScript(book.env.ProgramFolder(),
                                       "echo 'missing The print system (CUPS) is not running.'"));
        }
        QVERIFY(book.Start());
        QTRY_VERIFY(!DefaultPrinterPending());
        QCOMPARE(PrintSystemUnreadable(), webPage);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        frmMain::Get().Toolbar_ButtonClick(command);
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        const auto& shown = MessageTestSeam::Answered().first();
        QCOMPARE(shown.title, webPage ? QStringLiteral("Quillmarsh - Print System Not Understood")
                                      : QStringLiteral("Quillmarsh - Print System Not Available"));
        QVERIFY2(shown.text.startsWith(
                     webPage ? QStringLiteral("The print system (CUPS) gave an answer that this "
                                              "program cannot read, so no printer can be "
                                              "found.\r\n\r\n")
                             : QStringLiteral("The print system (CUPS) is not running.\r\n\r\n")),
                 qPrintable(shown.text));
        QVERIFY(!frmPrint::IsLoaded());
        QVERIFY(!frmPrintPreview::IsLoaded());
        VerifyNoUnexpectedMessages();
    }
};

// This program is also its own helpers, as the program is: the print system is asked, and jobs
// are handed over, by the code the program runs.
int main(int argc, char* argv[]) {
    if (int helped = 0; RunAsHelper(argc, argv, &helped)) {
        return helped;
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    PrintingTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_printing.moc"
