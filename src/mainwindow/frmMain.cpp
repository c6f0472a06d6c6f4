#include "frmMain.h"

#include "core/DayDatabase.h"
#include "core/MenuIni.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "core/TeacherSettings.h"
#include "daypage/CellEditors.h"
#include "daypage/DayStyle.h"
#include "daypage/EditCommands.h"
#include "daypage/Panels.h"
#include "daypage/TimeTableGrid.h"
#include "daypage/frmFindReplace.h"
#include "daypage/frmSchedule.h"
#include "dialogs/StartupDialogs.h"
#include "dialogs/frmAbout.h"
#include "files/PackToGo.h"
#include "files/frmFileDialog.h"
#include "options/frmOptions.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "printing/DefaultPrinter.h"
#include "printing/PrintCommands.h"
#include "printing/PrintInProgress.h"
#include "printing/PrintSystem.h"
#include "setup/frmSetup.h"
#include "ui/MainWindowState.h"
#include "ui/OpenWindows.h"
#include "ui/UiState.h"
#include "widgets/Artwork.h"
#include "widgets/Colours.h"
#include "widgets/CommandIcons.h"
#include "widgets/Help.h"
#include "widgets/LimitedTextEdit.h"
#include "widgets/SystemMetrics.h"
#include "widgets/TopLevelWindows.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
// Where the bar groups its buttons.
const QStringList kGroupEnds{QStringLiteral("UnPack"),  QStringLiteral("Print"),
                             QStringLiteral("Undo"),    QStringLiteral("SelectAll"),
                             QStringLiteral("Find"),    QStringLiteral("BothDays"),
                             QStringLiteral("Options"), QStringLiteral("Opposite")};

// Whether the print commands may go on: start-up's answer, waited for when it has not come yet.
// No printer then is looked for again, as one may have been attached since, or the print system
// may answer now. Either wait is bounded.
bool DefaultPrinterForCommand() {
    if (DefaultPrinterPending()) {
        AnswerDefaultPrinterNow();
    } else if (!Globals().DefaultPrinterFound) {
        AskDefaultPrinterAgain();
    }
    return Globals().DefaultPrinterFound;
}

void OpenHelp(QWidget* owner, int context) {
    HtmlHelp(owner, Globals().HelpFile, HH_HELP_CONTEXT, context);
}
} // namespace

frmMain::frmMain() {
    setAttribute(Qt::WA_DeleteOnClose, false);
    SetMainWindow(this);
    setWindowIcon(Artwork::AppIcon());
    for (const QString& key : Artwork::MenuIconKeys()) {
        imlQLMMenu.Add(key, Artwork::MenuIcon(key));
    }
    for (const QString& key : ButtonKeys()) {
        imlToolbarIcons.Add(key, Artwork::ToolbarIcon(key, true));
        imlToolbarDisabled.Add(key, Artwork::ToolbarIcon(key, false));
    }

    clientArea = new QWidget(this);
    auto* layout = new QVBoxLayout(clientArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    createToolBar();
    layout->addWidget(CoolBar);
    mdiClient = new QMdiArea(clientArea);
    mdiClient->setFrameShape(QFrame::NoFrame);
    mdiClient->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiClient->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(mdiClient, 1);
    setCentralWidget(clientArea);

    createMenus();
    createPopupMenus();
    createStatusBar();
    qApp->installEventFilter(this);

    // Open on the whole screen, so the day page takes its width from it.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        resize(screen->availableGeometry().size());
    }
}

frmMain::~frmMain() {
    qApp->removeEventFilter(this);
    if (!m_unloaded) {
        MDIForm_Unload();
    }
}

