#include "frmFileDialog.h"

#include "DayPageWindows.h"
#include "core/DatabaseFiles.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "platform/ProgramFolder.h"
#include "ui/MainFrame.h"
#include "ui/OpenWindows.h"
#include "ui/UiState.h"
#include "widgets/CommandIcons.h"
#include "widgets/Help.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {
const QString kOpen = QStringLiteral("Open");
const QString kSaveAs = QStringLiteral("Save As");

QLineEdit* ReadOnlyBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    return box;
}
} // namespace

frmFileDialog::frmFileDialog() : QDialog(MainFrame::IfLoaded()) {
    setObjectName(QStringLiteral("frmFileDialog"));
    setModal(false);
    auto* grid = new QGridLayout(this);

    lblFiles = new QLabel(QStringLiteral("DataBase Files:"), this);
    grid->addWidget(lblFiles, 0, 0, 1, 2);

    // The hidden button lies behind the list: it only takes the focus, so that no read-only box
    // shows a caret.
    auto* listHolder = new QWidget(this);
    auto* stack = new QStackedLayout(listHolder);
    stack->setStackingMode(QStackedLayout::StackAll);
    cmdTakeFocus = new QPushButton(listHolder);
    cmdTakeFocus->setObjectName(QStringLiteral("cmdTakeFocus"));
    cmdTakeFocus->setFlat(true);
    filFiles = new QListWidget(listHolder);
    filFiles->setObjectName(QStringLiteral("filFiles"));
    stack->addWidget(cmdTakeFocus);
    stack->addWidget(filFiles);
    stack->setCurrentWidget(filFiles);
    listHolder->setMinimumSize(fontMetrics().averageCharWidth() * 40, fontMetrics().height() * 10);
    grid->addWidget(listHolder, 1, 0, 1, 2);
    lblFiles->setBuddy(filFiles);

    auto* buttons = new QVBoxLayout;
    cmdOK = new QPushButton(this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdHelp = new QPushButton(QStringLiteral("Help"), this);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    grid->addLayout(buttons, 1, 2);

    lblFileName = new QLabel(QStringLiteral("File Name:"), this);
    txtFileName = new QLineEdit(this);
    txtFileName->setObjectName(QStringLiteral("txtFileName"));
    lblLocation = new QLabel(QStringLiteral("Location:"), this);
    txtLocation = ReadOnlyBox(this);
    lblFileType = new QLabel(QStringLiteral("File Type:"), this);
    txtFileType = ReadOnlyBox(this);
    const std::array<std::pair<QLabel*, QLineEdit*>, 3> rows{
        {{lblFileName, txtFileName}, {lblLocation, txtLocation}, {lblFileType, txtFileType}}};
    int row = 2;
    for (const auto& [label, box] : rows) {
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1, 1, 2);
        box->installEventFilter(this);
        ++row;
    }
    filFiles->installEventFilter(this);

    cmdInfo =
        new QPushButton(QStringLiteral("Important Information: Opening or Saving DataBase Files"), this);
    cmdInfo->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    grid->addWidget(cmdInfo, row, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    connect(cmdOK, &QPushButton::clicked, this, &frmFileDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFileDialog::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmFileDialog::cmdHelp_Click);
    connect(cmdInfo, &QPushButton::clicked, this, &frmFileDialog::cmdInfo_Click);
    connect(filFiles, &QListWidget::itemClicked, this, &frmFileDialog::filFiles_Click);
    connect(filFiles, &QListWidget::itemDoubleClicked, this, &frmFileDialog::filFiles_DblClick);
    // Escape and the window's close box end the dialog as Cancel does.
    connect(this, &QDialog::rejected, this, [] { frmFileDialog::Unload(); });
}

void frmFileDialog::Form_Load() {
    m_mode = Ui().DialogMode == kSaveAs ? kSaveAs : kOpen;
    // 1.
    const QStringList files = ListDatabaseFiles(ProgramFolder());
    filFiles->addItems(files);
    // 2.-4.
    setWindowTitle(QStringLiteral("DataBase ") + m_mode);
    setWindowIcon(Artwork::MenuIcon(m_mode == kOpen ? QStringLiteral("Open") : QStringLiteral("SaveAs")));
    txtFileName->setReadOnly(m_mode == kOpen);
    cmdOK->setText(m_mode);
    // 6.
    txtLocation->setText(QDir::toNativeSeparators(ProgramFolder()));
    txtFileType->setText(QStringLiteral("DataBase (*.mdb)"));
    // 7.-8.
    SelectedFile = Globals().DBaseFileName.mid(1);
    const int entry = EntryForName(files, SelectedFile);
    if (entry >= 0) {
        filFiles->setCurrentRow(entry);
    }
    txtFileName->setText(SelectedFile);
    RegisterOpenWindow(QStringLiteral("frmFileDialog"), [] { frmFileDialog::Unload(); });
}

void frmFileDialog::Form_Unload() {
    ForgetOpenWindow(QStringLiteral("frmFileDialog"));
    hide();
}

void frmFileDialog::takeFocus() {
    cmdTakeFocus->setFocus(Qt::OtherFocusReason);
}

bool frmFileDialog::event(QEvent* e) {
    const bool handled = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate) {
        takeFocus();
    }
    return handled;
}

