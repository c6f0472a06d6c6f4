// The wizard's five steps: each step's loading, change detection, check and what it saves.
#include "DatePicker.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "core/SetupRules.h"
#include "core/TeacherCycle.h"
#include "frmSetup.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Rounding.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "widgets/Captions.h"
#include "widgets/Colours.h"
#include "widgets/TwipsGeometry.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace {
const QString kTimeTable = QStringLiteral("Settings\\TimeTable");
const qint32 kButtonFace = static_cast<qint32>(0x8000000Fu);
const qint32 kWindowColour = static_cast<qint32>(0x80000005u);
// Two columns of holiday names share their frame with the date pickers.
constexpr double kHolidayNameWidth = 2600;

// Only a school year that exists can be changed in part.
bool YearExists() {
    const ProgramState& g = Globals();
    return g.SetupComplete == 1 && !g.BlankDataBase;
}

// A picker's value as the step records it: the zero date when it holds none.
QDate NowValue(const DatePicker* picker) {
    return picker->HasDate() ? picker->Value() : ZeroDate();
}

std::array<bool, 8> Ticked(const std::array<QCheckBox*, 8>& boxes) {
    std::array<bool, 8> ticked{};
    for (int d = 1; d <= 7; ++d) {
        ticked[d] = boxes[d]->isChecked();
    }
    return ticked;
}

void SetCellBack(QWidget* cell, qint32 colour) {
    SetBackColor(cell, ColorFromBgr(colour));
}
} // namespace

// Step 1: set-up mode and preserve options.

void frmSetup::LoadModeStep() {
    const ProgramState& g = Globals();
    for (int t = 1; t <= 4; ++t) {
        chkPreserveTerms[t]->setChecked(g.PreserveTerms[t] != 0);
    }
    for (int i = 0; i < 2; ++i) {
        const QDate saved = g.PreserveRange[i];
        dtpPreserveDates[i]->setValue(IsNoDate(saved) ? Clock::Today() : saved, !IsNoDate(saved));
    }
    PreserveChoice = g.PreserveMode == 1 ? 1 : 0;
    ModeChoice = YearExists() ? qBound(0, g.SetupMode, 2) : 0;
    setOption(optPreserveMode[PreserveChoice]);
    setOption(optSetupMode[ModeChoice]);
}

void frmSetup::optSetupMode_Click(int index) {
    ModeChoice = index;
    lblSetUpMode->setText(QStringLiteral("Setup Mode - ") + optSetupMode[index]->text());
    fraSetUpTitle->layout()->activate(); // the banner makes room for the longer mode at once
    if (YearExists()) {
        for (int i = 0; i < 3; ++i) {
            optSetupMode[i]->setEnabled(true);
            lblModeInfo[i]->setEnabled(true);
        }
        if (index == 1) {
            // Only the timetable may change: steps 2 and 3 go back to what is saved, locked.
            LoadUserStep();
            LoadSchoolYearStep();
            LoadTimeTableGrid();
            fraPreservedSettings->setEnabled(true);
            optPreserveMode[0]->setEnabled(true);
            optPreserveMode[1]->setEnabled(true);
            optPreserveMode_Click(PreserveChoice);
            EnableUserControls(false);
            EnableSchoolYearControls(false);
        } else {
            disablePreserveOptions();
            EnableUserControls(true);
            EnableSchoolYearControls(true);
        }
    } else {
        for (int i = 1; i <= 2; ++i) {
            optSetupMode[i]->setEnabled(false);
            lblModeInfo[i]->setEnabled(false);
        }
        EnableUserControls(true);
        EnableSchoolYearControls(true);
    }
}

void frmSetup::optPreserveMode_Click(int index) {
    PreserveChoice = index;
    if (YearExists()) {
        // Only the terms in use can be ticked: a box beyond them is never offered, whatever
        // state the wizard opened with.
        for (int t = 1; t <= 4; ++t) {
            chkPreserveTerms[t]->setEnabled(index == 0 && t <= TermCount);
        }
        for (int i = 0; i < 2; ++i) {
            lblPreserveDates[i]->setEnabled(index == 1);
            dtpPreserveDates[i]->setEnabled(index == 1);
        }
    } else {
        disablePreserveOptions();
    }
}

