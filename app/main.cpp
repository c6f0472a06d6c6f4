#include "Main.h"
#include "Application.h"
#include "dialogs/frmMsg.h"
#include "widgets/SystemMetrics.h"

int main(int argc, char* argv[]) {
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmarsh"));
    QApplication::setOrganizationName(QStringLiteral("VNT"));
    UseScreenTwipsPerPixel();
    InstallMessageBox();
    if (!Main()) {
        return 0;
    }
    return QApplication::exec();
}
