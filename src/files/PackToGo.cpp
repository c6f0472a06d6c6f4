#include "PackToGo.h"

#include "core/ProgramState.h"

void OfferStartupUnPack() {
    // The offer is made once per run; packing and unpacking arrive in a later step.
    Globals().UnPackOffered = true;
}
