#include "frmSetup.h"

#include "DatePicker.h"
#include "SetupArtwork.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "core/SetupRules.h"
#include "core/TeacherSettings.h"
#include "daypage/DayStyle.h"
#include "daypage/EditCommands.h"
#include "daypage/Panels.h"
#include "daypage/TimeTableGrid.h"
#include "daypage/frmSchedule.h"
#include "files/frmPackMsg.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Rounding.h"
#include "platform/Twips.h"
#include "ui/MainFrame.h"
#include "ui/MainWindowState.h"
#include "ui/OpenWindows.h"
#include "widgets/Artwork.h"
#include "widgets/Colours.h"
#include "widgets/Help.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/TwipsGeometry.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
// The window's design, in twips.
constexpr double kWindowWidth = 12900;
constexpr double kWindowHeight = 8800;
constexpr double kColumnLeft = 120;
constexpr double kColumnWidth = 3450;
constexpr double kMainLeft = 3690;
constexpr double kMainTop = 900;
constexpr double kMainWidth = 9090;
constexpr double kMainHeight = 7140;
constexpr double kButtonTop = 8190;
constexpr double kButtonHeight = 450;
// Step 4's grid: the lesson-time column, then seven design day columns.
constexpr double kGridTop = 330;
constexpr double kCellHeight = 330;
constexpr double kTimeLeft = 600;
constexpr double kTimeWidth = 1050;
constexpr double kDesignGridLeft = 1700;
constexpr double kDesignColumnWidth = 1000;

const QStringList kStepNames{QString(),
                             QStringLiteral("Setup Mode"),
                             QStringLiteral("User Schedule"),
                             QStringLiteral("School Year Dates"),
                             QStringLiteral("TimeTable Information"),
                             QStringLiteral("Review Setup")};
constexpr int kHelpContexts[] = {0, 110, 120, 130, 140, 150};
constexpr int kPictureRole = Qt::UserRole + 1;

QLabel* MakeLabel(QWidget* parent, const QString& text, bool wrap = false) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(wrap);
    return label;
}

QLabel* Heading(QWidget* parent, const QString& text) {
    QLabel* label = MakeLabel(parent, text, true);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPixmap Picture(const frmSetup& form, int index, int pixels) {
    return form.imlSetupIcons.Picture(index, pixels, form.devicePixelRatioF());
}

// The pictures keep their colours in the tree, which is disabled for show.
QIcon NodeIcon(const frmSetup& form, int index) {
    QIcon icon;
    const QPixmap picture = Picture(form, index, 20);
    icon.addPixmap(picture, QIcon::Normal);
    icon.addPixmap(picture, QIcon::Disabled);
    return icon;
}

void Place(QWidget* widget, double left, double top, double width, double height) {
    TwMove(widget, left, top, width, height);
}

QTreeWidget* ReportList(QWidget* parent, const QStringList& headings) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setColumnCount(static_cast<int>(headings.size()));
    list->setHeaderLabels(headings);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    // The program sizes the columns to the list's width, and a long text is cut short with an
    // ellipsis: there is never anything to scroll across.
    list->header()->setSectionResizeMode(QHeaderView::Fixed);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}
} // namespace

void ShowSetupWizard() {
    frmSetup& wizard = frmSetup::Get();
    wizard.show();
    wizard.raise();
    wizard.activateWindow();
    wizard.Form_Activate();
    // The day page's own activation may still be waiting to show its panels: the lock follows it.
    QTimer::singleShot(0, &wizard, [] {
        if (frmSetup* open = frmSetup::IfLoaded()) {
            open->Form_Activate();
        }
    });
}

// A dialog-type window: the window manager keeps it in front of the main window it locks.
frmSetup::frmSetup() : QWidget(&MainFrame::Get(), Qt::Dialog) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowIcon(Artwork::AppIcon());
    setFixedSize(PxX(kWindowWidth), PxY(kWindowHeight));
    buildShell();
    buildModeStep();
    buildUserStep();
    buildSchoolYearStep();
    buildTimeTableStep();
    buildReviewStep();
    connectControls();
}

frmSetup::~frmSetup() {
    if (!m_unloaded) {
        Form_Unload();
    }
}

