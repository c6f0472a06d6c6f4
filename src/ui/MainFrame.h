#pragma once

#include "widgets/MenuExtended.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QStatusBar;
class QToolBar;

// The main window as the windows below it see it: its controls under their own names, its
// measures in twips, and the edit commands that act on the focused text box. The day page, the
// dialogs and every subsystem's windows work with it through this class; frmMain, which opens
// all of their windows, builds it and runs the rest of its commands.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    // The main window when it is loaded; Get loads it when it is not, by the loader that the
    // program hands over at its start (only the top floor knows how the window is loaded).
    static MainFrame* IfLoaded();
    static bool IsLoaded() { return IfLoaded() != nullptr; }
    static MainFrame& Get();
    using Loader = MainFrame& (*)();
    static void SetLoader(Loader load);

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

    // The tool bar's buttons by key ("Pack" ... "Tips"), with their tool tips and whether each
    // is a two-state button; their order is the bar's.
    struct ButtonSpec {
        const char* key;
        const char* tip;
        bool twoState;
    };
    static const QList<ButtonSpec>& ButtonSpecs();
    static const QStringList& ButtonKeys();
    QAction* Button(const QString& key) const { return m_buttons.value(key); }

    // The commands by the names their state is computed for (MainCommands.h): menu items and top
    // menus by name, tool-bar buttons by key.
    QAction* Command(const QString& name) const;
    // Controls of the windows inside the frame that follow the same state (the day page's
    // navigation and notes buttons), by name; they are forgotten when they go.
    void FollowCommandState(const QString& name, QWidget* control);
    QWidget* CommandControl(const QString& name) const;

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

    // The Edit commands, on whichever text box has the focus.
    void mnuECut_Click();
    void mnuECopy_Click();
    void mnuEPaste_Click();
    void mnuEErase_Click();
    void mnuESelectAll_Click();

protected:
    MainFrame();
    ~MainFrame() override;
    // The main window says when it is loaded (from the start of its load to the end of its
    // unload), so that the windows below find it without knowing it.
    void Loaded();
    void Unloaded();

    QHash<QString, QAction*> m_buttons;
    QHash<QString, QPointer<QWidget>> m_commandControls;
    QHash<QString, QLabel*> m_panels;
};