void frmMain::createMenus() {
    auto add = [this](QMenu* menu, const QString& caption, void (frmMain::*handler)(),
                      const QKeySequence& shortcut = {}) {
        QAction* item = menu->addAction(caption);
        item->setShortcut(shortcut);
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFPack = add(mnuFile, QStringLiteral("P&ack To Go..."), &frmMain::mnuFPack_Click);
    mnuFUnPack = add(mnuFile, QStringLiteral("&UnPack..."), &frmMain::mnuFUnPack_Click);
    mnuFsep1 = mnuFile->addSeparator();
    mnuFOpen = add(mnuFile, QStringLiteral("DataBase &Open..."), &frmMain::mnuFOpen_Click);
    mnuFSaveAs = add(mnuFile, QStringLiteral("DataBase &Save As..."), &frmMain::mnuFSaveAs_Click);
    mnuFsep2 = mnuFile->addSeparator();
    mnuFPrintPreview = add(mnuFile, QStringLiteral("Print Pre&view..."), &frmMain::mnuFPrintPreview_Click);
    mnuFPrint = add(mnuFile, QStringLiteral("&Print..."), &frmMain::mnuFPrint_Click,
                    QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuFsep3 = mnuFile->addSeparator();
    mnuFLogoff = add(mnuFile, QStringLiteral("&Log Off"), &frmMain::mnuFLogoff_Click);
    mnuFsep4 = mnuFile->addSeparator();
    mnuFExit = add(mnuFile, QStringLiteral("E&xit"), &frmMain::mnuFExit_Click);

    mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuEUndo =
        add(mnuEdit, QStringLiteral("&Undo"), &frmMain::mnuEUndo_Click, QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuEdit->addSeparator();
    mnuECut =
        add(mnuEdit, QStringLiteral("Cu&t"), &frmMain::mnuECut_Click, QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuECopy =
        add(mnuEdit, QStringLiteral("&Copy"), &frmMain::mnuECopy_Click, QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuEPaste =
        add(mnuEdit, QStringLiteral("&Paste"), &frmMain::mnuEPaste_Click, QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuEdit->addSeparator();
    mnuEErase = add(mnuEdit, QStringLiteral("&Erase All"), &frmMain::mnuEErase_Click);
    mnuESelectAll = add(mnuEdit, QStringLiteral("&Select All"), &frmMain::mnuESelectAll_Click,
                        QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuEdit->addSeparator();
    mnuEFindReplace = add(mnuEdit, QStringLiteral("&Find and Replace..."), &frmMain::mnuEFindReplace_Click,
                          QKeySequence(Qt::CTRL | Qt::Key_F));

    mnuView = menuBar()->addMenu(QStringLiteral("&View"));
    // The check marks follow the settings, not the click: the toolkit's own toggle on a click
    // is taken back by the state before the handler runs, and the handler's change of the
    // setting then sets it.
    auto addView = [this](const QString& caption, void (frmMain::*handler)()) {
        QAction* item = mnuView->addAction(caption);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, &UpdateMainCommands);
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    mnuVCalendar = addView(QStringLiteral("&Calendar"), &frmMain::mnuVCalendar_Click);
    mnuVNotes = addView(QStringLiteral("&Notes"), &frmMain::mnuVNotes_Click);
    mnuVTimeTable = addView(QStringLiteral("&TimeTable"), &frmMain::mnuVTimeTable_Click);
    mnuVSchoolDays = addView(QStringLiteral("&School Days"), &frmMain::mnuVSchoolDays_Click);
    mnuVBothTeacherDays = addView(QStringLiteral("&Partner Days"), &frmMain::mnuVBothTeacherDays_Click);
    mnuView->addSeparator();
    mnuVToolBar = addView(QStringLiteral("&ToolBar"), &frmMain::mnuVToolBar_Click);

    mnuTools = menuBar()->addMenu(QStringLiteral("&Tools"));
    mnuTSetup = add(mnuTools, QStringLiteral("&Setup..."), &frmMain::mnuTSetup_Click);
    mnuTools->addSeparator();
    mnuTOptions = add(mnuTools, QStringLiteral("&Options..."), &frmMain::mnuTOptions_Click);

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHContents =
        add(mnuHelp, QStringLiteral("&Contents..."), &frmMain::mnuHContents_Click, QKeySequence(Qt::Key_F1));
    mnuHTips = add(mnuHelp, QStringLiteral("&Tips..."), &frmMain::mnuHTips_Click);
    mnuHAbout = add(mnuHelp, QStringLiteral("&About..."), &frmMain::mnuHAbout_Click);
    mnuHUpdates = add(mnuHelp, QStringLiteral("&Updates..."), &frmMain::mnuHUpdates_Click);
    mnuHMenuDesigner = add(mnuHelp, QStringLiteral("Menu Designer"), &frmMain::mnuHMenuDesigner_Click);
}

void frmMain::createPopupMenus() {
    auto add = [this](QMenu* menu, const QString& caption, void (frmMain::*handler)()) {
        QAction* item = menu->addAction(caption);
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    mnuPopUpDetails = new QMenu(QStringLiteral("PopUp Details"), this);
    mnuPopUpDetailsEdit =
        add(mnuPopUpDetails, QStringLiteral("Edit Details"), &frmMain::mnuPopUpDetailsEdit_Click);
    mnuPopUpDetailsMagnify =
        add(mnuPopUpDetails, QStringLiteral("Magnify"), &frmMain::mnuPopUpDetailsMagnify_Click);
    mnuPopUpDetails->addSeparator();
    mnuPopUpDetailsCutAll =
        add(mnuPopUpDetails, QStringLiteral("Cut All"), &frmMain::mnuPopUpDetailsCutAll_Click);
    mnuPopUpDetailsCopyAll =
        add(mnuPopUpDetails, QStringLiteral("Copy All"), &frmMain::mnuPopUpDetailsCopyAll_Click);
    mnuPopUpDetailsPaste =
        add(mnuPopUpDetails, QStringLiteral("Paste"), &frmMain::mnuPopUpDetailsPaste_Click);
    mnuPopUpDetailsErase =
        add(mnuPopUpDetails, QStringLiteral("Erase"), &frmMain::mnuPopUpDetailsErase_Click);
    mnuPopUpDetails->addSeparator();
    mnuPopUpDetailsOptions =
        add(mnuPopUpDetails, QStringLiteral("Options"), &frmMain::mnuPopUpDetailsOptions_Click);
    mnuPopUpDetailsHelp = add(mnuPopUpDetails, QStringLiteral("Help"), &frmMain::mnuPopUpDetailsHelp_Click);

    mnuPopupSubject = new QMenu(QStringLiteral("Popup Subject"), this);
    mnuPopupSubjectEdit =
        add(mnuPopupSubject, QStringLiteral("Edit Subject"), &frmMain::mnuPopUpSubjectEdit_Click);
    mnuPopupSubject->addSeparator();
    mnuPopupSubjectCutAll =
        add(mnuPopupSubject, QStringLiteral("Cut All"), &frmMain::mnuPopUpSubjectCutAll_Click);
    mnuPopupSubjectCopyAll =
        add(mnuPopupSubject, QStringLiteral("Copy All"), &frmMain::mnuPopUpSubjectCopyAll_Click);
    mnuPopupSubjectPaste =
        add(mnuPopupSubject, QStringLiteral("Paste"), &frmMain::mnuPopUpSubjectPaste_Click);
    mnuPopupSubjectErase =
        add(mnuPopupSubject, QStringLiteral("Erase"), &frmMain::mnuPopUpSubjectErase_Click);
    mnuPopupSubject->addSeparator();
    mnuPopupSubjectOptions =
        add(mnuPopupSubject, QStringLiteral("Options"), &frmMain::mnuPopUpSubjectOptions_Click);
    mnuPopupSubjectHelp = add(mnuPopupSubject, QStringLiteral("Help"), &frmMain::mnuPopUpSubjectHelp_Click);

    mnuPopUpTime = new QMenu(QStringLiteral("PopUp Time"), this);
    mnuPopUpTimeEdit = add(mnuPopUpTime, QStringLiteral("Edit Time"), &frmMain::mnuPopUpTimeEdit_Click);
    mnuPopUpTime->addSeparator();
    mnuPopUpTimeCutAll = add(mnuPopUpTime, QStringLiteral("Cut All"), &frmMain::mnuPopUpTimeCutAll_Click);
    mnuPopUpTimeCopyAll = add(mnuPopUpTime, QStringLiteral("Copy All"), &frmMain::mnuPopUpTimeCopyAll_Click);
    mnuPopUpTimePaste = add(mnuPopUpTime, QStringLiteral("Paste"), &frmMain::mnuPopUpTimePaste_Click);
    mnuPopUpTimeErase = add(mnuPopUpTime, QStringLiteral("Erase"), &frmMain::mnuPopUpTimeErase_Click);
    mnuPopUpTime->addSeparator();
    mnuPopUpTimeOptions = add(mnuPopUpTime, QStringLiteral("Options"), &frmMain::mnuPopUpTimeOptions_Click);
    mnuPopUpTimeHelp = add(mnuPopUpTime, QStringLiteral("Help"), &frmMain::mnuPopUpTimeHelp_Click);
}

void frmMain::createToolBar() {
    // The cool bar: band 1 holds the tool bar, band 2 the Pack To Go line.
    CoolBar = new QWidget(clientArea);
    CoolBar->setObjectName(QStringLiteral("CoolBar"));
    CoolBar->setAutoFillBackground(true);
    auto* bands = new QHBoxLayout(CoolBar);
    bands->setContentsMargins(2, 1, 8, 1);
    Toolbar = new QToolBar(CoolBar);
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    Toolbar->setIconSize(QSize(22, 22));
    Toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ButtonSpec& entry : ButtonSpecs()) {
        const QString key = QString::fromLatin1(entry.key);
        // Drawn when first shown, at the size the screen asks for, so the bar is sharp at any
        // scale and the window is built without drawing.
        const QIcon icon = Artwork::TwoLookIcon(imlToolbarIcons.Icon(key), imlToolbarDisabled.Icon(key));
        QAction* button = Toolbar->addAction(icon, QString::fromLatin1(entry.tip));
        button->setObjectName(key);
        button->setToolTip(QString::fromLatin1(entry.tip));
        button->setCheckable(entry.twoState);
        connect(button, &QAction::triggered, this, [this, key] { Toolbar_ButtonClick(key); });
        m_buttons.insert(key, button);
        if (kGroupEnds.contains(key)) {
            Toolbar->addSeparator();
        }
    }
    bands->addWidget(Toolbar);
    bands->addStretch(1);
    CoolBarBand2 = new QLabel(CoolBar);
    CoolBarBand2->setObjectName(QStringLiteral("PackToGoBand"));
    bands->addWidget(CoolBarBand2);
}

void frmMain::createStatusBar() {
    StatusBar = statusBar();
    addStatusPanel(QStringLiteral("Date"), 0);
    addStatusPanel(QStringLiteral("Time"), 0);
    addStatusPanel(QStringLiteral("TeacherName"), 0);
    addStatusPanel(QStringLiteral("SchoolDays"), 1);
    addStatusPanel(QStringLiteral("CAPS"), 0);
    addStatusPanel(QStringLiteral("NUM"), 0);
    StatusPanel(QStringLiteral("CAPS"))->setText(QStringLiteral("CAPS"));
    StatusPanel(QStringLiteral("NUM"))->setText(QStringLiteral("NUM"));
    showLockKeys(0);
    m_clock = new QTimer(this);
    auto showTime = [this] {
        StatusPanel(QStringLiteral("Time"))
            ->setText(FormatDateTime(Clock::Now(), QStringLiteral("h:nn AM/PM")));
    };
    connect(m_clock, &QTimer::timeout, this, showTime);
    m_clock->start(1000);
    showTime();
}

void frmMain::addStatusPanel(const QString& key, int stretch) {
    auto* panel = new QLabel(this);
    panel->setObjectName(key);
    panel->setContentsMargins(6, 0, 6, 0);
    StatusBar->addPermanentWidget(panel, stretch);
    m_panels.insert(key, panel);
}

void frmMain::showLockKeys(quint32 nativeModifiers) {
    // X11's lock masks: Caps Lock is the Lock bit, Num Lock (almost always) Mod2. A lock that is
    // off is shown greyed, as the panel's own style would.
    StatusPanel(QStringLiteral("CAPS"))->setEnabled((nativeModifiers & 0x02u) != 0);
    StatusPanel(QStringLiteral("NUM"))->setEnabled((nativeModifiers & 0x10u) != 0);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        showLockKeys(static_cast<QKeyEvent*>(event)->nativeModifiers());
    }
    if (takesUndoKey(watched, event)) {
        // Ctrl+Z is Edit > Undo's, also over a text box that would undo its own typing: the
        // override is refused so the window's shortcut runs, and while Undo is disabled the key
        // itself does nothing.
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool frmMain::takesUndoKey(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    return QKeySequence(key->keyCombination()) == mnuEUndo->shortcut();
}

void frmMain::ShowMaximizedAndSettle() {
    showMaximized();
    SettleShown(this);
}

void frmMain::Form_Load() {
    Loaded(); // the windows below reach it as their frame from here on
    MDIForm_Load();
}

void frmMain::Form_Unload() {
    MDIForm_Unload();
    Unloaded();
}

void frmMain::MDIForm_Load() {
    setWindowTitle(Globals().AppTitle);
    // 1.-2. The menu component draws the menus from here on.
    Ui().MenuSubclassed = true;
    SubClassMenuXP();
    // 3.-6.
    UpdateTeacherInfo(*this);
    CoolBar->setVisible(Globals().ToolBarShow);
    RefreshMainMenus(*this);
    FromToolBar = false;
}

void frmMain::SubClassMenuXP() {
    auto caption = [](QAction* item, const char* text) { item->setText(QString::fromUtf8(text)); };
    caption(mnuFPack, "P&ack To Go...|#Pack");
    caption(mnuFUnPack, "&UnPack...|#UnPack");
    caption(mnuFOpen, "DataBase &Open...|#Open");
    caption(mnuFSaveAs, "DataBase &Save As...|#SaveAs");
    caption(mnuFPrintPreview, "Print Pre&view...|#PrintPreview");
    caption(mnuFPrint, "&Print...|#Print");
    caption(mnuFLogoff, "&Log Off|#LogOff");
    caption(mnuFExit, "E&xit|#Exit");
    caption(mnuEUndo, "&Undo|#Undo");
    caption(mnuECut, "Cu&t|#Cut");
    caption(mnuECopy, "&Copy|#Copy");
    caption(mnuEPaste, "&Paste|#Paste");
    caption(mnuEErase, "&Erase All|#Erase");
    caption(mnuESelectAll, "&Select All|#SelectAll");
    caption(mnuEFindReplace, "&Find and Replace...|#Find");
    caption(mnuVCalendar, "&Calendar|#Calendar");
    caption(mnuVNotes, "&Notes|#Notes");
    caption(mnuVTimeTable, "&TimeTable|#TimeTable");
    caption(mnuVSchoolDays, "&School Days|#SchoolDays");
    caption(mnuVBothTeacherDays, "&Partner Days|#BothDays");
    caption(mnuVToolBar, "&ToolBar|#Check");
    caption(mnuTSetup, "&Setup...|#Setup");
    caption(mnuTOptions, "&Options...|#Options");
    caption(mnuHContents, "&Contents...|#Help");
    caption(mnuHTips, "&Tips...|#Tips");
    caption(mnuHAbout, "&About...|#About");
    caption(mnuHUpdates, "&Updates...|#Update");
    caption(mnuPopUpDetailsEdit, "Edit Details|#Check");
    caption(mnuPopUpDetailsMagnify, "Magnify|#Magnify");
    caption(mnuPopUpDetailsCutAll, "Cut All|#Cut");
    caption(mnuPopUpDetailsCopyAll, "Copy All|#Copy");
    caption(mnuPopUpDetailsPaste, "Paste|#Paste");
    caption(mnuPopUpDetailsErase, "Erase|#Erase");
    caption(mnuPopUpDetailsOptions, "Options|#Options");
    caption(mnuPopUpDetailsHelp, "Help|#Help");
    caption(mnuPopupSubjectEdit, "Edit Subject|#Check");
    caption(mnuPopupSubjectCutAll, "Cut All|#Cut");
    caption(mnuPopupSubjectCopyAll, "Copy All|#Copy");
    caption(mnuPopupSubjectPaste, "Paste|#Paste");
    caption(mnuPopupSubjectErase, "Erase|#Erase");
    caption(mnuPopupSubjectOptions, "Options|#Options");
    caption(mnuPopupSubjectHelp, "Help|#Help");
    caption(mnuPopUpTimeEdit, "Edit Time|#Check");
    caption(mnuPopUpTimeCutAll, "Cut All|#Cut");
    caption(mnuPopUpTimeCopyAll, "Copy All|#Copy");
    caption(mnuPopUpTimePaste, "Paste|#Paste");
    caption(mnuPopUpTimeErase, "Erase|#Erase");
    caption(mnuPopUpTimeOptions, "Options|#Options");
    caption(mnuPopUpTimeHelp, "Help|#Help");
    menuEvents = new MenuEvents(this);
    connect(menuEvents, &MenuEvents::MenuHelp, this, &frmMain::MenuEvents_MenuHelp);
    MenuXP = new MenuExtended(this);
    MenuXP->InstallMenus(this, ProgramFolder() + QStringLiteral("\\frmMain"), &imlQLMMenu, 2, menuEvents, 0);
    // Every rewrite of the menu INI file is drawn at once, by whichever main window is open then.
    SetMenuIniListener([] {
        if (frmMain* main = frmMain::IfLoaded(); main && main->MenuXP) {
            main->MenuXP->ApplyMenuSettings(main);
        }
    });
}

void frmMain::MenuDesigner() {
    if (MenuXP) {
        MenuXP->OpenMenuDesigner(this, 0);
    }
}

void frmMain::MenuEvents_MenuHelp(const QString&, const QString&) {}

void frmMain::MDIForm_Unload() {
    m_unloaded = true;
    // 1.
    Globals().StartupDone = false;
    // 2. The program's other windows close, in a fixed order; the day page closes with the
    // main window as its child, storing any pending edit.
    CloseOpenWindows(
        {QStringLiteral("frmAbout"), QStringLiteral("frmEditDetails"), QStringLiteral("frmEditSubject"),
         QStringLiteral("frmEditTime"), QStringLiteral("frmFileDialog"), QStringLiteral("frmFindReplace"),
         QStringLiteral("frmFirstUse"), QStringLiteral("frmLogOn"), QStringLiteral("frmMsg"),
         QStringLiteral("frmOptions"), QStringLiteral("frmPackConfig"), QStringLiteral("frmPackMsg"),
         QStringLiteral("frmPrint"), QStringLiteral("frmPrintPreview"), QStringLiteral("frmSetup")});
    frmSchedule::Unload();
    // 3. Errors of the menu component's removal are of no consequence here.
    if (Ui().MenuSubclassed && MenuXP) {
        MenuXP->RemoveMenus(this, &imlQLMMenu, menuEvents, 0);
    }
    Ui().MenuSubclassed = false;
}

void frmMain::closeEvent(QCloseEvent* event) {
    // A print half-way would be lost with its windows: the window closes once it has stopped.
    if (KeepCloseUntilPrintStops()) {
        event->ignore();
        return;
    }
    storePendingEdits();
    event->accept();
    frmMain::Unload();
}

void frmMain::storePendingEdits() {
    // The day page is about to let go of the file: what the teacher wrote must reach it, or
    // they must know it did not. They may try again (another program may have let go of the
    // file by then) or leave without it.
    QString reason;
    while (!StorePendingDayEdits(&reason)) {
        const int answer = ShowMessage(
            QStringLiteral("The last changes to the day could not be saved.\r\n\r\n%1\r\n\r\nTry again? "
                           "Choose No to close without them.")
                .arg(reason),
            MsgYesNo, MsgWarning, Globals().AppTitle + QStringLiteral(" - DataBase"), 0);
        if (answer != MsgAnswerYes) {
            DiscardPendingDayEdits();
            return;
        }
    }
}

// File.

void frmMain::mnuFPack_Click() {
    PackToGo();
}

void frmMain::mnuFUnPack_Click() {
    UnPack();
}

void frmMain::mnuFOpen_Click() {
    Ui().DialogMode = QStringLiteral("Open");
    ShowFileDialog(Ui().DialogMode);
}

void frmMain::mnuFSaveAs_Click() {
    Ui().DialogMode = QStringLiteral("Save As");
    ShowFileDialog(Ui().DialogMode);
}

void frmMain::mnuFPrintPreview_Click() {
    const PrintCommand command;
    if (DefaultPrinterForCommand()) {
        RunPrintPreview();
    } else {
        ShowNoPrinter(QStringLiteral("Print Preview will not be available until"));
    }
}

void frmMain::mnuFPrint_Click() {
    const PrintCommand command;
    if (DefaultPrinterForCommand()) {
        ShowPrintDialog();
    } else {
        ShowNoPrinter(QStringLiteral("The Print Dialog will not be available until"));
    }
}

void frmMain::mnuFLogoff_Click() {
    ProgramState& g = Globals();
    // 1.-3.
    const int before = g.CurrentTeacher;
    if (!LogOnTeacher()) {
        // Closing the log-on ends the program: through the normal close, which stores what the
        // teacher wrote, and nothing else is written.
        close();
        return;
    }
    if (g.CurrentTeacher == before) {
        return;
    }
    // 4. The window closes and opens again, then takes the other teacher's settings.
    storePendingEdits();
    frmMain::Unload();
    frmMain& main = frmMain::Get();
    main.ShowMaximizedAndSettle();
    LoadTeacherSettings();
    frmSchedule& page = frmSchedule::Get();
    BuildTimeTableGrid(page);
    ShowTimeTableFrame(page);
    UpdateTeacherInfo(main);
    LoadDayTeacherStyle(page);
    ApplyDayStyle(page);
    OpenDayTable();
    GoToDate(Clock::Today());
    g.StartupDone = true;
}

void frmMain::mnuFExit_Click() {
    close();
}

// Edit.

void frmMain::mnuEUndo_Click() {
    UndoLastEdit();
}

void frmMain::mnuEFindReplace_Click() {
    ShowFindReplace();
}

// View.

namespace {
// A view toggle: flip the flag and save it at once; then the panel procedure shows or hides the
// panel, and the menu's check mark and the button follow the flag (a click on the button has
// pressed it already).
void ToggleView(frmMain& main, bool& flag, const QString& key, void (*showPanel)(frmSchedule&)) {
    flag = !flag;
    SaveBool(EffectsSection(), key, flag);
    main.FromToolBar = false;
    showPanel(frmSchedule::Get());
}

// The day list changes; the page stays on the shown day if it is still listed, or moves to the
// next listed day after it.
void RelistDays(frmMain& main) {
    const QDate shown = TextToDate(frmSchedule::Get().txtDate->Text());
    ShowSchoolDaysState(main);
    main.FromToolBar = false;
    RequeryDayTable();
    GoToDate(shown);
}
} // namespace

void frmMain::mnuVCalendar_Click() {
    ToggleView(*this, Globals().CalendarShow, QStringLiteral("CalendarShow"), &ShowCalendarFrame);
}

void frmMain::mnuVNotes_Click() {
    ToggleView(*this, Globals().NotesShow, QStringLiteral("NotesShow"), &ShowNotesFrame);
}

void frmMain::mnuVTimeTable_Click() {
    ToggleView(*this, Globals().TimeTableShow, QStringLiteral("TimeTableShow"), &ShowTimeTableFrame);
}

void frmMain::mnuVSchoolDays_Click() {
    ProgramState& g = Globals();
    g.SchoolDays = !g.SchoolDays;
    SaveBool(EffectsSection(), QStringLiteral("SchoolDays"), g.SchoolDays);
    RelistDays(*this); // the mark and the button follow the flag
}

void frmMain::mnuVBothTeacherDays_Click() {
    ProgramState& g = Globals();
    // 1. The logged-on teacher's own look comes back first.
    LoadTeacherSettings();
    ApplyDayStyle(frmSchedule::Get());
    // 2.-3. The mark and the button follow the flag.
    g.BothTeacherDays = !g.BothTeacherDays;
    SaveBool(EffectsSection(), QStringLiteral("BothTeacherDays"), g.BothTeacherDays);
    UiState& ui = Ui();
    ui.OwnerPrefix = g.BothTeacherDays ? ui.OurPrefix : ui.MyPrefix;
    // 4.
    RelistDays(*this);
}

void frmMain::mnuVToolBar_Click() {
    ProgramState& g = Globals();
    CoolBar->setVisible(!CoolBar->isVisible());
    g.ToolBarShow = !g.ToolBarShow;
    SaveBool(EffectsSection(), QStringLiteral("ToolBarShow"), g.ToolBarShow);
    RefreshMainMenus(*this);
    ShowCalendarFrame(frmSchedule::Get());
}

// Tools and Help.

void frmMain::mnuTSetup_Click() {
    ShowSetupWizard();
}

void frmMain::mnuTOptions_Click() {
    ShowOptionsDialog();
}

void frmMain::mnuHContents_Click() {
    OpenHelp(this, 100);
}

void frmMain::mnuHTips_Click() {
    OpenHelp(this, 300);
}

void frmMain::mnuHAbout_Click() {
    ShowAboutBox();
}

void frmMain::mnuHUpdates_Click() {
    OpenMakerWebPage();
}

void frmMain::mnuHMenuDesigner_Click() {
    MenuDesigner();
}

void frmMain::Toolbar_ButtonClick(const QString& key) {
    ProgramState& g = Globals();
    using Handler = void (frmMain::*)();
    static const QHash<QString, Handler> commands{
        {QStringLiteral("Pack"), &frmMain::mnuFPack_Click},
        {QStringLiteral("UnPack"), &frmMain::mnuFUnPack_Click},
        {QStringLiteral("PrintPreview"), &frmMain::mnuFPrintPreview_Click},
        {QStringLiteral("Print"), &frmMain::mnuFPrint_Click},
        {QStringLiteral("Undo"), &frmMain::mnuEUndo_Click},
        {QStringLiteral("Cut"), &frmMain::mnuECut_Click},
        {QStringLiteral("Copy"), &frmMain::mnuECopy_Click},
        {QStringLiteral("Paste"), &frmMain::mnuEPaste_Click},
        {QStringLiteral("Erase"), &frmMain::mnuEErase_Click},
        {QStringLiteral("SelectAll"), &frmMain::mnuESelectAll_Click},
        {QStringLiteral("Find"), &frmMain::mnuEFindReplace_Click},
        {QStringLiteral("Options"), &frmMain::mnuTOptions_Click},
        {QStringLiteral("Help"), &frmMain::mnuHContents_Click},
        {QStringLiteral("Tips"), &frmMain::mnuHTips_Click},
    };
    static const QHash<QString, Handler> toggles{
        {QStringLiteral("Calendar"), &frmMain::mnuVCalendar_Click},
        {QStringLiteral("Notes"), &frmMain::mnuVNotes_Click},
        {QStringLiteral("TimeTable"), &frmMain::mnuVTimeTable_Click},
        {QStringLiteral("SchoolDays"), &frmMain::mnuVSchoolDays_Click},
        {QStringLiteral("BothDays"), &frmMain::mnuVBothTeacherDays_Click},
    };
    // The window may be closed by the command (log-off, exit): what follows uses the settings,
    // not the window.
    const QString section = EffectsSection();
    if (auto command = commands.constFind(key); command != commands.constEnd()) {
        (this->*command.value())();
    } else if (auto toggle = toggles.constFind(key); toggle != toggles.constEnd()) {
        FromToolBar = true;
        (this->*toggle.value())();
    } else if (key == QLatin1String("Beside") || key == QLatin1String("Opposite")) {
        g.NotesPosition = key == QLatin1String("Beside") ? 0 : 1;
        ShowCalendarFrame(frmSchedule::Get());
    } else if (key == QLatin1String("LowerLeft") || key == QLatin1String("LowerRight")) {
        g.CalendarPosition = key == QLatin1String("LowerLeft") ? 0 : 1;
        ShowCalendarFrame(frmSchedule::Get());
    }
    // After every button, whatever it was.
    SaveInt(section, QStringLiteral("CalendarPosition"), g.CalendarPosition);
    SaveInt(section, QStringLiteral("NotesPosition"), g.NotesPosition);
    UpdateMainCommands(); // exactly one button of each pair is pressed
}

// The cell pop-up menus: each acts on the cell of EditRow in its column.

namespace {
enum class Column { Time, Subject, Details };

BoundLabel* Cell(Column column) {
    frmSchedule& page = frmSchedule::Get();
    const int row = qBound(0, Ui().EditRow, 11);
    switch (column) {
    case Column::Time:
        return page.lblTime[row];
    case Column::Subject:
        return page.lblSubject[row];
    case Column::Details:
        break;
    }
    return page.lblDetails[row];
}

void CutAll(Column column) {
    BoundLabel* cell = Cell(column);
    QGuiApplication::clipboard()->setText(cell->Caption());
    cell->setCaption(QString());
}

void CopyAll(Column column) {
    QGuiApplication::clipboard()->setText(Cell(column)->Caption());
}

void PasteAll(Column column) {
    Cell(column)->setCaption(QGuiApplication::clipboard()->text());
}

void EraseAll(Column column) {
    Cell(column)->setCaption(QString());
}

void EditCell(void (*showEditor)()) {
    DisableEditCommands();
    showEditor();
}
} // namespace

void frmMain::mnuPopUpDetailsEdit_Click() {
    EditCell(ShowEditDetails);
}

void frmMain::mnuPopUpDetailsMagnify_Click() {
    EditCell(ShowDetailsMagnify);
}

void frmMain::mnuPopUpDetailsCutAll_Click() {
    CutAll(Column::Details);
}

void frmMain::mnuPopUpDetailsCopyAll_Click() {
    CopyAll(Column::Details);
}

void frmMain::mnuPopUpDetailsPaste_Click() {
    PasteAll(Column::Details);
}

void frmMain::mnuPopUpDetailsErase_Click() {
    EraseAll(Column::Details);
}

void frmMain::mnuPopUpDetailsOptions_Click() {
    ShowOptionsDialog();
}

void frmMain::mnuPopUpDetailsHelp_Click() {
    OpenHelp(this, 190);
}

void frmMain::mnuPopUpSubjectEdit_Click() {
    EditCell(ShowEditSubject);
}

void frmMain::mnuPopUpSubjectCutAll_Click() {
    CutAll(Column::Subject);
}

void frmMain::mnuPopUpSubjectCopyAll_Click() {
    CopyAll(Column::Subject);
}

void frmMain::mnuPopUpSubjectPaste_Click() {
    PasteAll(Column::Subject);
}

void frmMain::mnuPopUpSubjectErase_Click() {
    EraseAll(Column::Subject);
}

void frmMain::mnuPopUpSubjectOptions_Click() {
    ShowOptionsDialog();
}

void frmMain::mnuPopUpSubjectHelp_Click() {
    OpenHelp(this, 200);
}

void frmMain::mnuPopUpTimeEdit_Click() {
    EditCell(ShowEditTime);
}

void frmMain::mnuPopUpTimeCutAll_Click() {
    CutAll(Column::Time);
}

void frmMain::mnuPopUpTimeCopyAll_Click() {
    CopyAll(Column::Time);
}

void frmMain::mnuPopUpTimePaste_Click() {
    PasteAll(Column::Time);
}

void frmMain::mnuPopUpTimeErase_Click() {
    EraseAll(Column::Time);
}

void frmMain::mnuPopUpTimeOptions_Click() {
    ShowOptionsDialog();
}

void frmMain::mnuPopUpTimeHelp_Click() {
    OpenHelp(this, 210);
}
