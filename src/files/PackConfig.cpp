#include "PackConfig.h"

#include "DayPageWindows.h"
#include "core/PackTransfer.h"
#include "core/ProgramState.h"
#include "frmPackConfig.h"

void ShowPackConfigDialog() {
    frmPackConfig::Get().exec();
    frmPackConfig::Unload();
}

bool DriveDialogEndedWithOK() {
    const ProgramState& g = Globals();
    return !g.PackPath.isEmpty() && g.PackConfig && !g.PackConfigOpen;
}

bool MakeFirstPack() {
    const PackOutcome outcome = FirstPack(DayPageWindows());
    return outcome == PackOutcome::Packed || outcome == PackOutcome::Taken;
}
