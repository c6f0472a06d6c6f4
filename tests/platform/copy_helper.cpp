// Copies a file slowly, so that a test can stop it half-way: it says "block N" after each
// block and pauses. Arguments: source target.
#include "platform/FileCopy.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        return 2;
    }
    FileCopySeam::SetBlockHookForTests(
        [](int blocks) {
            std::printf("block %d\n", blocks);
            std::fflush(stdout);
            QThread::msleep(20);
            return true;
        },
        4096);
    return CopyFileSafely(args[1], args[2]).ok ? 0 : 1;
}
