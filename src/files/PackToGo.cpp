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
    // Offered once per run, answered or not, at the first activation of the page with Pack To
    // Go on: one turned on later in the run still gets it.
    if (Globals().PackRun == 0 || Globals().UnPackOffered) {
        return;
    }
    // The unpack closes the page and loads it again, so it waits until the page's own
    // activation has finished; by then a first pack that did not reach the drive may have
    // turned Pack To Go off again.
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        ProgramState& g = Globals();
        if (g.PackRun == 0 || g.UnPackOffered) {
            return;
        }
        g.UnPackOffered = true;
        OfferUnPack(DayPageWindows());
    });
}