void frmSetup::buildShell() {
    // The banner across the top: the program and the mode chosen.
    fraSetUpTitle = new QFrame(this);
    fraSetUpTitle->setObjectName(QStringLiteral("fraSetUpTitle"));
    fraSetUpTitle->setFrameShape(QFrame::StyledPanel);
    fraSetUpTitle->setAutoFillBackground(true);
    SetBackColor(fraSetUpTitle, ColorFromBgr(Globals().DefaultColourBack[1]));
    Place(fraSetUpTitle, kColumnLeft, 90, kWindowWidth - 2 * kColumnLeft, 720);
    auto* banner = new QHBoxLayout(fraSetUpTitle);
    banner->setContentsMargins(10, 4, 14, 4);
    auto* appPicture = new QLabel(fraSetUpTitle);
    appPicture->setPixmap(Artwork::AppIcon().pixmap(QSize(32, 32)));
    auto* heading = MakeLabel(fraSetUpTitle, Globals().AppTitle + QStringLiteral(" School Year Setup"));
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.45);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    SetForeColor(heading, ColorFromBgr(Globals().DefaultColourFore[0]));
    lblSetUpMode = MakeLabel(fraSetUpTitle, QString());
    QFont modeFont = lblSetUpMode->font();
    modeFont.setBold(true);
    lblSetUpMode->setFont(modeFont);
    SetForeColor(lblSetUpMode, ColorFromBgr(Globals().DefaultColourFore[0]));
    banner->addWidget(appPicture);
    banner->addSpacing(6);
    banner->addWidget(heading);
    banner->addStretch(1);
    banner->addWidget(lblSetUpMode);

    // The steps, for show: the teacher moves with Next and Back.
    TreeView = new QTreeWidget(this);
    TreeView->setHeaderHidden(true);
    TreeView->setRootIsDecorated(false);
    TreeView->setIndentation(4);
    TreeView->setIconSize(QSize(20, 20));
    TreeView->setFocusPolicy(Qt::NoFocus);
    TreeView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TreeView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Disabled, but read as easily as an enabled one.
    QPalette treePalette = TreeView->palette();
    for (auto role : {QPalette::Text, QPalette::Highlight, QPalette::HighlightedText, QPalette::Base}) {
        treePalette.setColor(QPalette::Disabled, role, treePalette.color(QPalette::Active, role));
    }
    TreeView->setPalette(treePalette);
    Place(TreeView, kColumnLeft, kMainTop, kColumnWidth, 1800);

    // What the status pictures mean.
    auto* legend = new QFrame(this);
    legend->setFrameShape(QFrame::StyledPanel);
    Place(legend, kColumnLeft, 2790, kColumnWidth, 870);
    auto* legendLayout = new QGridLayout(legend);
    legendLayout->setContentsMargins(10, 4, 10, 4);
    legendLayout->setVerticalSpacing(2);
    const QStringList meanings{QStringLiteral("Complete"), QStringLiteral("InComplete"),
                               QStringLiteral("Changed")};
    for (int i = 0; i < 3; ++i) {
        imgCompleted[i] = new QLabel(legend);
        imgCompleted[i]->setPixmap(Picture(*this, 6 + i, 16));
        lblCompleted[i] = MakeLabel(legend, meanings[i]);
        legendLayout->addWidget(imgCompleted[i], i, 0);
        legendLayout->addWidget(lblCompleted[i], i, 1);
    }
    legendLayout->setColumnStretch(1, 1);

    // Each step's guide, one on top of the other below the tree.
    for (int i = 1; i <= 5; ++i) {
        fraSteps[i] = new QGroupBox(this);
        Place(fraSteps[i], kColumnLeft, 3750, kColumnWidth, 4290);
        auto* guide = new QVBoxLayout(fraSteps[i]);
        guide->setSpacing(2);
        guide->setContentsMargins(8, 6, 8, 6);
    }
    // The guides are read beside the step: a size smaller than the step's own text.
    QFont guideFont = font();
    guideFont.setPointSizeF(guideFont.pointSizeF() * 0.9);
    auto addGuide = [this, guideFont](int step, QLabel* label, bool heading) {
        QFont font = guideFont;
        if (heading) {
            static_cast<QVBoxLayout*>(fraSteps[step]->layout())->addSpacing(4);
            font.setBold(true);
        }
        label->setFont(font);
        label->setWordWrap(true);
        fraSteps[step]->layout()->addWidget(label);
    };
    const QStringList modeGuide{
        QStringLiteral("New School Year"),
        QStringLiteral("Best choice to start a New School Year or for First Time Setup."),
        QStringLiteral("TimeTable Change"),
        QStringLiteral("Best choice to make changes to the TimeTable."),
        QStringLiteral("The User Schedule and School Year Dates Options will NOT be available for editing."),
        QStringLiteral("Corrective Action"),
        QStringLiteral("Best choice to make changes to your current Setup if there is a problem.")};
    for (int i = 0; i < 7; ++i) {
        lblStepsMode[i] = new QLabel(modeGuide[i], fraSteps[1]);
        addGuide(1, lblStepsMode[i], i == 0 || i == 2 || i == 5);
    }
    const QStringList userGuide{
        QStringLiteral("Number of Teachers"),
        QStringLiteral("If 2 teachers share a class individual schedules for each teacher can be set."),
        QStringLiteral("School Day Cycle"),
        QStringLiteral("If you do not use a 6 Day Cycle select the Weekday Cycle."),
        QStringLiteral("Teacher Name(s) and Scheduled Work Days"),
        QStringLiteral("Select the days each teacher is scheduled to work."),
        QStringLiteral("Weekdays Included as Regular School Days"),
        QStringLiteral(
            "The Days of the Week when school is open for classes. It is usually Monday through Friday "
            "with Saturday and Sunday as the weekend.")};
    for (int i = 0; i < 8; ++i) {
        lblStepsUser[i] = new QLabel(userGuide[i], fraSteps[2]);
        addGuide(2, lblStepsUser[i], i % 2 == 0);
    }
    for (int i = 0; i < 3; ++i) {
        lblStepsSchoolYear[i] = new QLabel(fraSteps[3]);
        addGuide(3, lblStepsSchoolYear[i], i == 0);
    }
    const QStringList timetableGuide{
        QStringLiteral("Click a Row under Time"),
        QStringLiteral(
            "Enter a time to activate the row then enter the appropriate class information under each "
            "heading."),
        QStringLiteral("To skip a row leave the Time blank."),
        QStringLiteral(
            "There are 6 rows for AM classes and 6 rows for PM classes. The AM classes will appear on the "
            "lefthand side of the Lumenleaf, and the PM classes on the righthand side.")};
    for (int i = 0; i < 4; ++i) {
        lblStepsTimeTable[i] = new QLabel(timetableGuide[i], fraSteps[4]);
        addGuide(4, lblStepsTimeTable[i], i == 0);
    }
    const QStringList reviewGuide{
        QStringLiteral("Clicking Finish Setup will write"),
        QStringLiteral(
            "ensure accuracy. If you need to make changes later on in the School Year you can run Setup "
            "again from the Tools Menu."),
        QStringLiteral(
            "during the current School Year you may or may not be able to preserve your Lesson Plan "
            "Details and Notes entries. This will depend upon the changes that are made, especially the "
            "Dates."),
        QStringLiteral("all information to the DataBase File."),
        QStringLiteral("Please review all settings to"),
        QStringLiteral("Please Note: If you run Setup")};
    for (int i = 0; i < 6; ++i) {
        lblStepsReview[i] = new QLabel(reviewGuide[i], fraSteps[5]);
    }
    // Three two-line paragraphs, read in the order 4, 1 / 0, 3 / 5, 2.
    for (int i : {4, 1, 0, 3, 5, 2}) {
        auto* guide = static_cast<QVBoxLayout*>(fraSteps[5]->layout());
        if (i == 0 || i == 5) {
            guide->addSpacing(10);
        }
        lblStepsReview[i]->setWordWrap(true);
        lblStepsReview[i]->setFont(guideFont);
        guide->addWidget(lblStepsReview[i]);
    }
    for (int i = 1; i <= 5; ++i) {
        static_cast<QVBoxLayout*>(fraSteps[i]->layout())->addStretch(1);
    }

    // The steps' own frame, with the step's title above the content.
    fraSetupMain = new QFrame(this);
    fraSetupMain->setFrameShape(QFrame::StyledPanel);
    Place(fraSetupMain, kMainLeft, kMainTop, kMainWidth, kMainHeight);
    imgSetupTitle[0] = new QLabel(fraSetupMain);
    Place(imgSetupTitle[0], 150, 150, 480, 480);
    lblSetUpTitle = new QLabel(fraSetupMain);
    QFont titleFont = lblSetUpTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    lblSetUpTitle->setFont(titleFont);
    SetForeColor(lblSetUpTitle, ColorFromBgr(Globals().DefaultColourFore[0]));
    Place(lblSetUpTitle, 750, 150, kMainWidth - 900, 480);
    for (int i = 1; i <= 5; ++i) {
        fraSetup[i] = new QWidget(fraSetupMain);
        fraSetup[i]->hide();
    }

    // The buttons.
    auto button = [this](const QString& text, double left, double width) {
        auto* b = new QPushButton(text, this);
        // Enter in a cell never presses a button.
        b->setAutoDefault(false);
        b->setDefault(false);
        Place(b, left, kButtonTop, width, kButtonHeight);
        return b;
    };
    // Made from left to right, the order in which Tab takes them.
    cmdHelp = button(QStringLiteral("&Help"), kColumnLeft, 1100);
    cmdDailyPlannerHelp = button(QStringLiteral("Use as Daily Planner Help"), kColumnLeft + 1190, 2500);
    const double right = kWindowWidth - kColumnLeft;
    cmdReset = button(QStringLiteral("Reset"), right - 3780 - 90 - 2800, 2800);
    cmdBack = button(QStringLiteral("Back"), right - 2590 - 90 - 1100, 1100);
    cmdNext = button(QStringLiteral("Next"), right - 1100 - 90 - 1400, 1400);
    cmdCancel = button(QStringLiteral("Cancel"), right - 1100, 1100);
}

