// Times the menu styles: writing the menu INI file (as every load of a teacher's settings and
// every save of the options does), redrawing the main window's menus from it, and painting the
// open File menu in each look. Prints figures; the goal is under 50 ms for writing the file,
// 10 ms for the redraw and 16 ms (one frame) for painting a menu.
#include "BenchSupport.h"
#include "app/Main.h"
#include "core/MenuIni.h"
#include "core/ProgramState.h"
#include "mainwindow/frmMain.h"
#include "platform/SettingsStore.h"
#include "support/UiTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTextStream>

int main(int argc, char* argv[]) {
    RunHeadlessUnlessTold();
    QApplication app(argc, argv);
    QTextStream out(stdout);
    TestEnvironment env;
    BuildFullYear();
    if (!Main()) {
        out << "the program did not start\n";
        return 1;
    }
    frmMain& main = frmMain::Get();
    out << "program folder: " << QDir(env.ProgramFolder()).absolutePath() << "\n";

    const QString file = env.ProgramFolder() + QStringLiteral("/frmMain.ini");
    const double fresh = MedianMs(15, [&] {
        QFile::remove(file);
        WriteMenuIni();
    });
    out << "menu INI file written afresh and applied: " << fresh << " ms (median of 15)\n";
    const double again = MedianMs(15, [] { WriteMenuIni(); });
    out << "menu INI file rewritten and applied: " << again << " ms (median of 15)\n";
    const double apply = MedianMs(15, [&] { main.MenuXP->ApplyMenuSettings(&main); });
    out << "menus redrawn from the file: " << apply << " ms (median of 15)\n";

    const QPoint below = main.mapToGlobal(QPoint(0, main.menuBar()->height()));
    for (const auto& [style, name] :
         {std::pair{2, "Office XP"}, std::pair{0, "Office 2000"}, std::pair{4, "3D"}}) {
        Globals().MenuStyle = style;
        WriteMenuIni();
        const double paint = MedianMs(15, [&] {
            main.mnuFile->popup(below);
            main.mnuFile->setActiveAction(main.mnuFPrint);
            main.mnuFile->grab();
            main.mnuFile->hide();
        });
        out << "File menu opened and painted in the " << name << " look: " << paint << " ms (median of 15)\n";
    }
    return 0;
}
