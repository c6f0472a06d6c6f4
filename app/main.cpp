#include "Main.h"
#include "Application.h"
#include "dialogs/frmMsg.h"
#include "printing/DefaultPrinter.h"
#include "printing/Printer.h"
#include "widgets/SystemMetrics.h"

#include <cstring>

int main(int argc, char* argv[]) {
    // Run as the helper that asks the print system for the default printer, without a window.
    if (argc == 2 && std::strcmp(argv[1], DefaultPrinterQuestion) == 0) {
        return AnswerDefaultPrinterQuestion(argc, argv);
    }
    // Run as the helper that hands a print job to the print system.
    if (argc >= 2 && std::strcmp(argv[1], HandOverCommand) == 0) {
        return HandOverJobFromCommandLine(argc, argv);
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
