#pragma once

#include "widgets/FormAccess.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The drive dialog of Pack To Go: the teacher scans for removable drives, picks one, and OK
// makes the folder the book is packed into.
class frmPackConfig : public QDialog, public FormAccess<frmPackConfig> {
    Q_OBJECT
public:
    frmPackConfig();
    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }

    void cmdScan_Click();
    void lvwDrives_ItemClick(QListWidgetItem* item);
    void cmdOK_Click();
    void cmdCancel_Click();

    QGroupBox* Frame1 = nullptr;
    QLabel* lblDescription = nullptr;
    QPushButton* cmdScan = nullptr;
    QLabel* lblDrives = nullptr;
    QListWidget* lvwDrives = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    // How often OK beeped at an empty choice (tests read it: a beep cannot be heard offscreen).
    static inline int Beeps = 0;
};
