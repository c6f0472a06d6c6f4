#include "MainFrame.h"

#include "platform/Twips.h"
#include "widgets/Colours.h"
#include "widgets/LimitedTextEdit.h"
#include "widgets/SystemMetrics.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {
// The text box the Edit commands act on: whichever has the focus.
QWidget* FocusedTextBox() {
    QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus) ||
        qobject_cast<QTextEdit*>(focus)) {
        return focus;
    }
    return nullptr;
}

QString SelectedText(QWidget* box) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        return line->selectedText();
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
        return plain->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    }
    if (auto* rich = qobject_cast<QTextEdit*>(box)) {
        return rich->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    }
    return QString();
}

// Typed in, as the box's own paste would: a box with a length limit keeps to it.
void ReplaceSelection(QWidget* box, const QString& text) {
    if (auto* limited = qobject_cast<LimitedTextEdit*>(box)) {
        limited->InsertText(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->insert(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
        plain->insertPlainText(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(box)) {
        rich->insertPlainText(text);
    }
}

void SelectAllOf(QWidget* box) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->selectAll();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
        plain->selectAll();
    } else if (auto* rich = qobject_cast<QTextEdit*>(box)) {
        rich->selectAll();
    }
}

} // namespace

namespace {
// Plain pointers: set before any window exists, also from static initialisation.
MainFrame* g_loaded = nullptr;
MainFrame::Loader g_loader = nullptr;
} // namespace

MainFrame::MainFrame() = default;

MainFrame::~MainFrame() {
    Unloaded();
}

MainFrame* MainFrame::IfLoaded() {
    return g_loaded;
}

MainFrame& MainFrame::Get() {
    if (g_loaded) {
        return *g_loaded;
    }
    if (!g_loader) {
        qFatal("The main window was asked for before the program said how to load it.");
    }
    return g_loader();
}

void MainFrame::SetLoader(Loader load) {
    g_loader = load;
}

void MainFrame::Loaded() {
    g_loaded = this;
}

void MainFrame::Unloaded() {
    if (g_loaded == this) {
        g_loaded = nullptr;
    }
}

const QList<MainFrame::ButtonSpec>& MainFrame::ButtonSpecs() {
    static const QList<ButtonSpec> buttons{
        {"Pack", "Pack To Go", false},
        {"UnPack", "UnPack", false},
        {"PrintPreview", "Print Preview", false},
        {"Print", "Print", false},
        {"Undo", "Undo", false},
        {"Cut", "Cut", false},
        {"Copy", "Copy", false},
        {"Paste", "Paste", false},
        {"Erase", "Erase", false},
        {"SelectAll", "Select All", false},
        {"Find", "Find/Replace", false},
        {"Calendar", "Calendar", true},
        {"Notes", "Notes", true},
        {"TimeTable", "TimeTable", true},
        {"SchoolDays", "School Days", true},
        {"BothDays", "Partner Days", true},
        {"Options", "Options", false},
        {"LowerLeft", "Calendar Lower Left", true},
        {"LowerRight", "Calendar Lower Right", true},
        {"Beside", "Notes Beside", true},
        {"Opposite", "Notes Opposite", true},
        {"Help", "Help", false},
        {"Tips", "Tips", false},
    };
    return buttons;
}

const QStringList& MainFrame::ButtonKeys() {
    static const QStringList keys = [] {
        QStringList list;
        for (const ButtonSpec& entry : ButtonSpecs()) {
            list << QString::fromLatin1(entry.key);
        }
        return list;
    }();
    return keys;
}

