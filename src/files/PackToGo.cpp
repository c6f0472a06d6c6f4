#include "PackToGo.h"

#include "core/ProgramState.h"

// Packing and unpacking arrive in a later step.
void PackToGo() {}

void UnPack() {}

void OfferStartupUnPack() {
    // The offer is made once per run.
    Globals().UnPackOffered = true;
}
