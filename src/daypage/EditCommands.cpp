#include "EditCommands.h"

#include "DayStyle.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "frmSchedule.h"
#include "platform/DateText.h"
#include "ui/MainWindowState.h"
#include "ui/UiState.h"

void ClearUndo() {
    UiState& ui = Ui();
    ui.UndoTop = -1;
    UpdateUndoCommand();
    for (auto& entry : ui.UndoBuffer) {
        entry.fill(QString());
    }
}

void PushUndo(int row) {
    if (row < 0 || row > 11) {
        return;
    }
    UiState& ui = Ui();
    frmSchedule& page = frmSchedule::Get();
    const BoundLabel* cell = page.lblDetails[row];
    // An edit that ends with the text the record already held records nothing.
    if (cell->Tag == cell->Caption()) {
        return;
    }
    if (ui.UndoTop >= 9) {
        ShiftUndoBuffer();
    }
    ++ui.UndoTop;
    ui.UndoBuffer[ui.UndoTop] = {page.txtDate->Text(), QString::number(row), cell->Tag};
    UpdateUndoCommand();
}

void ShiftUndoBuffer() {
    UiState& ui = Ui();
    // Oldest first, so nothing is overwritten before it is copied; ten is the limit.
    for (int i = 0; i <= 8; ++i) {
        ui.UndoBuffer[i] = ui.UndoBuffer[i + 1];
    }
    ui.UndoTop = 8;
}

void UndoLastEdit() {
    UiState& ui = Ui();
    if (ui.UndoTop < 0) {
        return; // nothing to take back
    }
    const std::array<QString, 3> entry = ui.UndoBuffer[ui.UndoTop];
    frmSchedule& page = frmSchedule::Get();
    const QDate day = TextToDate(entry[0]);
    // The old text belongs to that day's record alone: when the day is no longer listed (the
    // School Days or Partner Days view changed the list), no other day may receive it.
    if (!GoToListedDate(day)) {
        --ui.UndoTop;
        UpdateUndoCommand();
        ShowMessage(
            QStringLiteral("The change of %1 cannot be undone: that day is not among the days shown now.")
                .arg(FormatDate(day, Globals().MonthDateFormat)),
            MsgOK, MsgInformation, Globals().AppTitle + QStringLiteral(" - Undo"), 0);
        return;
    }
    LoadDayTeacherStyle(page);
    ApplyDayStyle(page);
    const int row = qBound(0, entry[1].toInt(), 11);
    page.lblDetails[row]->setCaption(entry[2]);
    page.lblDetails[row]->Tag = entry[2];
    --ui.UndoTop;
    if (ui.UndoTop == -1) {
        UpdateUndoCommand();
    }
}

void UpdateUndoCommand() {
    // Undo follows its buffer alone, within what the rest of the state allows.
    UpdateMainCommands();
}

void EnableEditCommands() {
    Ui().EditCommandsOn = true;
    UpdateMainCommands();
}

void DisableEditCommands() {
    Ui().EditCommandsOn = false;
    UpdateMainCommands();
}