QAction* MainFrame::Command(const QString& name) const {
    using Item = QAction* MainFrame::*;
    static const QHash<QString, Item> items{
        {QStringLiteral("mnuFPack"), &MainFrame::mnuFPack},
        {QStringLiteral("mnuFUnPack"), &MainFrame::mnuFUnPack},
        {QStringLiteral("mnuFOpen"), &MainFrame::mnuFOpen},
        {QStringLiteral("mnuFSaveAs"), &MainFrame::mnuFSaveAs},
        {QStringLiteral("mnuFPrintPreview"), &MainFrame::mnuFPrintPreview},
        {QStringLiteral("mnuFPrint"), &MainFrame::mnuFPrint},
        {QStringLiteral("mnuFsep3"), &MainFrame::mnuFsep3},
        {QStringLiteral("mnuFLogoff"), &MainFrame::mnuFLogoff},
        {QStringLiteral("mnuFExit"), &MainFrame::mnuFExit},
        {QStringLiteral("mnuEUndo"), &MainFrame::mnuEUndo},
        {QStringLiteral("mnuECut"), &MainFrame::mnuECut},
        {QStringLiteral("mnuECopy"), &MainFrame::mnuECopy},
        {QStringLiteral("mnuEPaste"), &MainFrame::mnuEPaste},
        {QStringLiteral("mnuEErase"), &MainFrame::mnuEErase},
        {QStringLiteral("mnuESelectAll"), &MainFrame::mnuESelectAll},
        {QStringLiteral("mnuEFindReplace"), &MainFrame::mnuEFindReplace},
        {QStringLiteral("mnuVCalendar"), &MainFrame::mnuVCalendar},
        {QStringLiteral("mnuVNotes"), &MainFrame::mnuVNotes},
        {QStringLiteral("mnuVTimeTable"), &MainFrame::mnuVTimeTable},
        {QStringLiteral("mnuVSchoolDays"), &MainFrame::mnuVSchoolDays},
        {QStringLiteral("mnuVBothTeacherDays"), &MainFrame::mnuVBothTeacherDays},
        {QStringLiteral("mnuVToolBar"), &MainFrame::mnuVToolBar},
        {QStringLiteral("mnuTSetup"), &MainFrame::mnuTSetup},
        {QStringLiteral("mnuTOptions"), &MainFrame::mnuTOptions},
        {QStringLiteral("mnuHContents"), &MainFrame::mnuHContents},
        {QStringLiteral("mnuHTips"), &MainFrame::mnuHTips},
        {QStringLiteral("mnuHAbout"), &MainFrame::mnuHAbout},
        {QStringLiteral("mnuHUpdates"), &MainFrame::mnuHUpdates},
        {QStringLiteral("mnuHMenuDesigner"), &MainFrame::mnuHMenuDesigner},
    };
    using Menu = QMenu* MainFrame::*;
    static const QHash<QString, Menu> menus{
        {QStringLiteral("mnuFile"), &MainFrame::mnuFile}, {QStringLiteral("mnuEdit"), &MainFrame::mnuEdit},
        {QStringLiteral("mnuView"), &MainFrame::mnuView}, {QStringLiteral("mnuTools"), &MainFrame::mnuTools},
        {QStringLiteral("mnuHelp"), &MainFrame::mnuHelp},
    };
    if (const auto item = items.constFind(name); item != items.constEnd()) {
        return this->*item.value();
    }
    if (const auto menu = menus.constFind(name); menu != menus.constEnd()) {
        QMenu* bar = this->*menu.value();
        return bar ? bar->menuAction() : nullptr;
    }
    return Button(name);
}

void MainFrame::FollowCommandState(const QString& name, QWidget* control) {
    m_commandControls.insert(name, control);
}

QWidget* MainFrame::CommandControl(const QString& name) const {
    return m_commandControls.value(name).data();
}

QLabel* MainFrame::StatusPanel(const QString& key) const {
    return m_panels.value(key);
}

double MainFrame::InnerWidthTw() const {
    return TwipsX(clientArea->width());
}

double MainFrame::OuterWidthTw() const {
    // The frame's outer size as the window system would give it: the client area with the
    // sizing frame on each side.
    return TwipsX(width() + 2 * GetSystemMetrics(SM_CXFRAME));
}

double MainFrame::PageAreaBottomTw() const {
    return TwipsY(mdiClient->geometry().bottom() + 1);
}

void MainFrame::SetBackColour(qint32 bgr) {
    mdiClient->setBackground(ColorFromBgr(bgr));
}

// Edit.

void MainFrame::mnuECut_Click() {
    if (QWidget* box = FocusedTextBox()) {
        QGuiApplication::clipboard()->setText(SelectedText(box));
        ReplaceSelection(box, QString());
    }
}

void MainFrame::mnuECopy_Click() {
    if (QWidget* box = FocusedTextBox()) {
        QGuiApplication::clipboard()->setText(SelectedText(box));
    }
}

void MainFrame::mnuEPaste_Click() {
    if (QWidget* box = FocusedTextBox()) {
        ReplaceSelection(box, QGuiApplication::clipboard()->text());
    }
}

void MainFrame::mnuEErase_Click() {
    if (QWidget* box = FocusedTextBox()) {
        SelectAllOf(box);
        ReplaceSelection(box, QString());
    }
}

void MainFrame::mnuESelectAll_Click() {
    if (QWidget* box = FocusedTextBox()) {
        SelectAllOf(box);
    }
}
