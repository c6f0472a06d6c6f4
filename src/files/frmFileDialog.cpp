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

    filFiles = new QListWidget(this);
    filFiles->setObjectName(QStringLiteral("filFiles"));
    filFiles->setMinimumSize(fontMetrics().averageCharWidth() * 40, fontMetrics().height() * 10);
    grid->addWidget(filFiles, 1, 0, 1, 2);
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
        ++row;
    }
    // A read-only box is never a stop of Tab nor takes a click's focus: it would only show a caret.
    txtLocation->setFocusPolicy(Qt::NoFocus);
    txtFileType->setFocusPolicy(Qt::NoFocus);

    cmdInfo =
        new QPushButton(QStringLiteral("Important Information: Opening or Saving DataBase Files"), this);
    cmdInfo->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    grid->addWidget(cmdInfo, row, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    // File Name stands next to the list in the Tab order, so that a name can be typed or taken
    // from the list, and the buttons come after them, as in any file dialog.
    const std::array<QWidget*, 6> tabOrder{filFiles, txtFileName, cmdOK, cmdCancel, cmdHelp, cmdInfo};
    for (size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }

    connect(cmdOK, &QPushButton::clicked, this, &frmFileDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFileDialog::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmFileDialog::cmdHelp_Click);
    connect(cmdInfo, &QPushButton::clicked, this, &frmFileDialog::cmdInfo_Click);
    // The highlight moves by mouse or by key (arrows, Home, End, typing): the name follows either.
    connect(filFiles, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* current) { filFiles_Click(current); });
    connect(filFiles, &QListWidget::itemDoubleClicked, this, &frmFileDialog::filFiles_DblClick);
    // Escape and the window's close box end the dialog as Cancel does.
    connect(this, &QDialog::rejected, this, [] { frmFileDialog::Unload(); });
}

void frmFileDialog::Form_Load() {
    m_mode = Ui().DialogMode == kSaveAs ? kSaveAs : kOpen;
    // 1.
    const QStringList files = ListDatabaseFiles(ProgramFolder());
    filFiles->addItems(files);
    if (files.isEmpty()) {
        filFiles->setFocusPolicy(Qt::NoFocus); // nothing there to choose
    }
    // 2.-4.
    setWindowTitle(QStringLiteral("DataBase ") + m_mode);
    setWindowIcon(Artwork::MenuIcon(m_mode == kOpen ? QStringLiteral("Open") : QStringLiteral("SaveAs")));
    txtFileName->setReadOnly(m_mode == kOpen);
    txtFileName->setFocusPolicy(m_mode == kOpen ? Qt::NoFocus : Qt::StrongFocus);
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
    txtFileName->selectAll(); // what Save As types replaces it
    RegisterOpenWindow(QStringLiteral("frmFileDialog"), [] { frmFileDialog::Unload(); });
}

void frmFileDialog::Form_Unload() {
    ForgetOpenWindow(QStringLiteral("frmFileDialog"));
    hide();
}

void frmFileDialog::takeFocus() {
    // Save As takes a name: typed letters go into File Name, never to the list's search, which
    // would pick another book's name. Open takes a book from the list when it holds one, else the
    // dialog's own button: never a read-only box.
    QWidget* first = cmdOK;
    if (m_mode == kSaveAs) {
        first = txtFileName;
    } else if (filFiles->count() > 0) {
        first = filFiles;
    }
    first->setFocus(Qt::OtherFocusReason);
}

bool frmFileDialog::event(QEvent* e) {
    const bool handled = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate) {
        takeFocus();
    }
    return handled;
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
    txtFileName->selectAll();
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
    // Another book's lesson plans would be gone, in no file: only the teacher's Yes replaces
    // them. Anything else leaves the dialog open for another name.
    if (name.replaces &&
        ShowMessage(QStringLiteral("The DataBase File %1 already exists.\r\nIts lesson plans will be "
                                   "replaced by those of %2.\r\n\r\nDo you want to replace it?")
                        .arg(SelectedFile.mid(1), Globals().DBaseFileName.mid(1)),
                    MsgYesNo | MsgDefaultSecond, MsgQuestion,
                    Globals().AppTitle + QStringLiteral(" - Save As"), 0) != MsgAnswerYes) {
        SaveAsResult = MsgAnswerCancel;
        return;
    }
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
