// Times the options dialog on a full school year with the real main window and day page:
// opening it, Apply with every setting stored and re-applied, and the statistics tab (the walk
// over every listed day). Prints figures; the goal is that none of them keeps the teacher
// waiting (under 100 ms each).
#include "BenchSupport.h"
#include "app/Main.h"
#include "core/SchoolYearStatistics.h"
#include "options/frmOptions.h"
#include "support/UiTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTextStream>

int main(int argc, char* argv[]) {
    RunHeadlessUnlessTold();
    QApplication app(argc, argv);
    QTextStream out(stdout);

    TestEnvironment env(QDate(2027, 2, 10));
    const int rows = BuildFullYear();
    if (!Main()) {
        out << "start-up failed\n";
        return 1;
    }
    OptionsTestSeam::SetRunAtStartup([] {}, [] {});

    const double open = MedianMs(21, [] {
        frmOptions::Get();
        frmOptions::Unload();
        QApplication::processEvents();
    });
    frmOptions& dialog = frmOptions::Get();
    const double apply = MedianMs(11, [&dialog] {
        dialog.chkShowSplash->click(); // any edit makes Apply store everything
        dialog.cmdApply_Click();
    });
    const double statistics = MedianMs(21, [&dialog] { dialog.ShowSchoolYearStatistics(); });
    const double walk = MedianMs(21, [] { ReadListedDays(); });
    frmOptions::Unload();

    out << "day rows in the scratch year:            " << rows << "\n";
    out << "open and close the dialog:               " << open << " ms (median of 21)\n";
    out << "Apply, every setting stored and applied: " << apply << " ms (median of 11)\n";
    out << "statistics tab filled:                   " << statistics << " ms (median of 21)\n";
    out << "  of which the walk over the listed days: " << walk << " ms (median of 21)\n";
    return 0;
}