void frmSetup::buildModeStep() {
    QWidget* page = fraSetup[1];
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 0, 6, 0);

    fraMode = new QGroupBox(QStringLiteral("Setup Mode"), page);
    auto* modes = new QGridLayout(fraMode);
    modes->setHorizontalSpacing(16);
    const QStringList captions{QStringLiteral("New School Year"), QStringLiteral("TimeTable Change"),
                               QStringLiteral("Corrective Action")};
    const QStringList descriptions{
        QStringLiteral("Will NOT Preserve current Lesson Plan Details and Notes."),
        QStringLiteral("Will Preserve ALL current Lesson Plan Details and Notes."),
        QStringLiteral(
            "Will Preserve current Lesson Plan Details and Notes dependent upon the setup changes that "
            "are made. TimeTable changes are applied to the whole School Year.")};
    for (int i = 0; i < 3; ++i) {
        optSetupMode[i] = new QRadioButton(captions[i], fraMode);
        lblModeInfo[i] = MakeLabel(fraMode, descriptions[i], true);
        modes->addWidget(optSetupMode[i], i, 0, Qt::AlignTop);
        modes->addWidget(lblModeInfo[i], i, 1);
    }
    modes->setColumnStretch(1, 1);
    lblModeInfo[3] =
        MakeLabel(fraMode, QStringLiteral("Please use Help for a complete description of these optons."));
    QFont noteFont = lblModeInfo[3]->font();
    noteFont.setItalic(true);
    lblModeInfo[3]->setFont(noteFont);
    modes->addWidget(lblModeInfo[3], 3, 0, 1, 2);
    layout->addWidget(fraMode);

    fraPreservedSettings =
        new QGroupBox(QStringLiteral("Apply TimeTable Changes to the following Term(s) or Date Range"), page);
    auto* preserve = new QGridLayout(fraPreservedSettings);
    preserve->setHorizontalSpacing(12);
    optPreserveMode[0] = new QRadioButton(QStringLiteral("Terms"), fraPreservedSettings);
    optPreserveMode[1] = new QRadioButton(QStringLiteral("Date Range"), fraPreservedSettings);
    auto* terms = new QHBoxLayout();
    for (int t = 1; t <= 4; ++t) {
        chkPreserveTerms[t] = new QCheckBox(QStringLiteral("Term %1").arg(t), fraPreservedSettings);
        terms->addWidget(chkPreserveTerms[t]);
    }
    terms->addStretch(1);
    preserve->addWidget(optPreserveMode[0], 0, 0);
    preserve->addLayout(terms, 0, 1);
    auto* range = new QHBoxLayout();
    lblPreserveDates[0] = MakeLabel(fraPreservedSettings, QStringLiteral("From:"));
    lblPreserveDates[1] = MakeLabel(fraPreservedSettings, QStringLiteral("To:"));
    for (int i = 0; i < 2; ++i) {
        dtpPreserveDates[i] = new DatePicker(fraPreservedSettings);
        dtpPreserveDates[i]->setMinimumWidth(PxX(2200));
        range->addWidget(lblPreserveDates[i]);
        range->addSpacing(6); // clear of the picker's tick box
        range->addWidget(dtpPreserveDates[i]);
        range->addSpacing(10);
    }
    range->addStretch(1);
    preserve->addWidget(optPreserveMode[1], 1, 0);
    preserve->addLayout(range, 1, 1);
    auto* year = new QHBoxLayout();
    lblModeInfo[4] = MakeLabel(fraPreservedSettings, QStringLiteral("School Year Range:"));
    lblPreserveDates[2] = MakeLabel(fraPreservedSettings, QString());
    lblPreserveDates[3] = MakeLabel(fraPreservedSettings, QString());
    year->addWidget(lblPreserveDates[2]);
    m_rangeTo = MakeLabel(fraPreservedSettings, QStringLiteral(" to "));
    m_rangeTo->setEnabled(false);
    year->addWidget(m_rangeTo);
    year->addWidget(lblPreserveDates[3]);
    year->addStretch(1);
    preserve->addWidget(lblModeInfo[4], 2, 0);
    preserve->addLayout(year, 2, 1);
    preserve->setColumnStretch(1, 1);
    layout->addWidget(fraPreservedSettings);
    layout->addStretch(1);
}

