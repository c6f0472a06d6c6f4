#pragma once

#include "widgets/FormAccess.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The program's own database-file dialog: Open switches the book to another database file of
// the program folder, Save As copies the book to a new name there and switches to the copy.
// It does not hold the main window up.
class frmFileDialog : public QDialog, public FormAccess<frmFileDialog> {
    Q_OBJECT
public:
    frmFileDialog();
    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void cmdInfo_Click();
    void filFiles_Click(QListWidgetItem* item);
    void filFiles_DblClick(QListWidgetItem* item);
    void OpenDataBaseFile();
    void SaveDataBaseAs();

    QLabel* lblFiles = nullptr;
    QListWidget* filFiles = nullptr;
    QLabel* lblFileName = nullptr;
    QLineEdit* txtFileName = nullptr;
    QLabel* lblLocation = nullptr;
    QLineEdit* txtLocation = nullptr;
    QLabel* lblFileType = nullptr;
    QLineEdit* txtFileType = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdInfo = nullptr;

    // "\" and the chosen name; 1 when Save As may close, else the answer to its error message.
    QString SelectedFile;
    int SaveAsResult = 1;

protected:
    bool event(QEvent* event) override;

private:
    void takeFocus();
    QString m_mode;
};

// The program's own database-file dialog, shown without waiting: mode "Open" or "Save As".
void ShowFileDialog(const QString& mode);