void frmSetup::disablePreserveOptions() {
    fraPreservedSettings->setEnabled(false);
    for (QWidget* control :
         std::initializer_list<QWidget*>{optPreserveMode[0], optPreserveMode[1], lblPreserveDates[0],
                                         lblPreserveDates[1], dtpPreserveDates[0], dtpPreserveDates[1]}) {
        control->setEnabled(false);
    }
    for (int t = 1; t <= 4; ++t) {
        chkPreserveTerms[t]->setEnabled(false);
    }
}

void frmSetup::ValidateModeStep() {
    StepOK[1] = false;
    ModeStepInput input;
    input.ModeChoice = ModeChoice;
    input.PreserveChoice = PreserveChoice;
    for (int t = 1; t <= 4; ++t) {
        input.TermTicks[t] = chkPreserveTerms[t]->isChecked();
    }
    input.TermCount = TermCount;
    input.From = dtpPreserveDates[0]->Value();
    input.To = dtpPreserveDates[1]->Value();
    // The school year as step 3 shows it; nothing program-wide changes before Finish.
    input.YearStart = dtpTermStart[1]->Value();
    for (int t = 1; t <= 4; ++t) {
        if (dtpTermEnd[t]->HasDate()) {
            input.YearEnd = dtpTermEnd[t]->Value();
        }
    }
    QString suffix;
    const QString problem = ModeStepProblem(input, &suffix);
    if (problem.isEmpty()) {
        StepOK[1] = true;
        return;
    }
    // Step 1 is checked only by Next, so its message is never held back.
    ShowMessage(ModeProblemMessage(problem), MsgOK, MsgAlert, Globals().AppTitle + suffix, 0);
}

void frmSetup::SaveModeSettings(SetupValues& values) const {
    values.SetupMode = ModeChoice;
    values.PreserveMode = PreserveChoice;
    for (int t = 1; t <= 4; ++t) {
        values.PreserveTerms[t] = chkPreserveTerms[t]->isChecked() ? 1 : 0;
    }
    values.PreserveRange = {dtpPreserveDates[0]->Value(), dtpPreserveDates[1]->Value()};
}

// Step 2: users, cycle and teacher days.

void frmSetup::LoadUserStep() {
    const ProgramState& g = Globals();
    for (int t = 1; t <= 2; ++t) {
        EnteredNames[t] = g.TeacherNames[t];
        setText(txtTeacherName[t], g.TeacherNames[t]);
        WorkDayCodes[t] = g.TeacherCycle[t];
        WorkDayCounts[t] = g.TeacherDays[t];
    }
    for (int d = 1; d <= 7; ++d) {
        const int value = g.WkDay.mid(3 * (d - 1), 3) == QLatin1String("xxx") ? 0 : 1;
        setCheck(chkWeekdays[d], value);
        GridWeekdays[d] = WeekdayTicks[d] = QString::number(value);
    }
    setOption(optTeacherNum[g.TeacherNum == 2 ? 2 : 1]);
    setOption(optCycle[g.Cycle == 1 ? 1 : 0]);
    GridCycle = CycleChoice;
    if (g.SetupUser == 1) {
        RestoreTeacherDays();
    }
    for (int d = 1; d <= 7; ++d) {
        LoadedDays1[d] = CurrentDays1[d] = chkDays1[d]->isChecked() ? 1 : 0;
        LoadedDays2[d] = CurrentDays2[d] = chkDays2[d]->isChecked() ? 1 : 0;
    }
    DetectUserChanges();
}

void frmSetup::txtTeacherName_Change(int index) {
    EnteredNames[index] = txtTeacherName[index]->text();
    DetectUserChanges();
}

void frmSetup::chkWeekdays_Click(int index) {
    WeekdayTicks[index] = chkWeekdays[index]->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    DetectUserChanges();
}

void frmSetup::chkDays1_Click(int index) {
    CurrentDays1[index] = chkDays1[index]->isChecked() ? 1 : 0;
    DetectUserChanges();
}

