#include "EditCommands.h"

void DisableEditCommands() {}

void EnableEditCommands() {}

void ClearUndo() {}