bool frmFileDialog::eventFilter(QObject* watched, QEvent* e) {
    const bool entered = e->type() == QEvent::FocusIn || e->type() == QEvent::MouseButtonPress;
    if (entered) {
        const bool lockedBox = watched == txtLocation || watched == txtFileType ||
                               (watched == txtFileName && txtFileName->isReadOnly());
        const bool emptyList = watched == filFiles && e->type() == QEvent::FocusIn && filFiles->count() == 0;
        if (lockedBox || emptyList) {
            takeFocus();
            return e->type() == QEvent::MouseButtonPress;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void frmFileDialog::filFiles_Click(QListWidgetItem* item) {
    if (item) {
        txtFileName->setText(item->text());
    }
}

void frmFileDialog::filFiles_DblClick(QListWidgetItem* item) {
    filFiles_Click(item);
    cmdOK_Click();
    frmFileDialog::Unload();
}

void frmFileDialog::cmdOK_Click() {
    if (m_mode == kOpen) {
        OpenDataBaseFile();
        frmFileDialog::Unload();
        return;
    }
    SaveDataBaseAs();
    if (SaveAsResult == MsgAnswerOK) {
        frmFileDialog::Unload();
        return;
    }
    QApplication::processEvents();
    txtFileName->setFocus(Qt::OtherFocusReason);
}

void frmFileDialog::cmdCancel_Click() {
    frmFileDialog::Unload();
}

void frmFileDialog::cmdHelp_Click() {
    HtmlHelp(this, Globals().HelpFile, HH_HELP_CONTEXT, 340);
}

void frmFileDialog::cmdInfo_Click() {
    ShowMessage(
        QStringLiteral(
            "Opening:\r\nOnly open a DataBase File created by Quillmarsh\r\nsince it must conform to a "
            "very specific structure!\r\nNote: If the QLM Database you open was created using "
            "a\r\ndifferent Setup than your current one, it may not function\r\nas "
            "expected.\r\n\r\nSaving:\r\nYou may save a DataBase File using a different File "
            "Name\r\nin order to create unique DataBases for multiple Windows\r\nAccount "
            "Users.\r\n\r\nPlease see 'Help' for further detailed information."),
        MsgOK, MsgInformation, Globals().AppTitle + QStringLiteral(" - Important Information"), 170);
}

void frmFileDialog::OpenDataBaseFile() {
    SelectedFile = QLatin1Char('\\') + txtFileName->text();
    SwitchDataBase(DayPageWindows(), SelectedFile);
}

void frmFileDialog::SaveDataBaseAs() {
    SaveAsResult = MsgAnswerOK;
    const SaveAsName name = CheckSaveAsName(txtFileName->text(), Globals().DBaseFileName, ProgramFolder());
    if (!name.error.isEmpty()) {
        SaveAsResult =
            ShowMessage(name.error + QStringLiteral("\r\n\r\nHow would you like to proceed?\r\n\r\n'OK' to "
                                                    "Exit\r\n'Cancel' to try again."),
                        MsgOKCancel, MsgWarning, Globals().AppTitle + QStringLiteral(" - Save As Error"), 0);
        return;
    }
    SelectedFile = name.selectedFile;
    // A copy that failed has said why; the teacher may try another name.
    if (!CopyDataBaseAs(DayPageWindows(), SelectedFile)) {
        SaveAsResult = MsgAnswerCancel;
    }
}

void ShowFileDialog(const QString& mode) {
    // The dialog opens afresh for the mode asked for.
    frmFileDialog::Unload();
    Ui().DialogMode = mode;
    frmFileDialog& dialog = frmFileDialog::Get();
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}
