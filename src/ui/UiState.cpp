#include "UiState.h"

namespace {
UiState g_ui;
}

UiState& Ui() {
    return g_ui;
}

void ResetUi() {
    g_ui = UiState{};
}
