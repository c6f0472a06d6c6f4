#pragma once

// The ten-deep undo of Details edits, and the enabling of the edit commands that act on the
// focused text box.
void ClearUndo();
// Records the pending change of the Details cell of this row, if there is one.
void PushUndo(int row);
void ShiftUndoBuffer();
void UndoLastEdit();
void UpdateUndoCommand();
void EnableEditCommands();
void DisableEditCommands();
