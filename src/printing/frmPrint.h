#pragma once

#include "widgets/FormAccess.h"

#include <QDate>
#include <QFrame>
#include <QPointer>

#include <array>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class UpDown;

// The print dialog: what to print (the day page, a range of days, the screen view of the day
// page, the timetable), on which printer, how many copies, and the page's orientation, fonts,
// underlines, notes and margins, kept per teacher. It floats inside the main window just below
// the tool bar, and stays open after printing.
class frmPrint : public QFrame, public FormAccess<frmPrint> {
    Q_OBJECT
public:
    frmPrint();
    ~frmPrint() override;

    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }

    QLabel* lblCaption = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* cboPrinters = nullptr;
    QGroupBox* Frame3 = nullptr;
    std::array<QRadioButton*, 4> optItem{};
    QLabel* lblStart = nullptr;
    QDateEdit* dtpStart = nullptr;
    QLabel* lblEnd = nullptr;
    QDateEdit* dtpEnd = nullptr;
    QLabel* lblCopies = nullptr;
    QLineEdit* txtcopies = nullptr;
    UpDown* udcCopies = nullptr;
    QGroupBox* fraOrientation = nullptr;
    std::array<QRadioButton*, 2> optOrientation{};
    QLabel* imgOrient = nullptr;
    QGroupBox* fraFonts = nullptr;
    std::array<QRadioButton*, 2> optFont{};
    QGroupBox* fraOptions = nullptr;
    QCheckBox* chkNotes = nullptr;
    QCheckBox* chkULHeading = nullptr;
    QCheckBox* chkULTimeSubject = nullptr;
    QGroupBox* fraMargins = nullptr;
    QLabel* lblTop = nullptr;
    QLabel* lblBtm = nullptr;
    QLabel* lblLeft = nullptr;
    QLabel* lblRight = nullptr;
    // The inches shown, and the hidden tenths of an inch the up-downs step.
    QLineEdit* txtMTop = nullptr;
    QLineEdit* txtMBtm = nullptr;
    QLineEdit* txtMLeft = nullptr;
    QLineEdit* txtMRight = nullptr;
    QLineEdit* txtMTop2 = nullptr;
    QLineEdit* txtMBtm2 = nullptr;
    QLineEdit* txtMLeft2 = nullptr;
    QLineEdit* txtMRight2 = nullptr;
    UpDown* udcTop = nullptr;
    UpDown* udcBtm = nullptr;
    UpDown* udcLeft = nullptr;
    UpDown* udcRight = nullptr;
    QGroupBox* fraPrintOptions = nullptr;
    QPushButton* cmdSettingsSave = nullptr;
    QPushButton* cmdSettingsRestore = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdPrintPreview = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
    // Receives the captured pictures that print under a heading.
    QLabel* picSave = nullptr;

    // The day the page showed when the dialog loaded; the page goes back to it after printing
    // and when the dialog or the preview closes.
    QDate ReturnDate;
    QDate RangeStart;
    QDate RangeEnd;
    QDate RangeDay;
    QString PrinterText;

    void LoadPrintSettings();
    void cboPrinters_Click();
    void optItem_Click(int index);
    void optOrientation_Click(int index);
    void optFont_Click(int index);
    void chkNotes_Click();
    void chkULHeading_Click();
    void chkULTimeSubject_Click();
    void dtpStart_Change();
    void dtpEnd_Change();
    void cmdPrint_Click();
    void cmdPrintPreview_Click();
    void cmdSettingsSave_Click();
    void cmdSettingsRestore_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    // 0 hides the preview; 1 fills it for the chosen item and shows it.
    void ShowPreview(int mode);
    // The days the range prints, and that its preview steps through.
    QList<QDate> RangeDays() const;
    void FillPreviewTimeTable();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    struct Margin {
        QLineEdit* inches;
        QLineEdit* tenths;
        UpDown* upDown;
        qint32* twips;
    };
    std::array<Margin, 4> margins() const;
    void marginTenthsChanged(const Margin& margin);
    void buildControls();
    // False, with a message, when the margins leave no room on the chosen printer's page.
    bool marginsLeaveRoom();
    // Takes the dates as typed into the pickers, without putting the range right: false, with a
    // message, when the range ends before it starts or holds no day to print.
    bool rangeReady();
    // A date the teacher leaves for Print or Print Preview, or that a print takes as typed, is
    // not put right: the print says what is wrong with the range instead.
    bool rangeGoesToPrint() const;
    // The shown day, as many times as the copies box says, counting the copies printed; false
    // when a job failed.
    bool printDayPage(int* copiesPrinted = nullptr);
    // Tells the teacher (what happened, when given, opens the message), and takes the day page
    // back to where the dialog was opened.
    void printFailed(const QString& whatHappened = QString());

    QPointer<QWidget> m_oldParent;
    bool m_loading = false;
    // The print stopped because the teacher chose to close the program.
    bool m_stoppedToClose = false;
    // A print or preview takes the dates as typed.
    bool m_takingTypedDates = false;
};