void frmSetup::buildUserStep() {
    QWidget* page = fraSetup[2];
    auto* layout = new QGridLayout(page);
    layout->setContentsMargins(6, 0, 6, 0);

    // Two choices in a frame of their own, so that each pair excludes only itself.
    auto choices = [page](const QString& caption, QRadioButton*& first, const QString& firstText,
                          QRadioButton*& second, const QString& secondText) {
        auto* frame = new QGroupBox(caption, page);
        auto* box = new QVBoxLayout(frame);
        first = new QRadioButton(firstText, frame);
        second = new QRadioButton(secondText, frame);
        box->addWidget(first);
        box->addWidget(second);
        return frame;
    };
    fraNumber = choices(QStringLiteral("Number of Teachers"), optTeacherNum[1], QStringLiteral("One Teacher"),
                        optTeacherNum[2], QStringLiteral("Two Teachers"));
    layout->addWidget(fraNumber, 0, 0);
    fraCycle = choices(QStringLiteral("School Day Cycle"), optCycle[0], QStringLiteral("6 Day Cycle"),
                       optCycle[1], QStringLiteral("Weekday Cycle"));
    layout->addWidget(fraCycle, 0, 1);

    fraWeekDays = new QGroupBox(QStringLiteral("Weekdays Included as Regular School Days"), page);
    auto* weekdays = new QGridLayout(fraWeekDays);
    for (int d = 1; d <= 7; ++d) {
        chkWeekdays[d] = new QCheckBox(Globals().DayNames[d], fraWeekDays);
        weekdays->addWidget(chkWeekdays[d], (d - 1) / 4, (d - 1) % 4);
    }
    layout->addWidget(fraWeekDays, 1, 0, 1, 2);

    fraNames = new QGroupBox(QStringLiteral("Teacher Name(s) and Scheduled Work Days"), page);
    auto* names = new QGridLayout(fraNames);
    names->setHorizontalSpacing(8);
    for (int t = 1; t <= 2; ++t) {
        lblName[t] = MakeLabel(fraNames, QStringLiteral("Name %1:").arg(t));
        txtTeacherName[t] = new QLineEdit(fraNames);
        txtTeacherName[t]->setMaxLength(255);
        txtTeacherName[t]->setMinimumWidth(PxX(1500));
        txtTeacherName[t]->setAutoFillBackground(true);
        names->addWidget(lblName[t], t, 0);
        names->addWidget(txtTeacherName[t], t, 1);
        // Seven weekday boxes take the room of the row: packed closer than the grid's spacing, so
        // that they stay clear of the name box. The two teachers' boxes share their captions and
        // so line up.
        auto* days = new QHBoxLayout();
        days->setSpacing(4);
        auto& boxes = t == 1 ? chkDays1 : chkDays2;
        for (int d = 1; d <= 7; ++d) {
            boxes[d] = new QCheckBox(fraNames);
            days->addWidget(boxes[d]);
        }
        names->addLayout(days, t, 2);
    }
    names->setColumnStretch(1, 1);
    layout->addWidget(fraNames, 2, 0, 1, 2);

    fraUserInfo = new QGroupBox(QStringLiteral("Information"), page);
    auto* info = new QVBoxLayout(fraUserInfo);
    lblUser = MakeLabel(
        fraUserInfo,
        QStringLiteral(
            "Note:  The TimeTable structure is determined by 2 of the above Options. The '6 Day Cycle' "
            "setting always creates a 6 column TimeTable with Headings 1 to 6. The 'Weekday Cycle' setting "
            "creates a TmeTable with Headings based on the settings in the 'Weekdays Inlcuded as Regular "
            "School Days' Option. If you return here after making changes to the TimeTable and then "
            "change the above settings, the TimeTable will be Reset to its original settings when you "
            "click the 'Next' button. This will cause the TimeTable changes to be removed."),
        true);
    info->addWidget(lblUser);
    layout->addWidget(fraUserInfo, 3, 0, 1, 2);
    layout->setRowStretch(4, 1);
}

void frmSetup::buildSchoolYearStep() {
    QWidget* page = fraSetup[3];
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 0, 6, 0);
    SSTabSetup = new QTabWidget(page);
    layout->addWidget(SSTabSetup);

    auto information = [](QWidget* tab, QLabel*& label, const QString& text) {
        auto* frame = new QGroupBox(QStringLiteral("Information"), tab);
        auto* box = new QVBoxLayout(frame);
        label = MakeLabel(frame, text, true);
        box->addWidget(label);
        return frame;
    };

    // Terms.
    auto* termsTab = new QWidget(SSTabSetup);
    auto* termsLayout = new QVBoxLayout(termsTab);
    fraTerms[0] = new QGroupBox(QStringLiteral("Start and End Dates for each Term"), termsTab);
    auto* terms = new QGridLayout(fraTerms[0]);
    terms->setHorizontalSpacing(10);
    const QStringList titles{QStringLiteral("First Term"), QStringLiteral("Second Term"),
                             QStringLiteral("Third Term"), QStringLiteral("Fourth Term")};
    for (int t = 1; t <= 4; ++t) {
        lblTerm[7 + t] = Heading(fraTerms[0], titles[t - 1]);
        lblTerm[2 * t - 2] = MakeLabel(fraTerms[0], QStringLiteral("Start:"));
        lblTerm[2 * t - 1] = MakeLabel(fraTerms[0], QStringLiteral("End:"));
        dtpTermStart[t] = new DatePicker(fraTerms[0]);
        dtpTermEnd[t] = new DatePicker(fraTerms[0]);
        terms->addWidget(lblTerm[7 + t], t, 0);
        terms->addWidget(lblTerm[2 * t - 2], t, 1, Qt::AlignRight);
        terms->addWidget(dtpTermStart[t], t, 2);
        terms->addWidget(lblTerm[2 * t - 1], t, 3, Qt::AlignRight);
        terms->addWidget(dtpTermEnd[t], t, 4);
    }
    terms->setColumnStretch(2, 1);
    terms->setColumnStretch(4, 1);
    termsLayout->addWidget(fraTerms[0]);
    fraTerms[1] = information(
        termsTab, lblTermsInfo,
        QStringLiteral(
            "Select the Start and End Dates for each Term required by clicking the drop arrow to display a "
            "mini Calendar. A check indicates the Date will be used, while an unchecked Date is not used. "
            "Use the Terms sequentially, leaving unused Terms at the end."));
    termsLayout->addWidget(fraTerms[1]);
    termsLayout->addStretch(1);
    SSTabSetup->addTab(termsTab, QStringLiteral("School Terms"));

    // Holidays (1..10) and in-service days (11..20) share one design.
    auto datesTab = [&](int first, std::array<QGroupBox*, 2>& frames, const QString& caption,
                        QCheckBox*& ignore, const QString& ignoreText, QLabel*& info, const QString& infoText,
                        const QString& tabName) {
        auto* tab = new QWidget(SSTabSetup);
        auto* tabLayout = new QVBoxLayout(tab);
        frames[0] = new QGroupBox(caption, tab);
        auto* grid = new QGridLayout(frames[0]);
        grid->setHorizontalSpacing(10);
        for (int i = first; i < first + 10; ++i) {
            const int k = i - first;
            lblHolidayName[i] = MakeLabel(frames[0], QString());
            dtpHolidays[i] = new DatePicker(frames[0]);
            grid->addWidget(lblHolidayName[i], k % 5, (k / 5) * 2);
            grid->addWidget(dtpHolidays[i], k % 5, (k / 5) * 2 + 1);
        }
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(3, 1);
        ignore = new QCheckBox(ignoreText, frames[0]);
        grid->addWidget(ignore, 5, 0, 1, 4);
        tabLayout->addWidget(frames[0]);
        frames[1] = information(tab, info, infoText);
        tabLayout->addWidget(frames[1]);
        tabLayout->addStretch(1);
        SSTabSetup->addTab(tab, tabName);
    };
    datesTab(1, fraHolidays, QStringLiteral("Holidays NOT counted as School Days"), chkIgnoreHolidays,
             QStringLiteral("Ignore Holiday Error Message if No Dates are Selected"), lblHolidayInfo,
             QStringLiteral(
                 "The above dates must fall with-in the School Term dates. If the holiday description is "
                 "not appropriate for your location just ignore it for now and select the dates. The "
                 "description may be edited after Setup is comlete. The date is the most important part "
                 "since the description is mainly for reference and not needed during Setup."),
             QStringLiteral("Holidays"));
    datesTab(11, fraInservices, QStringLiteral("Inservice Dates when School is Closed"), chkIgnoreInservices,
             QStringLiteral("Ignore Inservice Error Message if No Dates are Selected"), lblInserviceInfo,
             QStringLiteral(
                 "The above dates must fall with-in the School Term dates. Only Inservice Dates when school "
                 "is closed should be included. They are similar to Holidays in that the date will not be "
                 "scheduled as a regular School Day. This is especially important if your use the 6 Day "
                 "School Cycle since the date must not be included in the scheduling."),
             QStringLiteral("Inservices"));
}

