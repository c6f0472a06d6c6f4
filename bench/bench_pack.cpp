// Times Pack To Go and UnPack of a ten-year book with every cell written, without windows: the
// books judged (each read and hashed), the settings carried into RegKeys, the book copied onto a
// drive folder, and the other computer's copy taken back with its settings. Prints figures; the
// goal is that a pack or an unpack is over within a second. Last, the peak memory of judging a
// stick's book that carries an 8 MB and a 200 MB history.
#include "BenchSupport.h"
#include "core/Message.h"
#include "core/PackTransfer.h"
#include "core/ProgramState.h"
#include "platform/FileCopy.h"
#include "platform/RemovableDrives.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
// A figure of /proc/self/status in KiB (VmRSS, VmHWM).
qint64 MemoryKiB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(QByteArray(field) + ':')) {
            return line.mid(qstrlen(field) + 1).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return -1;
}

class NoWindows final : public DayPageHost {
public:
    void ShowProgress(const QString&) override {}
    void ShowBriefly(const QString&) override {}
    void CloseProgress() override {}
    void ClosePage() override {}
    void LoadPage() override {}
    void RefreshPage() override {}
};
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    TestEnvironment env;
    YearPlan plan;
    plan.terms = {{QDate(2026, 9, 1), QDate(2036, 8, 31)}};
    plan.timeRows = 12;
    const int rows = BuildYear(plan);
    QString details;
    for (int r = 1; r <= 12; ++r) {
        details += QStringLiteral("Details%1 = printf('%2 %s', hex(randomblob(260))), ").arg(r).arg(r);
    }
    ExecSql(env.DatabasePath(), QStringLiteral("UPDATE QLM SET ") + details +
                                    QStringLiteral("Notes = hex(randomblob(300)) WHERE Date IS NOT NULL"));
    SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("PackRun"), QStringLiteral("1"));
    if (!OpenBook()) {
        out << "the book did not open\n";
        return 1;
    }
    QTemporaryDir drives;
    const QString stick = drives.filePath(QStringLiteral("STICK"));
    QDir().mkpath(stick + QStringLiteral("/VNT"));
    RemovableDrivesSeam::SetDrivesForTests({stick});
    QFile::copy(env.DatabasePath(), stick + QStringLiteral("/VNT/QLM.mdb"));
    // The first pack replaces a book this computer never exchanged: that is asked once.
    MessageTestSeam::QueueAnswer(MsgAnswerYes);
    MessageTestSeam::QueueAnswer(MsgAnswerNo);
    NoWindows first;
    PackDataBase(first);
    // Whether that was asked depends on the two books: no answer is left over for the runs below.
    MessageTestSeam::Clear();
    NoWindows host;

    std::vector<double> packTimes;
    std::vector<double> unpackTimes;
    for (int run = 0; run < 11; ++run) {
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        QElapsedTimer timer;
        timer.start();
        PackDataBase(host);
        packTimes.push_back(timer.nsecsElapsed() / 1e6);

        // The other computer's edit of the drive copy.
        ExecSql(stick + QStringLiteral("/VNT/QLM.mdb"),
                QStringLiteral("UPDATE QLM SET Notes = ? WHERE Date = '2026-10-14'"), {QString::number(run)});
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        timer.restart();
        UnPackCommand(host);
        unpackTimes.push_back(timer.nsecsElapsed() / 1e6);
    }
    out << "day rows: " << rows << ", settings carried: "
        << QueryValue(env.DatabasePath(), QStringLiteral("SELECT count(*) FROM RegKeys")).toInt()
        << ", file: " << QFileInfo(env.DatabasePath()).size() / 1024 << " KiB\n";
    out << "pack (median of 11): " << Median(packTimes) << " ms\n";
    out << "unpack (median of 11): " << Median(unpackTimes) << " ms\n";
    const bool taken =
        QueryValue(env.DatabasePath(), QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-10-14'"))
            .toString() == QLatin1String("10");
    out << "last unpack took the drive's edit: " << (taken ? "yes" : "no") << "\n";

    // A stick's book whose history was made 8 MB, then 200 MB long: what judging it may hold in
    // memory, from the peak resident size before the unpack (reset) to the one after it (the
    // answer changes nothing). The value is made inside SQLite, and the peak reset after.
    for (const int megabytes : {8, 200}) {
        ExecSql(stick + QStringLiteral("/VNT/QLM.mdb"),
                QStringLiteral("UPDATE RegKeys SET Value = printf('%.*c', ?, 'x') WHERE Section = "
                               "'PackToGo' AND Key = 'Exchanges'"),
                {megabytes * 1024 * 1024});
        QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
        const bool reset = clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
        clearRefs.close();
        const qint64 before = MemoryKiB("VmHWM");
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(MsgAnswerCancel);
        UnPackCommand(host);
        out << "unpack of a book with a " << megabytes << " MB history: peak resident "
            << MemoryKiB("VmHWM") / 1024 << " MB, " << (reset ? "" : "(peak not reset) ") << "from "
            << before / 1024 << " MB before it\n";
    }
    out << "unexpected messages: " << MessageTestSeam::Unexpected().size() << "\n";
    return 0;
}
