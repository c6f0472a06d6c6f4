#pragma once

// The Edit commands' enabling and the undo history of Details edits. They arrive with the cell
// editors; until then these keep their callers' order of calls and do nothing.
void DisableEditCommands();
void EnableEditCommands();
void ClearUndo();
