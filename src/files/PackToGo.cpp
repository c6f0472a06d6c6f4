#include "PackToGo.h"

#include "DayPageWindows.h"
#include "core/PackTransfer.h"
#include "core/ProgramState.h"

#include <QCoreApplication>
#include <QTimer>

void PackToGo() {
    PackDataBase(DayPageWindows());
}

void UnPack() {
    UnPackCommand(DayPageWindows());
}

void OfferStartupUnPack() {
    ProgramState& g = Globals();
    if (g.UnPackOffered) {
        return;
    }
    // Offered once per run, when the page first becomes active, answered or not.
    g.UnPackOffered = true;
    if (g.PackRun == 0) {
        return;
    }
    // The unpack closes the page and loads it again, so it waits until the page's own
    // activation has finished.
    QTimer::singleShot(0, QCoreApplication::instance(), [] { OfferUnPack(DayPageWindows()); });
}
