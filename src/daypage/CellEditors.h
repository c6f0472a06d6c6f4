#pragma once

#include "widgets/FormAccess.h"
#include "widgets/MenuExtended.h"

#include <QDialog>

#include <array>

class BoundLabel;
class LimitedTextEdit;
class Line;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;
class QWidget;

// The Time, Subject and Details editors and the Details magnifier, each shown modal on the day
// page's EditRow. An editor's OK writes the text into the cell and stores the day at once;
// Cancel (and the magnifier's Close) writes nothing.
void ShowEditTime();
void ShowEditSubject();
void ShowEditDetails();
void ShowDetailsMagnify();

// The Time and Subject editors: one line, styled as the cell is on the page.
class frmEditLine : public QDialog {
    Q_OBJECT
public:
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblEditDate = nullptr;
    QLineEdit* txtEdit = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

protected:
    frmEditLine(const QString& formName, const QString& caption, const QString& frameText, int styleSet,
                int helpContext);
    void showEvent(QShowEvent* event) override;
    // The page's cell of EditRow that this editor edits.
    virtual BoundLabel* Cell() const = 0;
    void Load();

private:
    QString m_formName;
    int m_styleSet;
    int m_helpContext;
};

class frmEditTime : public frmEditLine, public FormAccess<frmEditTime> {
    Q_OBJECT
public:
    frmEditTime();
    void Form_Load() { Load(); }
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }

protected:
    BoundLabel* Cell() const override;
};

class frmEditSubject : public frmEditLine, public FormAccess<frmEditSubject> {
    Q_OBJECT
public:
    frmEditSubject();
    void Form_Load() { Load(); }
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }

protected:
    BoundLabel* Cell() const override;
};

// The row copied small (date, time, subject, the ruled Details text), shared by the Details
// editor and the magnifier.
struct DetailsRowControls {
    QLabel* lblEditDate = nullptr;
    QLabel* lblEditTime = nullptr;
    QLabel* lblEditSubject = nullptr;
    QLabel* lblEditCaret = nullptr;
    Line* lnLine1 = nullptr;
    Line* lnLine2 = nullptr;
    LimitedTextEdit* txtEditDetails = nullptr;
};

class frmEditDetails : public QDialog, public FormAccess<frmEditDetails>, public DetailsRowControls {
    Q_OBJECT
public:
    frmEditDetails();
    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }

    QWidget* CoolBar1 = nullptr;
    QToolBar* ToolbarDetails = nullptr;
    ImageList imlDetails; // the tool bar's pictures, by button key
    QGroupBox* fraEditDetails = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void ToolbarDetails_ButtonClick(const QString& key);

protected:
    void showEvent(QShowEvent* event) override;
};

class frmDetailsMagnify : public QDialog, public FormAccess<frmDetailsMagnify>, public DetailsRowControls {
    Q_OBJECT
public:
    frmDetailsMagnify();
    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }

    QLabel* Label1 = nullptr;
    QLabel* lblChars = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmdClose = nullptr;

    void cmdClose_Click();
};
