#include "EditCommands.h"

void ClearUndo() {}

void PushUndo(int) {}

void ShiftUndoBuffer() {}

void UndoLastEdit() {}

void UpdateUndoCommand() {}

void EnableEditCommands() {}

void DisableEditCommands() {}
