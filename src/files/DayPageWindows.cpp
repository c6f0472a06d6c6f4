#include "DayPageWindows.h"

#include "core/PackTransfer.h"
#include "daypage/EditCommands.h"
#include "daypage/Panels.h"
#include "daypage/TimeTableGrid.h"
#include "daypage/frmSchedule.h"
#include "files/frmPackMsg.h"
#include "ui/MainFrame.h"
#include "ui/MainWindowState.h"

namespace {
// "File is Up To Date..." stays up this long, without holding anything up.
constexpr int kBriefMilliseconds = 2000;

class Windows final : public DayPageHost {
public:
    void ShowProgress(const QString& text) override { ShowPackMsg(PackDriveCaption(), text); }
    void ShowBriefly(const QString& text) override {
        ShowPackMsgBriefly(PackDriveCaption(), text, kBriefMilliseconds);
    }
    void CloseProgress() override { ClosePackMsg(); }
    void ClosePage() override { frmSchedule::Unload(); }
    void LoadPage() override {
        // The page is the main window's child: without the main window there is no page.
        if (MainFrame::IsLoaded()) {
            frmSchedule::Get();
        }
    }
    void RefreshPage() override {
        MainFrame* main = MainFrame::IfLoaded();
        if (!main) {
            return;
        }
        frmSchedule& page = frmSchedule::Get();
        BuildTimeTableGrid(page);
        ShowTimeTableFrame(page);
        UpdateTeacherInfo(*main);
        RefreshMainMenus(*main);
        ClearUndo();
        DisableEditCommands();
    }
};
} // namespace

DayPageHost& DayPageWindows() {
    static Windows windows;
    return windows;
}
