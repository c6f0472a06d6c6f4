#pragma once

#include "widgets/FormAccess.h"
#include "widgets/MenuExtended.h"

#include <QHash>
#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;

// The main window: a multiple-document frame whose client area holds the cool bar (the tool bar
// and the Pack To Go line) and the day page, with the menu bar above and the status bar below.
// The floating panels of the day page are placed on its client area.
class frmMain : public QMainWindow, public FormAccess<frmMain> {
    Q_OBJECT
public:
    frmMain();
    ~frmMain() override;

    void Form_Load();
    void Form_Unload();
    // Released once the event that closed it has finished with it.
    void ReleaseForm() { deleteLater(); }
    // Shows the window on the whole screen and waits (briefly) until the window system has
    // given it its size: the day page takes its width from it.
    void ShowMaximizedAndSettle();

    // The area below the menu bar and above the status bar, where panels float.
    QWidget* clientArea = nullptr;
    QWidget* CoolBar = nullptr;
    QToolBar* Toolbar = nullptr;
    QLabel* CoolBarBand2 = nullptr; // the Pack To Go line
    QStatusBar* StatusBar = nullptr;
    QMdiArea* mdiClient = nullptr;

    // The menus, under their own names.
    QMenu* mnuFile = nullptr;
    QAction* mnuFPack = nullptr;
    QAction* mnuFUnPack = nullptr;
    QAction* mnuFsep1 = nullptr;
    QAction* mnuFOpen = nullptr;
    QAction* mnuFSaveAs = nullptr;
    QAction* mnuFsep2 = nullptr;
    QAction* mnuFPrintPreview = nullptr;
    QAction* mnuFPrint = nullptr;
    QAction* mnuFsep3 = nullptr;
    QAction* mnuFLogoff = nullptr;
    QAction* mnuFsep4 = nullptr;
    QAction* mnuFExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEUndo = nullptr;
    QAction* mnuECut = nullptr;
    QAction* mnuECopy = nullptr;
    QAction* mnuEPaste = nullptr;
    QAction* mnuEErase = nullptr;
    QAction* mnuESelectAll = nullptr;
    QAction* mnuEFindReplace = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuVCalendar = nullptr;
    QAction* mnuVNotes = nullptr;
    QAction* mnuVTimeTable = nullptr;
    QAction* mnuVSchoolDays = nullptr;
    QAction* mnuVBothTeacherDays = nullptr;
    QAction* mnuVToolBar = nullptr;
    QMenu* mnuTools = nullptr;
    QAction* mnuTSetup = nullptr;
    QAction* mnuTOptions = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHContents = nullptr;
    QAction* mnuHTips = nullptr;
    QAction* mnuHAbout = nullptr;
    QAction* mnuHUpdates = nullptr;
    QAction* mnuHMenuDesigner = nullptr;

    // The cells' pop-up menus: top-level menus of the window, never on its bar.
    QMenu* mnuPopUpDetails = nullptr;
    QAction* mnuPopUpDetailsEdit = nullptr;
    QAction* mnuPopUpDetailsMagnify = nullptr;
    QAction* mnuPopUpDetailsCutAll = nullptr;
    QAction* mnuPopUpDetailsCopyAll = nullptr;
    QAction* mnuPopUpDetailsPaste = nullptr;
    QAction* mnuPopUpDetailsErase = nullptr;
    QAction* mnuPopUpDetailsOptions = nullptr;
    QAction* mnuPopUpDetailsHelp = nullptr;
    QMenu* mnuPopupSubject = nullptr;
    QAction* mnuPopupSubjectEdit = nullptr;
    QAction* mnuPopupSubjectCutAll = nullptr;
    QAction* mnuPopupSubjectCopyAll = nullptr;
    QAction* mnuPopupSubjectPaste = nullptr;
    QAction* mnuPopupSubjectErase = nullptr;
    QAction* mnuPopupSubjectOptions = nullptr;
    QAction* mnuPopupSubjectHelp = nullptr;
    QMenu* mnuPopUpTime = nullptr;
    QAction* mnuPopUpTimeEdit = nullptr;
    QAction* mnuPopUpTimeCutAll = nullptr;
    QAction* mnuPopUpTimeCopyAll = nullptr;
    QAction* mnuPopUpTimePaste = nullptr;
    QAction* mnuPopUpTimeErase = nullptr;
    QAction* mnuPopUpTimeOptions = nullptr;
    QAction* mnuPopUpTimeHelp = nullptr;

    // The tool bar's buttons by key ("Pack" ... "Tips"); their order is the bar's.
    QAction* Button(const QString& key) const { return m_buttons.value(key); }
    static const QStringList& ButtonKeys();

    // The menu component and its pictures.
    ImageList imlQLMMenu;
    ImageList imlToolbarIcons;
    ImageList imlToolbarDisabled;
    MenuExtended* MenuXP = nullptr;
    MenuEvents* menuEvents = nullptr;

    // Status-bar panels by key: "Date", "Time", "TeacherName", "SchoolDays", "CAPS", "NUM".
    QLabel* StatusPanel(const QString& key) const;

    // Measures in twips, as the layout formulas use them.
    double InnerWidthTw() const;
    double OuterWidthTw() const;
    // The bottom of the area the day page really has (below the bands, above the status bar),
    // measured on the client area, where the panels float.
    double PageAreaBottomTw() const;

    void SetBackColour(qint32 bgr);

    // Set by the tool-bar dispatcher before it runs a toggle whose button has already changed
    // its own pressed state.
    bool FromToolBar = false;

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
    void mnuECut_Click();
    void mnuECopy_Click();
    void mnuEPaste_Click();
    void mnuEErase_Click();
    void mnuESelectAll_Click();
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

    QHash<QString, QAction*> m_buttons;
    QHash<QString, QLabel*> m_panels;
    QTimer* m_clock = nullptr;
    bool m_unloaded = false;
};