void frmSetup::chkDays2_Click(int index) {
    CurrentDays2[index] = chkDays2[index]->isChecked() ? 1 : 0;
    DetectUserChanges();
}

void frmSetup::optCycle_Click(int index) {
    CycleChoice = index;
    RefreshDayBoxes();
    DetectUserChanges();
}

void frmSetup::optTeacherNum_Click(int index) {
    enableTeacherNames(index);
    TeacherNumChoice = index;
    if (!Loading) {
        RefreshDayBoxes();
    }
    DetectUserChanges();
}

void frmSetup::enableTeacherNames(int teachers) {
    const bool open = fraNames->isEnabled();
    const bool first = open;
    const bool second = open && teachers == 2;
    lblName[1]->setEnabled(first);
    txtTeacherName[1]->setEnabled(first);
    lblName[2]->setEnabled(second);
    txtTeacherName[2]->setEnabled(second);
    for (int d = 1; d <= 7; ++d) {
        chkDays1[d]->setEnabled(first);
        chkDays2[d]->setEnabled(second);
    }
    SetCellBack(txtTeacherName[1], first ? kWindowColour : kButtonFace);
    SetCellBack(txtTeacherName[2], second ? kWindowColour : kButtonFace);
}

void frmSetup::EnableUserControls(bool enable) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{fraUserInfo, fraNumber, fraCycle, fraNames, fraWeekDays, lblUser,
                                         optTeacherNum[1], optTeacherNum[2], optCycle[0], optCycle[1]}) {
        control->setEnabled(enable);
    }
    for (int d = 1; d <= 7; ++d) {
        chkWeekdays[d]->setEnabled(enable);
    }
    enableTeacherNames(TeacherNumChoice);
}

void frmSetup::RefreshDayBoxes() {
    const ProgramState& g = Globals();
    const int n = TeacherNumChoice;
    const bool firstSetup = g.SetupUser == 0;
    auto set = [this](int d, int first, int second) {
        setCheck(chkDays1[d], first);
        setCheck(chkDays2[d], second);
    };
    if (CycleChoice == 0) {
        for (int d = 1; d <= 6; ++d) {
            chkDays1[d]->setText(QStringLiteral("D %1").arg(d));
            chkDays2[d]->setText(QStringLiteral("D %1").arg(d));
            if (n == 1 && firstSetup) {
                set(d, 1, 0);
            } else if (n == g.TeacherNum) {
                set(d, LoadedDays1[d], LoadedDays2[d]);
            } else if (n == 2) {
                set(d, 0, 0);
            } else {
                set(d, 1, 0);
            }
        }
        chkDays1[7]->hide();
        chkDays2[7]->hide();
        return;
    }
    for (int d = 1; d <= 7; ++d) {
        const QString name = g.DayNames[d].left(3);
        chkDays1[d]->setText(name);
        chkDays2[d]->setText(name);
        const bool weekday = d >= 2 && d <= 6;
        if (n == 1 && firstSetup) {
            set(d, weekday ? 1 : 0, 0);
        } else if (n == g.TeacherNum) {
            if (weekday) { // Sunday and Saturday are left as they stand
                set(d, LoadedDays1[d], LoadedDays2[d]);
            }
        } else if (n == 2) {
            set(d, 0, 0);
        } else {
            set(d, weekday ? 1 : 0, 0);
        }
    }
    chkDays1[7]->show();
    chkDays2[7]->show();
}

void frmSetup::ClearDayBoxes() {
    for (int d = 1; d <= 7; ++d) {
        setCheck(chkDays1[d], 0);
        setCheck(chkDays2[d], 0);
    }
}

void frmSetup::RestoreTeacherDays() {
    ClearDayBoxes();
    for (int t = 1; t <= TeacherNumChoice && t <= 2; ++t) {
        auto& boxes = t == 1 ? chkDays1 : chkDays2;
        const int count = TeacherDayCount(WorkDayCounts[t], WorkDayCodes[t], CycleChoice);
        for (int k = 1; k <= count; ++k) {
            const QString code = CycleCode(WorkDayCodes[t], k, CycleChoice);
            for (int d = 1; d <= 7; ++d) {
                const bool match = CycleChoice == 0 ? code == QString::number(d) : code == boxes[d]->text();
                if (match) {
                    setCheck(boxes[d], 1);
                }
            }
        }
    }
}

