// Times what a teacher waits for when printing: composing the shown day for the preview, printing
// one full day page as a job, and printing a month of school days as a range, to the PDF
// printers tests use. With --system-printer it times only the full day, handed to the system's
// default printer. Prints figures.
#include "BenchSupport.h"
#include "app/Main.h"
#include "core/DayDatabase.h"
#include "core/ProgramState.h"
#include "printing/DefaultPrinter.h"
#include "printing/PrintPages.h"
#include "printing/Printer.h"
#include "printing/RichTextBox.h"
#include "printing/frmPrint.h"
#include "printing/frmPrintPreview.h"
#include "support/UiTestSupport.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {
// Every lesson of the year gets a full plan, so each page is as long as a busy day's.
void FillDetails(const QString& path) {
    const QString plan =
        QStringLiteral("Warm-up, the new idea with examples, practice in pairs, and a short check of "
                       "what was learned before the bell.");
    for (int r = 1; r <= 12; ++r) {
        ExecSql(path, QStringLiteral("UPDATE QLM SET Details%1 = ?").arg(r), {plan});
    }
    ExecSql(path, QStringLiteral("UPDATE QLM SET Notes = ?"),
            {QStringLiteral("Remind the class about the library books.")});
}
} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTextStream out(stdout);

    TestEnvironment env(QDate(2026, 10, 14));
    YearPlan plan;
    plan.timeRows = 12;
    BuildYear(plan);
    FillDetails(env.DatabasePath());
    const bool systemPrinter = app.arguments().contains(QStringLiteral("--system-printer"));
    QTemporaryDir printed;
    if (systemPrinter) {
        PrinterTestSeam::UseSystemPrinters();
    } else {
        PrinterTestSeam::UsePdfPrinters({QStringLiteral("Bench PDF")}, printed.path());
    }
    if (!Main()) {
        out << "start-up failed\n";
        return 1;
    }
    // Start-up leaves the default printer to be asked once the page is on screen.
    AnswerDefaultPrinterNow();
    if (!Globals().DefaultPrinterFound) {
        out << "no default printer\n";
        return 1;
    }
    frmPrint& dialog = frmPrint::Get();
    const ProgramState& g = Globals();
    const auto printOneDay = [&g] {
        ComposeDayPage();
        return PrintRtf(*frmPrintPreview::Get().rtbPrint, g.MarginLeft, g.MarginTop, g.MarginRight,
                        g.MarginBtm);
    };
    if (systemPrinter) {
        std::vector<double> times;
        int refused = 0;
        for (int run = 0; run < 11; ++run) {
            QElapsedTimer timer;
            timer.start();
            refused += printOneDay() ? 0 : 1;
            times.push_back(timer.nsecsElapsed() / 1e6);
        }
        out << "compose and hand one full day to " << Printer().Current().DeviceName << ": " << Median(times)
            << " ms (median of 11, " << refused << " refused)\n";
        return 0;
    }

    std::vector<double> composeTimes;
    for (int run = 0; run < 21; ++run) {
        QElapsedTimer timer;
        timer.start();
        ComposeDayPage();
        composeTimes.push_back(timer.nsecsElapsed() / 1e6);
    }

    std::vector<double> printTimes;
    for (int run = 0; run < 11; ++run) {
        QElapsedTimer timer;
        timer.start();
        printOneDay();
        printTimes.push_back(timer.nsecsElapsed() / 1e6);
    }

    dialog.optItem[1]->click();
    dialog.dtpEnd->setDate(QDate(2026, 11, 30));
    dialog.dtpStart->setDate(QDate(2026, 11, 1));
    const int before = static_cast<int>(PrinterTestSeam::JobFiles().size());
    QElapsedTimer range;
    range.start();
    dialog.cmdPrint_Click();
    const double rangeTime = range.nsecsElapsed() / 1e6;
    const int days = static_cast<int>(PrinterTestSeam::JobFiles().size()) - before;

    out << "compose the shown day for the preview:   " << Median(composeTimes) << " ms (median of 21)\n";
    out << "compose and print one full day (1 job):  " << Median(printTimes) << " ms (median of 11)\n";
    out << "print November as a range:               " << rangeTime << " ms for " << days << " school days ("
        << rangeTime / std::max(days, 1) << " ms a day)\n";
    return 0;
}
