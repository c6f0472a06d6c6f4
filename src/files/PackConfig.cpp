#include "PackConfig.h"

// The drive dialog and the first pack arrive with Pack To Go.
void ShowPackConfigDialog() {}

bool MakeFirstPack() {
    return false;
}