void frmSetup::DetectUserChanges() {
    if (Loading) {
        return;
    }
    const ProgramState& g = Globals();
    bool changed = TeacherNumChoice != g.TeacherNum || CycleChoice != g.Cycle ||
                   EnteredNames[1] != g.TeacherNames[1] || EnteredNames[2] != g.TeacherNames[2];
    bool weekdays = false;
    for (int d = 1; d <= 7; ++d) {
        weekdays = weekdays || WeekdayTicks[d] != GridWeekdays[d];
        changed = changed || CurrentDays1[d] != LoadedDays1[d] ||
                  (TeacherNumChoice == 2 && CurrentDays2[d] != LoadedDays2[d]);
    }
    UserChanged = changed || weekdays;
    WeekdaysChanged = CycleChoice == 1 && weekdays;
    applyStepStatus(2, UserChanged);
}

bool frmSetup::BuildTeacher1Days() {
    return BuildTeacherDays(Ticked(chkDays1), CycleChoice, Globals().DayNames, &WorkDayCodes[1],
                            &WorkDayCounts[1]);
}

bool frmSetup::BuildTeacher2Days() {
    return BuildTeacherDays(Ticked(chkDays2), CycleChoice, Globals().DayNames, &WorkDayCodes[2],
                            &WorkDayCounts[2]);
}

void frmSetup::ValidateUserStep() {
    StepOK[2] = false;
    BuildTeacher1Days();
    if (TeacherNumChoice == 2) {
        BuildTeacher2Days();
    }
    UserStepInput input;
    input.TeacherNum = TeacherNumChoice;
    input.Cycle = CycleChoice;
    input.Names = {QString(), txtTeacherName[1]->text(), txtTeacherName[2]->text()};
    input.Days[1] = Ticked(chkDays1);
    input.Days[2] = Ticked(chkDays2);
    input.Weekdays = Ticked(chkWeekdays);
    const QString problem = UserStepProblem(input, Globals().DayNames);
    if (!problem.isEmpty()) {
        ShowUserProblem(problem);
        DetectUserChanges();
        return;
    }
    StepOK[2] = true;
    DetectUserChanges();
    // A new cycle or other weekdays make another grid: it starts again from the saved timetable.
    if (Rebuilding || CycleChoice != GridCycle || WeekdaysChanged) {
        GridCycle = CycleChoice;
        GridWeekdays = WeekdayTicks;
        const bool wasRebuilding = Rebuilding;
        Rebuilding = true;
        LoadTimeTableGrid();
        ValidateTimeTable();
        Rebuilding = wasRebuilding;
        cmdReset->setEnabled(false);
    }
}

void frmSetup::ShowUserProblem(const QString& problem) {
    if (Loading || Rebuilding) {
        return;
    }
    ShowMessage(UserProblemMessage(problem), MsgOK, MsgAlert,
                Globals().AppTitle + QStringLiteral(" - User Setup Problem"), 0);
}

void frmSetup::SaveUserSettings(SetupValues& values) const {
    values.TeacherNum = TeacherNumChoice;
    values.Cycle = CycleChoice;
    for (int t = 1; t <= 2; ++t) {
        values.TeacherNames[t] = txtTeacherName[t]->text();
        values.WorkDayCodes[t] = WorkDayCodes[t];
        values.WorkDayCounts[t] = WorkDayCounts[t];
    }
    BuildTeacherQueries(values);
}

void frmSetup::BuildTeacherQueries(SetupValues& values) const {
    for (int t = 1; t <= TeacherNumChoice && t <= 2; ++t) {
        values.TeacherQuery[t] = BuildTeacherQuery(WorkDayCodes[t], WorkDayCounts[t], CycleChoice);
    }
}

