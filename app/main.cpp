#include "core/Startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmarsh"));
    QApplication::setOrganizationName(QStringLiteral("VNT"));
    if (!Main()) {
        return 0;
    }
    return QApplication::exec();
}
