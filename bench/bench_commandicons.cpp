// Times what the start-up spends on the command pictures and the small dialogs: drawing every
// picture the main window's menus and tool bar ask for (menu pictures at 16 pixels, tool-bar
// buttons enabled and greyed at 22 and 44), and building and loading the log-on and about
// windows. Prints figures; the goal is under 50 ms for the pictures and 30 ms for each window.
#include "BenchSupport.h"
#include "core/ProgramState.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmLogOn.h"
#include "support/UiTestSupport.h"
#include "widgets/CommandIcons.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    RunHeadlessUnlessTold();
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList toolbar =
        Artwork::MenuIconKeys() + QStringList{QStringLiteral("LowerLeft"), QStringLiteral("LowerRight"),
                                              QStringLiteral("Beside"), QStringLiteral("Opposite")};
    int pictures = 0;
    const double icons = MedianMs(15, [&] {
        pictures = 0;
        for (const QString& key : Artwork::MenuIconKeys()) {
            Artwork::MenuIcon(key).pixmap(QSize(16, 16));
            ++pictures;
        }
        for (const QString& key : toolbar) {
            for (bool enabled : {true, false}) {
                for (int size : {22, 44}) {
                    Artwork::ToolbarIcon(key, enabled).pixmap(QSize(size, size));
                    ++pictures;
                }
            }
        }
    });
    out << "command pictures: " << pictures << " drawn in " << icons << " ms (median of 15)\n";

    TestEnvironment env;
    Globals().AppTitle = QStringLiteral("Quillmarsh");
    Globals().TeacherNames[1] = QStringLiteral("Ms. Avery");
    Globals().TeacherNames[2] = QStringLiteral("Mr. Brook");
    const double logOn = MedianMs(15, [] {
        frmLogOn::Get();
        frmLogOn::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    out << "log-on window built and loaded: " << logOn << " ms (median of 15)\n";
    const double about = MedianMs(15, [] {
        frmAbout::Get();
        frmAbout::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    out << "about box built and loaded: " << about << " ms (median of 15)\n";
    return 0;
}
