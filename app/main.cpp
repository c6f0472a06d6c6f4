#include "Main.h"
#include "Application.h"
#include "dialogs/frmMsg.h"
#include "printing/DefaultPrinter.h"
#include "printing/Printer.h"
#include "widgets/SystemMetrics.h"

int main(int argc, char* argv[]) {
    if (int helped = 0; RunAsHelper(argc, argv, &helped)) {
        return helped;
    }
    Application app(argc, argv);
    UseDefaultPrinterHelper(QCoreApplication::applicationFilePath());
    UseHandOverHelper(QCoreApplication::applicationFilePath());
    QApplication::setApplicationName(QStringLiteral("Quillmarsh"));
    QApplication::setOrganizationName(QStringLiteral("VNT"));
    UseScreenTwipsPerPixel();
    InstallMessageBox();
    if (!Main()) {
        return 0;
    }
    return QApplication::exec();
}
