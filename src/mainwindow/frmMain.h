#pragma once

#include "ui/MainFrame.h"
#include "widgets/FormAccess.h"

class QTimer;

// The main window: a multiple-document frame whose client area holds the cool bar (the tool bar
// and the Pack To Go line) and the day page, with the menu bar above and the status bar below.
// The floating panels of the day page are placed on its client area.
class frmMain : public MainFrame, public FormAccess<frmMain> {
    Q_OBJECT
public:
    using FormAccess<frmMain>::Get;
    using FormAccess<frmMain>::IfLoaded;
    using FormAccess<frmMain>::IsLoaded;

    frmMain();
    ~frmMain() override;

    void Form_Load();
    void Form_Unload();
    // Released once the event that closed it has finished with it.
    void ReleaseForm() { deleteLater(); }
    // Shows the window on the whole screen and waits (briefly) until the window system has
    // given it its size: the day page takes its width from it.
    void ShowMaximizedAndSettle();

    // The commands.
    void mnuFPack_Click();
    void mnuFUnPack_Click();
    void mnuFOpen_Click();
    void mnuFSaveAs_Click();
    void mnuFPrintPreview_Click();
    void mnuFPrint_Click();
    void mnuFLogoff_Click();
    void mnuFExit_Click();
    void mnuEUndo_Click();
    void mnuEFindReplace_Click();
    void mnuVCalendar_Click();
    void mnuVNotes_Click();
    void mnuVTimeTable_Click();
    void mnuVSchoolDays_Click();
    void mnuVBothTeacherDays_Click();
    void mnuVToolBar_Click();
    void mnuTSetup_Click();
    void mnuTOptions_Click();
    void mnuHContents_Click();
    void mnuHTips_Click();
    void mnuHAbout_Click();
    void mnuHUpdates_Click();
    void mnuHMenuDesigner_Click();
    void Toolbar_ButtonClick(const QString& key);

    void mnuPopUpDetailsEdit_Click();
    void mnuPopUpDetailsMagnify_Click();
    void mnuPopUpDetailsCutAll_Click();
    void mnuPopUpDetailsCopyAll_Click();
    void mnuPopUpDetailsPaste_Click();
    void mnuPopUpDetailsErase_Click();
    void mnuPopUpDetailsOptions_Click();
    void mnuPopUpDetailsHelp_Click();
    void mnuPopUpSubjectEdit_Click();
    void mnuPopUpSubjectCutAll_Click();
    void mnuPopUpSubjectCopyAll_Click();
    void mnuPopUpSubjectPaste_Click();
    void mnuPopUpSubjectErase_Click();
    void mnuPopUpSubjectOptions_Click();
    void mnuPopUpSubjectHelp_Click();
    void mnuPopUpTimeEdit_Click();
    void mnuPopUpTimeCutAll_Click();
    void mnuPopUpTimeCopyAll_Click();
    void mnuPopUpTimePaste_Click();
    void mnuPopUpTimeErase_Click();
    void mnuPopUpTimeOptions_Click();
    void mnuPopUpTimeHelp_Click();

    // The menu component's binding.
    void SubClassMenuXP();
    void MenuDesigner();
    void MenuEvents_MenuHelp(const QString& first, const QString& second);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MDIForm_Load();
    void MDIForm_Unload();
    void createMenus();
    void createPopupMenus();
    void createToolBar();
    void createStatusBar();
    void addStatusPanel(const QString& key, int stretch);
    void storePendingEdits();
    void showLockKeys(quint32 nativeModifiers);
    bool takesUndoKey(QObject* watched, QEvent* event) const;

    QTimer* m_clock = nullptr;
    bool m_unloaded = false;
};
