// Times Pack To Go and UnPack of a full school year without windows: the settings carried into
// RegKeys, the book copied onto a drive folder, and the copy taken back with its settings.
// Prints figures; the goal is that a pack or an unpack is over within a second.
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
    const int rows = BuildFullYear();
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
    NoWindows host;

    std::vector<double> packTimes;
    std::vector<double> unpackTimes;
    for (int run = 0; run < 11; ++run) {
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        QElapsedTimer timer;
        timer.start();
        PackDataBase(host);
        packTimes.push_back(timer.nsecsElapsed() / 1e6);

        // The drive copy made newer, as the other computer would leave it.
        SetModifiedTime(stick + QStringLiteral("/VNT/QLM.mdb"),
                        *ModifiedTime(env.DatabasePath()) + 1000000000LL);
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
    out << "unexpected messages: " << MessageTestSeam::Unexpected().size() << "\n";
    return 0;
}