void frmSetup::buildTimeTableStep() {
    fraTimeTable = new QGroupBox(QStringLiteral("TimeTable"), fraSetup[4]);
    const double width = kMainWidth - 72 - 120;
    Place(fraTimeTable, 60, 0, width, kGridTop + 13 * kCellHeight + 600);
    for (int c = 0; c < 8; ++c) {
        txtHeader[c] = new QLineEdit(fraTimeTable);
        txtHeader[c]->setReadOnly(true);
        txtHeader[c]->setAlignment(Qt::AlignCenter);
        txtHeader[c]->setFocusPolicy(Qt::NoFocus);
        QFont font = txtHeader[c]->font();
        font.setBold(true);
        txtHeader[c]->setFont(font);
        txtHeader[c]->setAutoFillBackground(true);
        SetBackColor(txtHeader[c], ColorFromBgr(Globals().DefaultColourBack[1]));
    }
    Place(txtHeader[0], kTimeLeft, kGridTop, kTimeWidth, kCellHeight);
    for (int c = 1; c < 8; ++c) {
        Place(txtHeader[c], GridColumnLeft(c, CLng(kDesignGridLeft), CLng(kDesignColumnWidth)), kGridTop,
              kDesignColumnWidth, kCellHeight);
    }
    for (int r = 0; r < 12; ++r) {
        const double top = kGridTop + (r + 1) * kCellHeight;
        lblPeriod[r] = MakeLabel(fraTimeTable, r < 6 ? QStringLiteral("AM") : QStringLiteral("PM"));
        lblPeriod[r]->setAlignment(Qt::AlignCenter);
        Place(lblPeriod[r], 120, top, 420, kCellHeight);
        for (int c = 0; c < 8; ++c) {
            QLineEdit* cell = new QLineEdit(fraTimeTable);
            cell->setMaxLength(50);
            cell->setAutoFillBackground(true);
            cell->setMouseTracking(true);
            cell->installEventFilter(this);
            txtRow[r * 8 + c] = cell;
            if (c == 0) {
                Place(cell, kTimeLeft, top, kTimeWidth, kCellHeight);
            } else {
                Place(cell, GridColumnLeft(c, CLng(kDesignGridLeft), CLng(kDesignColumnWidth)), top,
                      kDesignColumnWidth, kCellHeight);
            }
        }
    }
    // The tab order follows the cell index: row by row, left to right.
    for (int i = 1; i < 96; ++i) {
        QWidget::setTabOrder(txtRow[i - 1], txtRow[i]);
    }
    chkIgnoreTimeTable = new QCheckBox(QStringLiteral("Ignore an Empty TimeTable"), fraTimeTable);
    Place(chkIgnoreTimeTable, kTimeLeft, kGridTop + 13 * kCellHeight + 150, 4000, 330);
}

void frmSetup::buildReviewStep() {
    FraReview = new QGroupBox(
        QStringLiteral("Review:    Be sure of your Selections before clicking Finish Setup"), fraSetup[5]);
    const double width = kMainWidth - 72 - 120;
    Place(FraReview, 60, 0, width, 6200);
    // Two columns; the dates, which need the room, on the right.
    const double inner = width - 240;
    const double left = 120;
    const double leftWidth = 3900;
    const double right = left + leftWidth + 150;
    const double rightWidth = inner - leftWidth - 150;
    auto caption = [this](const QString& text, double x, double top, double w) {
        QLabel* label = Heading(FraReview, text);
        Place(label, x, top, w, 270);
        return label;
    };
    caption(QStringLiteral("User Information"), left, 300, leftWidth);
    lvwUser = ReportList(FraReview, {QStringLiteral("Setting"), QStringLiteral("Choice")});
    Place(lvwUser, left, 570, leftWidth, 1560);
    caption(QStringLiteral("School Year Terms"), right, 300, rightWidth);
    lvwTerms =
        ReportList(FraReview, {QStringLiteral("Term"), QStringLiteral("Start"), QStringLiteral("End")});
    Place(lvwTerms, right, 570, rightWidth, 1560);
    lvwTerms->setColumnWidth(0, PxX(600));
    caption(QStringLiteral("School Weekdays"), left, 2250, inner);
    lvwWeekdays = ReportList(FraReview, {QStringLiteral("Days")});
    lvwWeekdays->setHeaderHidden(true);
    lvwWeekdays->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Place(lvwWeekdays, left, 2520, inner, 420);
    lblReviewModeTitle = Heading(FraReview, QStringLiteral("Setup Mode Information"));
    Place(lblReviewModeTitle, left, 3090, leftWidth, 270);
    lblReviewModeInfo = MakeLabel(FraReview, QString(), true);
    lblReviewModeInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(lblReviewModeInfo, left, 3390, leftWidth, 1900);
    caption(QStringLiteral("Holidays and In-services"), right, 3090, rightWidth);
    lvwHolidays = ReportList(FraReview, {QStringLiteral("Day"), QStringLiteral("Date")});
    Place(lvwHolidays, right, 3360, rightWidth, 2000);
    lblReviewMsg = Heading(FraReview, QString());
    lblReviewMsg->setAlignment(Qt::AlignCenter);
    SetForeColor(lblReviewMsg, ColorFromBgr(Globals().DefaultColourFore[3]));
    Place(lblReviewMsg, left, 5500, inner, 400);
}