// Step 3: school-year dates.

void frmSetup::LoadSchoolYearStep() {
    const ProgramState& g = Globals();
    const QDate today = Clock::Today();
    TermCount = 0;
    const bool saved = g.SetupDates != 0;
    for (int t = 1; t <= 4; ++t) {
        const bool used = saved && !IsNoDate(g.TermStart[t]) && !IsNoDate(g.TermEnd[t]);
        setPicker(dtpTermStart[t], used ? g.TermStart[t] : today, used);
        setPicker(dtpTermEnd[t], used ? g.TermEnd[t] : today, used);
        TermStartNow[t] = used ? g.TermStart[t] : ZeroDate();
        TermEndNow[t] = used ? g.TermEnd[t] : ZeroDate();
        TermCount += used ? 1 : 0;
    }
    for (int i = 1; i <= 20; ++i) {
        ShowElided(lblHolidayName[i], g.HolidayNames[i], PxX(kHolidayNameWidth));
        const bool used = saved && !IsNoDate(g.Holidays[i]);
        setPicker(dtpHolidays[i], used ? g.Holidays[i] : today, used);
        HolidayNow[i] = used ? g.Holidays[i] : ZeroDate();
    }
    setCheck(chkIgnoreHolidays, g.IgnoreHolidays);
    setCheck(chkIgnoreInservices, g.IgnoreInservices);
    DetectSchoolYearChanges();
}

void frmSetup::dtpTermStart_Change(int index) {
    TermStartNow[index] = NowValue(dtpTermStart[index]);
    DetectSchoolYearChanges();
}

void frmSetup::dtpTermEnd_Change(int index) {
    TermEndNow[index] = NowValue(dtpTermEnd[index]);
    DetectSchoolYearChanges();
}

void frmSetup::dtpHolidays_Change(int index) {
    HolidayNow[index] = NowValue(dtpHolidays[index]);
    DetectSchoolYearChanges();
}

void frmSetup::chkIgnoreHolidays_Click() {
    IgnoreHolidaysTick = chkIgnoreHolidays->isChecked() ? 1 : 0;
    DetectSchoolYearChanges();
}

void frmSetup::chkIgnoreInservices_Click() {
    IgnoreInservicesTick = chkIgnoreInservices->isChecked() ? 1 : 0;
    DetectSchoolYearChanges();
}

void frmSetup::DetectSchoolYearChanges() {
    if (Loading) {
        return;
    }
    const ProgramState& g = Globals();
    bool changed = IgnoreHolidaysTick != g.IgnoreHolidays || IgnoreInservicesTick != g.IgnoreInservices;
    for (int t = 1; t <= 4; ++t) {
        changed =
            changed || !SameDate(g.TermStart[t], TermStartNow[t]) || !SameDate(g.TermEnd[t], TermEndNow[t]);
    }
    for (int i = 1; i <= 20; ++i) {
        changed = changed || !SameDate(g.Holidays[i], HolidayNow[i]);
    }
    DatesChanged = changed;
    applyStepStatus(3, DatesChanged);
}

void frmSetup::ValidateSchoolYearStep() {
    StepOK[3] = false;
    std::array<QDate, 5> start;
    std::array<QDate, 5> end;
    for (int t = 1; t <= 4; ++t) {
        start[t] = dtpTermStart[t]->Value();
        end[t] = dtpTermEnd[t]->Value();
    }
    std::array<QDate, 21> holidays;
    for (int i = 1; i <= 20; ++i) {
        holidays[i] = dtpHolidays[i]->Value();
    }
    const SchoolYearProblem problem = SchoolYearStepProblem(
        start, end, holidays, chkIgnoreHolidays->isChecked(), chkIgnoreInservices->isChecked());
    switch (problem.kind) {
    case SchoolYearProblem::Kind::Terms:
        ShowTermsProblem(problem.text, problem.term);
        break;
    case SchoolYearProblem::Kind::Holidays:
        ShowHolidayProblem(problem.text, false);
        break;
    case SchoolYearProblem::Kind::Inservices:
        ShowHolidayProblem(problem.text, true);
        break;
    case SchoolYearProblem::Kind::None:
        StepOK[3] = true;
        break;
    }
    DetectSchoolYearChanges();
}

