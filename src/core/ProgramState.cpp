#include "ProgramState.h"

namespace {
ProgramState g_state;
}

ProgramState& Globals() {
    return g_state;
}

void ResetGlobals() {
    g_state = ProgramState{};
}
