#pragma once

#include "SetupArtwork.h"
#include "core/SetupFinish.h"
#include "widgets/FormAccess.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class DatePicker;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;

// Shows the school-year set-up wizard without waiting for it.
void ShowSetupWizard();

// The set-up wizard: five steps in which the teacher describes the school year (what happens to
// the lesson plans, who teaches on which days, the dates, the timetable, a review), and the
// Finish that builds the year's day table from them. While it is open the main window's
// commands are off and the day page is hidden.
class frmSetup : public QWidget, public FormAccess<frmSetup> {
    Q_OBJECT
public:
    frmSetup();
    ~frmSetup() override;

    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }
    void Form_Activate();
    // Cancel and the close box: asks first while the set-up is incomplete (OK keeps it open).
    void RequestClose();

    // The shell.
    QTreeWidget* TreeView = nullptr;
    std::array<QLabel*, 3> imgCompleted{};
    std::array<QLabel*, 3> lblCompleted{};
    QFrame* fraSetUpTitle = nullptr;
    QLabel* lblSetUpMode = nullptr;
    QFrame* fraSetupMain = nullptr;
    std::array<QLabel*, 1> imgSetupTitle{};
    QLabel* lblSetUpTitle = nullptr;
    std::array<QWidget*, 6> fraSetup{};   // 1..5
    std::array<QGroupBox*, 6> fraSteps{}; // 1..5
    std::array<QLabel*, 7> lblStepsMode{};
    std::array<QLabel*, 8> lblStepsUser{};
    std::array<QLabel*, 3> lblStepsSchoolYear{};
    std::array<QLabel*, 4> lblStepsTimeTable{};
    std::array<QLabel*, 6> lblStepsReview{};
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdDailyPlannerHelp = nullptr;
    SetupImageList imlSetupIcons; // 1..5 the steps' icons, 6..8 the status pictures

    // Step 1: set-up mode and preserve options.
    QGroupBox* fraMode = nullptr;
    std::array<QRadioButton*, 3> optSetupMode{};
    std::array<QLabel*, 5> lblModeInfo{};
    QGroupBox* fraPreservedSettings = nullptr;
    std::array<QRadioButton*, 2> optPreserveMode{};
    std::array<QCheckBox*, 5> chkPreserveTerms{}; // 1..4
    std::array<DatePicker*, 2> dtpPreserveDates{};
    std::array<QLabel*, 4> lblPreserveDates{};

    // Step 2: users, cycle and teacher days.
    QGroupBox* fraNumber = nullptr;
    std::array<QRadioButton*, 3> optTeacherNum{}; // 1..2
    QGroupBox* fraCycle = nullptr;
    std::array<QRadioButton*, 2> optCycle{};
    QGroupBox* fraWeekDays = nullptr;
    std::array<QCheckBox*, 8> chkWeekdays{}; // 1..7, Sunday first
    QGroupBox* fraNames = nullptr;
    std::array<QLabel*, 3> lblName{};           // 1..2
    std::array<QLineEdit*, 3> txtTeacherName{}; // 1..2
    std::array<QCheckBox*, 8> chkDays1{};       // 1..7
    std::array<QCheckBox*, 8> chkDays2{};       // 1..7
    QGroupBox* fraUserInfo = nullptr;
    QLabel* lblUser = nullptr;

    // Step 3: school-year dates.
    QTabWidget* SSTabSetup = nullptr;
    std::array<QGroupBox*, 2> fraTerms{};
    std::array<QGroupBox*, 2> fraHolidays{};
    std::array<QGroupBox*, 2> fraInservices{};
    std::array<QLabel*, 12> lblTerm{};
    std::array<DatePicker*, 5> dtpTermStart{}; // 1..4
    std::array<DatePicker*, 5> dtpTermEnd{};   // 1..4
    QLabel* lblTermsInfo = nullptr;
    std::array<QLabel*, 21> lblHolidayName{};  // 1..20
    std::array<DatePicker*, 21> dtpHolidays{}; // 1..10 holidays, 11..20 in-service days
    QCheckBox* chkIgnoreHolidays = nullptr;
    QCheckBox* chkIgnoreInservices = nullptr;
    QLabel* lblHolidayInfo = nullptr;
    QLabel* lblInserviceInfo = nullptr;

    // Step 4: the timetable grid; cell = row x 8 + column, column 0 the lesson time.
    QGroupBox* fraTimeTable = nullptr;
    std::array<QLineEdit*, 8> txtHeader{};
    std::array<QLineEdit*, 96> txtRow{};
    std::array<QLabel*, 12> lblPeriod{};
    QCheckBox* chkIgnoreTimeTable = nullptr;

    // Step 5: review.
    QGroupBox* FraReview = nullptr;
    QTreeWidget* lvwUser = nullptr;
    QTreeWidget* lvwTerms = nullptr;
    QTreeWidget* lvwWeekdays = nullptr;
    QTreeWidget* lvwHolidays = nullptr;
    QLabel* lblReviewModeTitle = nullptr;
    QLabel* lblReviewModeInfo = nullptr;
    QLabel* lblReviewMsg = nullptr;

    // The wizard's state, discarded when it closes.
    bool Loading = false;
    bool Rebuilding = false;
    std::array<bool, 5> StepOK{};
    int CurrentStep = 1;
    bool UserChanged = false;
    bool DatesChanged = false;
    bool TimeTableChanged = false;
    int ModeChoice = 0;
    int PreserveChoice = 0;
    int TeacherNumChoice = 1;
    int CycleChoice = 0;
    std::array<QString, 3> EnteredNames;
    std::array<QString, 8> WeekdayTicks;
    std::array<QString, 8> GridWeekdays;
    int GridCycle = 0;
    std::array<int, 8> LoadedDays1{};
    std::array<int, 8> LoadedDays2{};
    std::array<int, 8> CurrentDays1{};
    std::array<int, 8> CurrentDays2{};
    std::array<QString, 3> WorkDayCodes;
    std::array<QString, 3> WorkDayCounts;
    bool WeekdaysChanged = false;
    // A picker without a date holds the zero date here.
    std::array<QDate, 5> TermStartNow;
    std::array<QDate, 5> TermEndNow;
    std::array<QDate, 21> HolidayNow;
    int IgnoreHolidaysTick = 0;
    int IgnoreInservicesTick = 0;
    int IgnoreTimeTableTick = 0;
    int TermCount = 0;
    int GridCols = 7;
    qint32 GridLeft = 0;
    qint32 GridColWidth = 0;
    std::array<QString, 96> GridSaved;
    std::array<QString, 96> GridNow;

    // The picture a step's node shows (1..8 of the wizard's pictures).
    int NodePicture(int step) const;

    // The shell.
    void cmdNext_Click();
    void cmdBack_Click();
    void cmdReset_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void cmdDailyPlannerHelp_Click();
    void SSTabSetup_Click(int tab);
    void EnableMainUI(bool enable);
    void LayoutStepFrames();
    void BuildStepTree();
    void ShowCurrentStep();
    void SelectStep(int step);

    // Step 1.
    void LoadModeStep();
    void optSetupMode_Click(int index);
    void optPreserveMode_Click(int index);
    void ValidateModeStep();
    void SaveModeSettings(SetupValues& values) const;

    // Step 2.
    void LoadUserStep();
    void DetectUserChanges();
    void ValidateUserStep();
    void SaveUserSettings(SetupValues& values) const;
    void BuildTeacherQueries(SetupValues& values) const;
    void EnableUserControls(bool enable);
    void ShowUserProblem(const QString& problem);
    void RefreshDayBoxes();
    void RestoreTeacherDays();
    void ClearDayBoxes();
    bool BuildTeacher1Days();
    bool BuildTeacher2Days();
    void optTeacherNum_Click(int index);
    void optCycle_Click(int index);
    void txtTeacherName_Change(int index);
    void chkWeekdays_Click(int index);
    void chkDays1_Click(int index);
    void chkDays2_Click(int index);

    // Step 3.
    void LoadSchoolYearStep();
    void DetectSchoolYearChanges();
    void ValidateSchoolYearStep();
    void SaveSchoolYearSettings(SetupValues& values) const;
    void EnableSchoolYearControls(bool enable);
    void ShowTermsProblem(const QString& problem, int term);
    void ShowHolidayProblem(const QString& problem, bool inservice);
    void dtpTermStart_Change(int index);
    void dtpTermEnd_Change(int index);
    void dtpHolidays_Change(int index);
    void chkIgnoreHolidays_Click();
    void chkIgnoreInservices_Click();

    // Step 4.
    void LoadTimeTableGrid();
    void ValidateTimeTable();
    void UpdateTimeTableStatus();
    void SaveTimeTableSettings(SetupValues& values) const;
    void DisableRowCells(int index);
    void EnableRowCells(int index);
    void txtRow_Change(int index);
    void txtRow_MouseMove(int index);
    bool txtRow_KeyDown(int index, int keyCode);
    void chkIgnoreTimeTable_Click();

    // Step 5 and Finish.
    void BuildReviewPage();
    SetupValues CollectSetupValues() const;
    // The day table rewritten for the new year, the kept entries put back and the settings
    // saved, all or nothing; the wizard is hidden and the progress window shown meanwhile.
    // settingsSaved turns false when the year stands but the settings file could not take its
    // settings (a message has said so); keptCopy names the copy that keeps the entries the new
    // year lost.
    bool WriteDayTable(const SetupValues& values, bool* settingsSaved, QString* keptCopy);
    void FinishSetupClicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildShell();
    void buildModeStep();
    void buildUserStep();
    void buildSchoolYearStep();
    void buildTimeTableStep();
    void buildReviewStep();
    void connectControls();
    void setNodePicture(int step, int picture);
    void applyStepStatus(int step, bool changed);
    void enableTeacherNames(int teachers);
    void disablePreserveOptions();
    // Values set from code run the control's change handling, as the teacher's action does.
    void setOption(QRadioButton* option);
    void setCheck(QCheckBox* box, int value);
    void setText(QLineEdit* box, const QString& text);
    void setPicker(DatePicker* picker, const QDate& shown, bool checked);
    // Connects a control's user action to its handler, which code-set values run as well.
    void handle(QObject* control, std::function<void()> handler);
    void runHandler(QObject* control);

    QHash<const QObject*, std::function<void()>> m_handlers;
    QLabel* m_rangeTo = nullptr; // between the two ends of the school year's range
    bool m_unloaded = false;
};