void frmSetup::ShowTermsProblem(const QString& problem, int term) {
    if (Loading || Rebuilding) {
        return;
    }
    SSTabSetup->setCurrentIndex(0);
    ShowMessage(TermsProblemMessage(problem, term), MsgOK, MsgAlert,
                Globals().AppTitle + QStringLiteral(" - School Terms Problem"), 0);
}

void frmSetup::ShowHolidayProblem(const QString& problem, bool inservice) {
    if (Loading || Rebuilding) {
        return;
    }
    // The message comes with its tab in front.
    SSTabSetup->setCurrentIndex(inservice ? 2 : 1);
    const QString kind = inservice ? QStringLiteral("Inservice") : QStringLiteral("Holiday");
    ShowMessage(HolidayProblemMessage(problem, inservice), MsgOK, MsgInformation,
                Globals().AppTitle + QStringLiteral(" - ") + kind + QStringLiteral(" Problem"), 0);
}

void frmSetup::EnableSchoolYearControls(bool enable) {
    std::vector<QWidget*> controls{fraTerms[0],         fraTerms[1],      fraHolidays[0],  fraHolidays[1],
                                   fraInservices[0],    fraInservices[1], lblTermsInfo,    chkIgnoreHolidays,
                                   chkIgnoreInservices, lblHolidayInfo,   lblInserviceInfo};
    for (int t = 1; t <= 4; ++t) {
        controls.push_back(dtpTermStart[t]);
        controls.push_back(dtpTermEnd[t]);
    }
    controls.insert(controls.end(), lblTerm.begin(), lblTerm.end());
    controls.insert(controls.end(), lblHolidayName.begin() + 1, lblHolidayName.end());
    controls.insert(controls.end(), dtpHolidays.begin() + 1, dtpHolidays.end());
    for (QWidget* control : controls) {
        control->setEnabled(enable);
    }
}

void frmSetup::SaveSchoolYearSettings(SetupValues& values) const {
    for (int t = 1; t <= 4; ++t) {
        values.TermStart[t] = dtpTermStart[t]->Value();
        values.TermEnd[t] = dtpTermEnd[t]->Value();
    }
    values.IgnoreHolidays = chkIgnoreHolidays->isChecked() ? 1 : 0;
    values.IgnoreInservices = chkIgnoreInservices->isChecked() ? 1 : 0;
    for (int i = 1; i <= 20; ++i) {
        values.Holidays[i] = dtpHolidays[i]->Value();
    }
}

// Step 4: the timetable grid.

void frmSetup::LoadTimeTableGrid() {
    const ProgramState& g = Globals();
    // 1.
    for (QLineEdit* header : txtHeader) {
        header->clear();
        header->show();
    }
    for (QLineEdit* cell : txtRow) {
        setText(cell, QString());
        cell->show();
    }
    txtHeader[0]->setText(QStringLiteral("Time"));
    // 2. The columns follow the cycle and the taught weekdays.
    if (CycleChoice == 0) {
        for (int c = 1; c <= 7; ++c) {
            txtHeader[c]->setText(QString::number(c));
        }
        txtHeader[7]->hide();
        GridCols = 7;
    } else {
        int k = 0;
        for (int d = 1; d <= 7; ++d) {
            if (chkWeekdays[d]->isChecked()) {
                txtHeader[++k]->setText(g.DayNames[d].left(3));
            }
        }
        if (k == 0) {
            txtHeader[1]->setText(QStringLiteral("Error - No Weekdays Selected"));
            k = 1;
        }
        GridCols = k + 1;
        for (int c = GridCols; c <= 7; ++c) {
            txtHeader[c]->setText(QString::number(c));
            txtHeader[c]->hide();
        }
    }
    // 3.-4. The visible columns share the width of the seven design columns.
    const qint32 w = GridColumnWidth(GridCols, GridColWidth);
    for (int c = 1; c <= 7; ++c) {
        const qint32 left = GridColumnLeft(c, GridLeft, w);
        if (c < GridCols) {
            TwMove(txtHeader[c], left, TwTop(txtHeader[c]), w, TwHeight(txtHeader[c]));
        }
        for (int r = 0; r < 12; ++r) {
            const int time = r * 8;
            const int day = r * 8 + c;
            GridSaved[time] = GridNow[time] = ReadText(kTimeTable, QStringLiteral("Time%1").arg(r + 1));
            setText(txtRow[time], GridSaved[time]);
            GridSaved[day] = GridNow[day] =
                ReadText(kTimeTable, QStringLiteral("Subject%1%2").arg(c).arg(r + 1));
            setText(txtRow[day], GridSaved[day]);
            TwMove(txtRow[day], c < GridCols ? left : TwLeft(txtRow[day]), TwTop(txtRow[day]), w,
                   TwHeight(txtRow[day]));
            txtRow[day]->setVisible(c < GridCols);
        }
    }
    // 5. A row without a time takes no lessons.
    for (int r = 0; r < 12; ++r) {
        if (txtRow[r * 8]->text().isEmpty()) {
            DisableRowCells(r * 8);
        }
    }
    // 6.
    setCheck(chkIgnoreTimeTable, g.IgnoreTimeTable);
    IgnoreTimeTableTick = g.IgnoreTimeTable;
    TimeTableChanged = false;
}