void frmSetup::handle(QObject* control, std::function<void()> handler) {
    m_handlers.insert(control, std::move(handler));
    auto run = [this, control] { runHandler(control); };
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        connect(button, &QAbstractButton::clicked, this, run);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        connect(edit, &QLineEdit::textEdited, this, run);
    } else if (auto* picker = qobject_cast<DatePicker*>(control)) {
        connect(picker, &DatePicker::Changed, this, run);
    }
}

void frmSetup::runHandler(QObject* control) {
    const auto found = m_handlers.constFind(control);
    if (found != m_handlers.constEnd()) {
        found.value()();
    }
}

void frmSetup::setOption(QRadioButton* option) {
    option->setChecked(true);
    runHandler(option); // also when it was already chosen
}

void frmSetup::setCheck(QCheckBox* box, int value) {
    box->setChecked(value != 0);
    runHandler(box);
}

void frmSetup::setText(QLineEdit* box, const QString& text) {
    box->setText(text);
    runHandler(box);
}

void frmSetup::setPicker(DatePicker* picker, const QDate& shown, bool checked) {
    picker->setValue(shown, checked);
    runHandler(picker);
}

void frmSetup::connectControls() {
    connect(cmdNext, &QPushButton::clicked, this, &frmSetup::cmdNext_Click);
    connect(cmdBack, &QPushButton::clicked, this, &frmSetup::cmdBack_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmSetup::cmdReset_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSetup::cmdCancel_Click);
    OnEscape(this, [this] { cmdCancel->click(); });
    connect(cmdHelp, &QPushButton::clicked, this, &frmSetup::cmdHelp_Click);
    connect(cmdDailyPlannerHelp, &QPushButton::clicked, this, &frmSetup::cmdDailyPlannerHelp_Click);
    connect(SSTabSetup, &QTabWidget::currentChanged, this, &frmSetup::SSTabSetup_Click);

    for (int k = 0; k < 3; ++k) {
        handle(optSetupMode[k], [this, k] { optSetupMode_Click(k); });
    }
    for (int k = 0; k < 2; ++k) {
        handle(optPreserveMode[k], [this, k] { optPreserveMode_Click(k); });
        handle(optCycle[k], [this, k] { optCycle_Click(k); });
    }
    for (int n = 1; n <= 2; ++n) {
        handle(optTeacherNum[n], [this, n] { optTeacherNum_Click(n); });
        handle(txtTeacherName[n], [this, n] { txtTeacherName_Change(n); });
    }
    for (int d = 1; d <= 7; ++d) {
        handle(chkWeekdays[d], [this, d] { chkWeekdays_Click(d); });
        handle(chkDays1[d], [this, d] { chkDays1_Click(d); });
        handle(chkDays2[d], [this, d] { chkDays2_Click(d); });
    }
    for (int t = 1; t <= 4; ++t) {
        handle(dtpTermStart[t], [this, t] { dtpTermStart_Change(t); });
        handle(dtpTermEnd[t], [this, t] { dtpTermEnd_Change(t); });
    }
    for (int i = 1; i <= 20; ++i) {
        handle(dtpHolidays[i], [this, i] { dtpHolidays_Change(i); });
    }
    handle(chkIgnoreHolidays, [this] { chkIgnoreHolidays_Click(); });
    handle(chkIgnoreInservices, [this] { chkIgnoreInservices_Click(); });
    handle(chkIgnoreTimeTable, [this] { chkIgnoreTimeTable_Click(); });
    for (int i = 0; i < 96; ++i) {
        handle(txtRow[i], [this, i] { txtRow_Change(i); });
    }
}

// The shell.

void frmSetup::Form_Load() {
    m_unloaded = false;
    ProgramState& g = Globals();
    // 1. At the top of the screen, centred.
    const QRect screen = (MainFrame::IsLoaded() ? MainFrame::Get().screen() : QWidget::screen())->geometry();
    move(screen.left() + (screen.width() - width()) / 2, screen.top());
    // 2.-3.
    setWindowTitle(g.AppTitle + QStringLiteral(" - Setup  "));
    Loading = true;
    // 4.-5.
    BuildStepTree();
    LayoutStepFrames();
    GridLeft = CLng(TwLeft(txtRow[1]));
    GridColWidth = CLng(TwWidth(txtRow[1]));
    // 6. Step 1 last: its mode may lock steps 2 and 3 and reload them.
    LoadUserStep();
    LoadSchoolYearStep();
    LoadTimeTableGrid();
    LoadModeStep();
    // 7. The school year the preserve range must lie in.
    lblPreserveDates[2]->clear();
    lblPreserveDates[3]->clear();
    if (g.SetupComplete == 1) {
        lblPreserveDates[2]->setText(FormatDate(dtpTermStart[1]->ShownDate(), g.MonthDateFormat));
        for (int t = 1; t <= 4; ++t) {
            if (dtpTermEnd[t]->HasDate()) {
                lblPreserveDates[3]->setText(FormatDate(dtpTermEnd[t]->Value(), g.MonthDateFormat));
            }
        }
    }
    m_rangeTo->setVisible(!lblPreserveDates[3]->text().isEmpty());
    // 8. Steps 2 to 4 are checked without a word.
    ValidateUserStep();
    ValidateSchoolYearStep();
    ValidateTimeTable();
    // 9.
    SSTabSetup->setCurrentIndex(0);
    SSTabSetup_Click(0);
    TreeView->setEnabled(false);
    // 10.-12.
    Loading = false;
    DetectUserChanges();
    DetectSchoolYearChanges();
    UpdateTimeTableStatus();
    SelectStep(1);
    ShowCurrentStep();
    cmdNext->setFocus(); // the way on, rather than Help, the first button in the Tab order
    // The main window closing takes the wizard with it, without a question.
    RegisterOpenWindow(QStringLiteral("frmSetup"), [] { frmSetup::Unload(); });
}

