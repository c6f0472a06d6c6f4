#include "Main.h"
#include "dialogs/frmMsg.h"
#include "widgets/SystemMetrics.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmarsh"));
    QApplication::setOrganizationName(QStringLiteral("VNT"));
    UseScreenTwipsPerPixel();
    InstallMessageBox();
    if (!Main()) {
        return 0;
    }
    return QApplication::exec();
}
