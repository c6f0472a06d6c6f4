#include "PackToGo.h"

#include "DayPageWindows.h"
#include "core/PackTransfer.h"
#include "core/ProgramState.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

void PackToGo() {
    PackDataBase(DayPageWindows());
}

void UnPack() {
    UnPackCommand(DayPageWindows());
}

namespace {
// A page loaded again by a first pack comes up while that pack may still be saying something (a
// kept copy, a failure): the offer waits until no such window is open, so that the two never
// stand one over the other.
void OfferWhenNothingElseAsks() {
    ProgramState& g = Globals();
    if (g.PackRun == 0 || g.UnPackOffered) {
        return;
    }
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(100, QCoreApplication::instance(), &OfferWhenNothingElseAsks);
        return;
    }
    g.UnPackOffered = true;
    OfferUnPack(DayPageWindows());
}
} // namespace

void OfferStartupUnPack() {
    // Offered once per run, answered or not, at the first activation of the page with Pack To
    // Go on: one turned on later in the run still gets it.
    if (Globals().PackRun == 0 || Globals().UnPackOffered) {
        return;
    }
    // The unpack closes the page and loads it again, so it waits until the page's own
    // activation has finished; by then a first pack that did not reach the drive may have
    // turned Pack To Go off again.
    QTimer::singleShot(0, QCoreApplication::instance(), &OfferWhenNothingElseAsks);
}