void frmSetup::Form_Activate() {
    EnableMainUI(false);
    if (frmSchedule* page = frmSchedule::IfLoaded()) {
        if (QWidget* child = page->parentWidget()) {
            child->hide();
        }
        page->fraCalendar->hide();
        page->fraNotes->hide();
        page->fraTimeTable->hide();
    }
}

void frmSetup::Form_Unload() {
    m_unloaded = true;
    ForgetOpenWindow(QStringLiteral("frmSetup"));
    hide();
    if (!MainFrame::IsLoaded() || !Globals().StartupDone || !frmSchedule::IsLoaded()) {
        EnableMainUI(true); // the main window is going too: one opened later is not held
        return;
    }
    // The main window is given back, and the page with its panels as their flags say.
    frmSchedule& page = frmSchedule::Get();
    if (QWidget* child = page.parentWidget()) {
        child->show();
    }
    page.show();
    EnableMainUI(true);
    EnableDataCommands();
    ShowCalendarFrame(page); // and the notes beside it
    ShowTimeTableFrame(page);
    FocusAfterClosing(this); // not the first arrow the page shows, nor under an open window
}

void frmSetup::RequestClose() {
    const ProgramState& g = Globals();
    if (g.SetupComplete != 1) {
        const int answer = ShowMessage(SetupIncompleteMessage(), MsgOKCancel, MsgWarning,
                                       g.AppTitle + QStringLiteral(" - Setup Incomplete"), 110);
        if (answer == MsgAnswerOK) {
            return; // the teacher goes on with the set-up
        }
    }
    frmSetup::Unload();
}

void frmSetup::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!m_unloaded) {
        RequestClose();
    }
}

bool frmSetup::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && isVisible()) {
        Form_Activate();
    }
    return QWidget::event(event);
}