void frmSetup::DisableRowCells(int index) {
    for (int k = 1; k <= GridCols - 1; ++k) {
        QLineEdit* cell = txtRow[index + k];
        setText(cell, QString());
        GridNow[index + k].clear();
        SetCellBack(cell, kButtonFace);
        cell->setEnabled(false);
    }
}

void frmSetup::EnableRowCells(int index) {
    for (int k = 1; k <= GridCols - 1; ++k) {
        QLineEdit* cell = txtRow[index + k];
        SetCellBack(cell, kWindowColour);
        cell->setEnabled(true);
    }
}

void frmSetup::txtRow_Change(int index) {
    if (Loading) {
        return;
    }
    GridNow[index] = txtRow[index]->text();
    UpdateTimeTableStatus();
    if (index % 8 == 0) {
        if (txtRow[index]->text().isEmpty()) {
            DisableRowCells(index);
        } else {
            EnableRowCells(index);
        }
    }
}

void frmSetup::txtRow_MouseMove(int index) {
    // Long entries can be read in full.
    txtRow[index]->setToolTip(txtRow[index]->text());
}

bool frmSetup::txtRow_KeyDown(int index, int keyCode) {
    int target = -1;
    if ((keyCode == 13 || keyCode == 40) && index <= 87) {
        target = index + 8;
    } else if (keyCode == 38 && index >= 8) {
        target = index - 8;
    }
    if (target >= 0 && txtRow[target]->isEnabled()) {
        txtRow[target]->setFocus();
        txtRow[target]->selectAll();
        return true;
    }
    return false;
}

void frmSetup::chkIgnoreTimeTable_Click() {
    IgnoreTimeTableTick = chkIgnoreTimeTable->isChecked() ? 1 : 0;
    UpdateTimeTableStatus();
}

void frmSetup::UpdateTimeTableStatus() {
    if (Loading) {
        return;
    }
    bool changed = IgnoreTimeTableTick != Globals().IgnoreTimeTable;
    for (int i = 0; i < 96 && !changed; ++i) {
        changed = GridNow[i] != GridSaved[i];
    }
    TimeTableChanged = changed;
    applyStepStatus(4, TimeTableChanged);
}

void frmSetup::ValidateTimeTable() {
    StepOK[4] = false;
    if (!chkIgnoreTimeTable->isChecked()) {
        bool empty = true;
        for (int r = 0; r < 12; ++r) {
            empty = empty && txtRow[r * 8]->text().isEmpty();
        }
        if (empty) {
            if (Loading || Rebuilding) {
                return;
            }
            ShowMessage(EmptyTimeTableMessage(), MsgOK, MsgInformation,
                        Globals().AppTitle + QStringLiteral(" - TimeTable Problem"), 0);
            UpdateTimeTableStatus();
            return;
        }
    }
    StepOK[4] = true;
    UpdateTimeTableStatus();
}

