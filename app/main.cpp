#include "Main.h"
#include "Application.h"
#include "dialogs/frmMsg.h"
#include "printing/DefaultPrinter.h"
#include "widgets/SystemMetrics.h"

#include <cstring>

int main(int argc, char* argv[]) {
    // Run as the helper that asks the print system for the default printer, without a window.
    if (argc == 2 && std::strcmp(argv[1], DefaultPrinterQuestion) == 0) {
        return AnswerDefaultPrinterQuestion(argc, argv);
    }
    Application app(argc, argv);
    UseDefaultPrinterHelper(QCoreApplication::applicationFilePath());
    QApplication::setApplicationName(QStringLiteral("Quillmarsh"));
    QApplication::setOrganizationName(QStringLiteral("VNT"));
    UseScreenTwipsPerPixel();
    InstallMessageBox();
    if (!Main()) {
        return 0;
    }
    return QApplication::exec();
}