bool frmSetup::eventFilter(QObject* watched, QEvent* event) {
    if (auto* cell = qobject_cast<QLineEdit*>(watched)) {
        const auto found = std::find(txtRow.begin(), txtRow.end(), cell);
        if (found != txtRow.end()) {
            const int index = static_cast<int>(found - txtRow.begin());
            if (event->type() == QEvent::KeyPress) {
                const int key = static_cast<QKeyEvent*>(event)->key();
                const int code = key == Qt::Key_Return || key == Qt::Key_Enter ? 13
                                 : key == Qt::Key_Down                         ? 40
                                 : key == Qt::Key_Up                           ? 38
                                                                               : 0;
                if (code != 0) {
                    txtRow_KeyDown(index, code);
                    return true; // Enter never reaches a button
                }
            } else if (event->type() == QEvent::MouseMove) {
                txtRow_MouseMove(index);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmSetup::EnableMainUI(bool enable) {
    // The wizard holds the main window, its menus, their keys and the tool bar, while it is open.
    HoldMainWindow(QStringLiteral("frmSetup"), !enable);
}

void frmSetup::BuildStepTree() {
    TreeView->clear();
    const int pictures[] = {0, 1, 7, 7, 7, 5};
    for (int i = 1; i <= 5; ++i) {
        auto* node = new QTreeWidgetItem(TreeView, QStringList{kStepNames[i]});
        node->setData(0, kPictureRole, pictures[i]);
        node->setIcon(0, NodeIcon(*this, pictures[i]));
    }
}

void frmSetup::LayoutStepFrames() {
    // The content frames lie on top of each other in the main frame, below the title.
    const double top = TwTop(lblSetUpTitle) + 1.2 * TwHeight(lblSetUpTitle);
    for (int i = 1; i <= 5; ++i) {
        TwMove(fraSetup[i], 36, top, TwWidth(fraSetupMain) - 72, TwHeight(fraSetupMain) - top - 36);
        fraSteps[i]->setTitle(kStepNames[i] + QStringLiteral(" Guide"));
        TwMove(fraSteps[i], TwLeft(TreeView), TwTop(fraSteps[1]), TwWidth(fraSteps[1]),
               TwHeight(fraSteps[1]));
    }
    lblModeInfo[4]->setEnabled(false);
    lblPreserveDates[2]->setEnabled(false);
    lblPreserveDates[3]->setEnabled(false);
}

void frmSetup::SelectStep(int step) {
    if (QTreeWidgetItem* node = TreeView->topLevelItem(step - 1)) {
        TreeView->setCurrentItem(node);
    }
}

void frmSetup::ShowCurrentStep() {
    // 1.
    CurrentStep = qBound(1, TreeView->indexOfTopLevelItem(TreeView->currentItem()) + 1, 5);
    const QString node = kStepNames[CurrentStep];
    // 2.
    cmdReset->setText(CurrentStep == 1 ? QStringLiteral("Reset All Options")
                                       : QStringLiteral("Reset ") + node);
    cmdBack->setEnabled(CurrentStep > 1);
    cmdReset->setVisible(CurrentStep != 5);
    // 3.
    QString title = node;
    switch (CurrentStep) {
    case 2:
    case 3: {
        const bool open = CurrentStep == 2 ? fraUserInfo->isEnabled() : fraTerms[0]->isEnabled();
        if (open) {
            cmdReset->setEnabled(CurrentStep == 2 ? UserChanged : DatesChanged);
        } else {
            title += QStringLiteral(" - Restricted Access");
            cmdReset->setEnabled(false);
        }
        break;
    }
    case 4:
        cmdReset->setEnabled(TimeTableChanged);
        break;
    default:
        cmdReset->setEnabled(true);
        break;
    }
    lblSetUpTitle->setText(title);
    // 4.
    for (int i = 1; i <= 5; ++i) {
        fraSetup[i]->hide();
        fraSteps[i]->hide();
    }
    fraSetup[CurrentStep]->show();
    fraSteps[CurrentStep]->show();
    // 5.
    imgSetupTitle[0]->setPixmap(Picture(*this, CurrentStep, 32));
}

int frmSetup::NodePicture(int step) const {
    const QTreeWidgetItem* node = TreeView->topLevelItem(step - 1);
    return node ? node->data(0, kPictureRole).toInt() : 0;
}

void frmSetup::setNodePicture(int step, int picture) {
    if (QTreeWidgetItem* node = TreeView->topLevelItem(step - 1); node && NodePicture(step) != picture) {
        node->setData(0, kPictureRole, picture);
        node->setIcon(0, NodeIcon(*this, picture));
    }
}

void frmSetup::applyStepStatus(int step, bool changed) {
    if (Loading) {
        return;
    }
    setNodePicture(step, changed ? 8 : (StepOK[step] ? 6 : 7));
    cmdReset->setEnabled(!(CurrentStep == step && !changed));
}

void frmSetup::cmdNext_Click() {
    if (CurrentStep == 5) {
        if (cmdNext->text() == QLatin1String("Finish Setup")) {
            FinishSetupClicked();
        }
        return;
    }
    switch (CurrentStep) {
    case 1:
        ValidateModeStep();
        break;
    case 2:
        ValidateUserStep();
        break;
    case 3:
        ValidateSchoolYearStep();
        break;
    default:
        ValidateTimeTable();
        break;
    }
    if (StepOK[CurrentStep]) {
        if (CurrentStep == 4) {
            BuildReviewPage();
            cmdNext->setText(QStringLiteral("Finish Setup"));
        }
        SelectStep(CurrentStep + 1);
    } else {
        SelectStep(CurrentStep);
    }
    ShowCurrentStep();
}

void frmSetup::cmdBack_Click() {
    if (CurrentStep > 1) {
        SelectStep(CurrentStep - 1);
        ShowCurrentStep();
    }
    cmdNext->setText(QStringLiteral("Next"));
}

void frmSetup::cmdReset_Click() {
    Rebuilding = true;
    switch (CurrentStep) {
    case 1:
        LoadUserStep();
        ValidateUserStep();
        LoadSchoolYearStep();
        ValidateSchoolYearStep();
        LoadTimeTableGrid();
        ValidateTimeTable();
        LoadModeStep();
        break;
    case 2:
        LoadUserStep();
        ValidateUserStep();
        break;
    case 3:
        LoadSchoolYearStep();
        ValidateSchoolYearStep();
        break;
    case 4:
        LoadTimeTableGrid();
        ValidateTimeTable();
        break;
    default:
        break;
    }
    Rebuilding = false;
}

void frmSetup::cmdCancel_Click() {
    RequestClose();
}

void frmSetup::cmdHelp_Click() {
    HtmlHelp(this, Globals().HelpFile, HH_HELP_CONTEXT, kHelpContexts[qBound(1, CurrentStep, 5)]);
}

void frmSetup::cmdDailyPlannerHelp_Click() {
    HtmlHelp(this, Globals().HelpFile, HH_HELP_CONTEXT, 160);
}

void frmSetup::SSTabSetup_Click(int tab) {
    // The guide follows the tab shown.
    static const QString first[] = {
        QStringLiteral(
            "Terms must selected sequentially without any over-lapping dates. These dates must NOT include "
            "breaks such as the Winter Holiday, Spring Break or Summer Holidays."),
        QStringLiteral(
            "These are the days when school is normally closed for a Holiday. They will NOT be included as "
            "a regularly scheduled School Day."),
        QStringLiteral(
            "These are the days when school is closed for an inservice. They will NOT be included as a "
            "regularly scheduled School Day.")};
    static const QString second[] = {QStringLiteral("Also Select the Holidays and Inservices Tabs"),
                                     QStringLiteral("Also Select the School Terms and Inservices Tabs"),
                                     QStringLiteral("Also Select the School Terms and Holidays Tabs")};
    const int t = qBound(0, tab, 2);
    const QGroupBox* frames[] = {fraTerms[0], fraHolidays[0], fraInservices[0]};
    lblStepsSchoolYear[0]->setText(frames[t]->title());
    lblStepsSchoolYear[1]->setText(first[t]);
    lblStepsSchoolYear[2]->setText(second[t]);
}

// Finish.

SetupValues frmSetup::CollectSetupValues() const {
    SetupValues values;
    SaveModeSettings(values);
    SaveUserSettings(values);
    SaveTimeTableSettings(values);
    SaveSchoolYearSettings(values);
    values.TermCount = TermCount;
    return values;
}

bool frmSetup::WriteDayTable(const SetupValues& values, bool* settingsSaved, QString* keptCopy) {
    // The wizard steps aside while the book is written; a Finish that fails brings it back.
    hide();
    const QString title = Globals().AppTitle;
    return FinishSetup(
        values,
        [&title](RebuildStage stage) {
            switch (stage) {
            case RebuildStage::Writing:
                ShowPackMsg(title + QStringLiteral(" - Writing DataBase"),
                            QStringLiteral("Writing DataBase... One Moment Please."));
                break;
            case RebuildStage::Updating:
                ShowPackMsg(title + QStringLiteral(" - Updating DataBase"),
                            QStringLiteral("Updating DataBase... One Moment Please."));
                break;
            case RebuildStage::Failed:
                ClosePackMsg();
                break;
            }
        },
        settingsSaved, keptCopy);
}

void frmSetup::FinishSetupClicked() {
    ProgramState& g = Globals();
    const SetupValues values = CollectSetupValues();
    bool settingsSaved = true;
    QString keptCopy;
    if (!WriteDayTable(values, &settingsSaved, &keptCopy)) {
        // Nothing has changed: the wizard is back as it was, to put right and finish again.
        ClosePackMsg();
        show();
        raise();
        activateWindow();
        Form_Activate();
        return;
    }
    // The day page opens on the new year.
    MainFrame& main = MainFrame::Get();
    frmSchedule& page = frmSchedule::Get();
    RequeryDayTable();
    page.datLumenleaf.RefreshBoundControls();
    LoadTeacherSettings();
    GoToDate(Clock::Today());
    UpdateTeacherInfo(main);
    LoadDayTeacherStyle(page);
    ApplyDayStyle(page);
    BuildTimeTableGrid(page);
    EnableDataCommands();
    ClearUndo();
    DisableEditCommands();
    g.SetupComplete = 1;
    ClosePackMsg();
    // Settings that could not be saved have had their own message; all did not go well.
    if (settingsSaved) {
        ShowMessage(SetupSuccessMessage(keptCopy), MsgOK, MsgInformation,
                    g.AppTitle + QStringLiteral(" - Successfull Setup"), 0);
    }
    frmSetup::Unload();
}