void frmSetup::SaveTimeTableSettings(SetupValues& values) const {
    values.WkDay = WkDayFromTicks(Ticked(chkWeekdays), Globals().DayNames);
    values.IgnoreTimeTable = chkIgnoreTimeTable->isChecked() ? 1 : 0;
    for (int c = 1; c <= 7; ++c) {
        values.Headers[c] = txtHeader[c]->text();
    }
    for (int r = 1; r <= 12; ++r) {
        values.TimeTable.Time[r] = txtRow[(r - 1) * 8]->text();
        for (int c = 1; c <= 7; ++c) {
            // The subjects of hidden columns are saved empty.
            values.TimeTable.Subject[c][r] = c < GridCols ? txtRow[(r - 1) * 8 + c]->text() : QString();
        }
    }
}

// Step 5: the review, built from the other steps each time it is entered.

void frmSetup::BuildReviewPage() {
    const ProgramState& g = Globals();
    auto twips = [](const QWidget* list) { return TwWidth(list); };
    auto add = [](QTreeWidget* list, const QStringList& texts) { new QTreeWidgetItem(list, texts); };

    // 1.
    lvwUser->clear();
    const double userWidth = twips(lvwUser);
    const double firstShare = CycleChoice == 0 ? userWidth / 2 : userWidth / 3;
    lvwUser->setColumnWidth(0, PxX(firstShare));
    lvwUser->setColumnWidth(1, PxX(userWidth - firstShare));
    const auto rows = ReviewUserRows(CycleChoice, TeacherNumChoice,
                                     {QString(), txtTeacherName[1]->text(), txtTeacherName[2]->text()},
                                     WorkDayCodes, WorkDayCounts);
    for (const auto& [label, value] : rows) {
        add(lvwUser, {label, value});
    }

    // 2.
    lvwTerms->clear();
    const double rest = twips(lvwTerms) - TwipsX(lvwTerms->columnWidth(0));
    lvwTerms->setColumnWidth(1, PxX(CLng(rest / 2)));
    lvwTerms->setColumnWidth(2, PxX(CLng(rest / 2)));
    for (int t = 1; t <= 4; ++t) {
        if (dtpTermStart[t]->HasDate() && dtpTermEnd[t]->HasDate()) {
            add(lvwTerms, {QString::number(t), FormatDate(dtpTermStart[t]->Value(), g.MonthDateFormat),
                           FormatDate(dtpTermEnd[t]->Value(), g.MonthDateFormat)});
        } else {
            add(lvwTerms, {QString::number(t), QStringLiteral("Not Used"), QStringLiteral("Not Used")});
        }
    }

    // 3.
    lvwWeekdays->clear();
    lvwWeekdays->setColumnWidth(0, PxX(twips(lvwWeekdays) - 200));
    add(lvwWeekdays, {ReviewWeekdays(Ticked(chkWeekdays), g.DayNames)});

    // 4.
    lblReviewMsg->setText(QStringLiteral("Please ensure accuracy before clicking Finish Setup"));

    // 5. The chosen dates are shown; nothing program-wide changes before Finish.
    lvwHolidays->clear();
    int holidays = 0;
    for (int i = 1; i <= 20; ++i) {
        if (dtpHolidays[i]->HasDate()) {
            add(lvwHolidays,
                {CaptionText(g.HolidayNames[i], 40), FormatDate(dtpHolidays[i]->Value(), g.ShortDateFormat)});
            ++holidays;
        }
    }
    const auto [nameWidth, dateWidth] = ReviewHolidayWidths(CLng(twips(lvwHolidays)), holidays);
    lvwHolidays->setColumnWidth(0, PxX(nameWidth));
    lvwHolidays->setColumnWidth(1, PxX(dateWidth));

    // 6.
    lblReviewModeInfo->setText(ReviewModeInfo(ModeChoice, optSetupMode[ModeChoice]->text()));
}
