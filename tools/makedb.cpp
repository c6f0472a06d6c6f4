// Build step: supplies the program's database file beside the executable.
#include "core/SuppliedDatabase.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: qlm-makedb <path of QLM.mdb>\n";
        return 2;
    }
    QString error;
    if (!CreateSuppliedDatabase(QString::fromLocal8Bit(argv[1]), &error)) {
        QTextStream(stderr) << "qlm-makedb: " << error << "\n";
        return 1;
    }
    return 0;
}
