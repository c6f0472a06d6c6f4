#include "frmOptions.h"

#include "OptionControls.h"

#include "core/ColourSchemes.h"
#include "core/MenuIni.h"
#include "core/Message.h"
#include "core/RunAtStartup.h"
#include "core/SchoolYearStatistics.h"
#include "core/TeacherSettings.h"
#include "daypage/DayPageWidgets.h"
#include "daypage/DayStyle.h"
#include "daypage/Panels.h"
#include "daypage/TimeTableGrid.h"
#include "daypage/frmSchedule.h"
#include "files/PackConfig.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Rounding.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "ui/MainFrame.h"
#include "ui/MainWindowState.h"
#include "ui/OpenWindows.h"
#include "widgets/Captions.h"
#include "widgets/Colours.h"
#include "widgets/Help.h"
#include "widgets/TopLevelWindows.h"
#include "widgets/TwipsGeometry.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QString kFormName = QStringLiteral("frmOptions");
constexpr int kHelpContext = 290;
constexpr BgrColour kButtonFace = static_cast<BgrColour>(0x8000000F);
constexpr BgrColour kWindowBackground = static_cast<BgrColour>(0x80000005);

// What tests put in place of the dialogs and of the calls that reach outside the program.
std::function<QColor(const QColor&)> g_colourAnswer;
std::function<FontChoice(const FontChoice&)> g_fontAnswer;
std::function<void()> g_addRunAtStartup;
std::function<void()> g_removeRunAtStartup;
std::function<void()> g_showPackConfig;
std::function<bool()> g_makeFirstPack;

void Paint(QWidget* label, BgrColour back) {
    SetBackColor(label, ColorFromBgr(back));
}

void Paint(QWidget* label, BgrColour back, BgrColour fore) {
    SetBackColor(label, ColorFromBgr(back));
    SetForeColor(label, ColorFromBgr(fore));
}

QLabel* MakeBox(QWidget* parent, double left, double top, double width, double height) {
    auto* label = new QLabel(parent);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignCenter);
    TwMove(label, left, top, width, height);
    return label;
}

FontChoice RunFontDialog(QWidget* owner, const FontChoice& given) {
    bool ok = false;
    const QFont initial = MakeFont(given.name, qMax(1, CLng(given.size)), given.bold, given.italic);
    const QFont chosen = QFontDialog::getFont(&ok, initial, owner);
    if (!ok) {
        return given;
    }
    return {chosen.family(), chosen.pointSizeF(), chosen.bold(), chosen.italic()};
}
} // namespace

PreviewLabel::PreviewLabel(int index, QWidget* parent) : QLabel(parent), m_index(index) {
    setAutoFillBackground(true);
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
}

void PreviewLabel::mousePressEvent(QMouseEvent* event) {
    event->accept(); // the release then comes here
}

void PreviewLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) {
        Q_EMIT MouseUp(m_index, event->button());
    }
}

frmOptions::frmOptions() : QDialog(MainFrame::IfLoaded()) {
    setObjectName(kFormName);
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    SSTabOptions = new QTabWidget(this);
    SSTabOptions->addTab(buildSettingsTab(), QStringLiteral("Settings"));
    SSTabOptions->addTab(buildColoursTab(), QStringLiteral("Colours and Fonts"));
    SSTabOptions->addTab(buildMenuStylesTab(), QStringLiteral("Menu Styles"));
    SSTabOptions->addTab(buildHolidayLabelsTab(), QStringLiteral("Holiday/Inservice Labels"));
    SSTabOptions->addTab(buildStatisticsTab(), QStringLiteral("Statistics"));
    outer->addWidget(SSTabOptions);
    connect(SSTabOptions, &QTabWidget::currentChanged, this, [this](int tab) {
        const int previous = m_shownTab;
        m_shownTab = tab;
        SSTabOptions_Click(previous);
    });

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdApply = new QPushButton(QStringLiteral("Apply"), this);
    cmdHelp = new QPushButton(QStringLiteral("Help"), this);
    for (QPushButton* button : {cmdOK, cmdCancel, cmdApply, cmdHelp}) {
        button->setMinimumWidth(PxX(1200));
        buttons->addWidget(button);
    }
    cmdOK->setDefault(true);
    outer->addLayout(buttons);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmOptions::cmdHelp_Click);
}

frmOptions::~frmOptions() = default;

// The tabs.

QWidget* frmOptions::buildSettingsTab() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);

    Frame9 = new QGroupBox(QStringLiteral("Binder Style"), page);
    auto* binder = new QVBoxLayout(Frame9);
    const char* const binderCaptions[] = {"", "Coils", "Rings", "Black Coils", "None"};
    for (int i = 1; i <= 4; ++i) {
        optBinderStyle[i] = new QRadioButton(QString::fromLatin1(binderCaptions[i]), Frame9);
        binder->addWidget(optBinderStyle[i]);
        connect(optBinderStyle[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                optBinderStyle_Click(i);
            }
        });
    }

    auto positionBox = [this, page](const QString& title, std::array<QRadioButton*, 2>& options,
                                    const char* first, const char* second, void (frmOptions::*handler)(int)) {
        auto* frame = new QGroupBox(title, page);
        auto* column = new QVBoxLayout(frame);
        const std::array<QString, 2> captions{QString::fromLatin1(first), QString::fromLatin1(second)};
        for (int i = 0; i < 2; ++i) {
            options[i] = new QRadioButton(captions[i], frame);
            column->addWidget(options[i]);
            connect(options[i], &QRadioButton::toggled, this, [this, i, handler](bool on) {
                if (on) {
                    (this->*handler)(i);
                }
            });
        }
        return frame;
    };
    Frame1 = positionBox(QStringLiteral("Calendar Position"), optCalendarPosition, "Lower Left",
                         "Lower Right", &frmOptions::optCalendarPosition_Click);
    Frame6 = positionBox(QStringLiteral("Notes Position"), optNotesPosition, "Beside Calendar",
                         "Opposite Calendar", &frmOptions::optNotesPosition_Click);

    // The schematic of the page, placed in twips inside its frame.
    Frame8 = new QGroupBox(QStringLiteral("Preview"), page);
    Frame8->setFixedSize(PxX(2820), PxY(2420));
    lblTop = MakeBox(Frame8, 288, 360, 2244, 228);
    QFont small = lblTop->font();
    small.setPointSize(6);
    lblTop->setFont(small);
    for (int i = 0; i < 4; ++i) {
        lblRowThin[i] = MakeBox(Frame8, 288, 576 + 396 * i, 2244, 156);
        lblRowTall[i] = MakeBox(Frame8, 288, 720 + 396 * i, 2244, 264);
    }
    lblCalendarBox[0] = MakeBox(Frame8, 2052, 1764, 480, 192);
    lblCalendarBox[1] = MakeBox(Frame8, 2052, 1944, 480, 228);
    lblNotesBox[0] = MakeBox(Frame8, 1584, 1764, 480, 192);
    lblNotesBox[0]->setText(QStringLiteral("Notes"));
    lblNotesBox[1] = MakeBox(Frame8, 1584, 1944, 480, 228);
    for (QLabel* title : {lblCalendarBox[0], lblNotesBox[0]}) {
        title->setFont(small);
    }
    // The binder runs down the page's left edge, in two pieces as on the page.
    for (int i = 0; i < 2; ++i) {
        imgBinderStyle[i] = new PictureBox(Frame8);
        TwMove(imgBinderStyle[i], 48, 360 + 906 * i, 228, 906);
    }

    Frame5 = new QGroupBox(QStringLiteral("General Settings"), page);
    auto* general = new QGridLayout(Frame5);
    chkRunStartup = new QCheckBox(QStringLiteral("Run at Startup"), Frame5);
    chkShowSplash = new QCheckBox(QStringLiteral("Show Splash Screen"), Frame5);
    chkPackRun = new QCheckBox(QStringLiteral("Use Pack To Go"), Frame5);
    cmdPackConfig = new QPushButton(QStringLiteral("Configure..."), Frame5);
    general->addWidget(chkRunStartup, 0, 0, 1, 2);
    general->addWidget(chkShowSplash, 1, 0, 1, 2);
    general->addWidget(chkPackRun, 2, 0);
    general->addWidget(cmdPackConfig, 2, 1);
    general->setColumnStretch(2, 1);
    connect(chkRunStartup, &QCheckBox::toggled, this, &frmOptions::chkRunStartup_Click);
    connect(chkShowSplash, &QCheckBox::toggled, this, &frmOptions::chkShowSplash_Click);
    connect(chkPackRun, &QCheckBox::toggled, this, &frmOptions::chkPackRun_Click);
    connect(cmdPackConfig, &QPushButton::clicked, this, &frmOptions::cmdPackConfig_Click);

    Frame10 = new QGroupBox(QStringLiteral("Information Only"), page);
    auto* information = new QHBoxLayout(Frame10);
    information->addWidget(new QLabel(QStringLiteral("Current Teacher:"), Frame10));
    lblTeacher = new QLabel(Frame10);
    lblTeacher->setTextFormat(Qt::PlainText);
    information->addWidget(lblTeacher, 1);

    auto* left = new QVBoxLayout();
    left->addWidget(Frame9);
    left->addWidget(Frame1);
    left->addWidget(Frame6);
    left->addStretch(1);
    auto* right = new QVBoxLayout();
    right->addWidget(Frame5);
    right->addWidget(Frame10);
    right->addStretch(1);
    grid->addLayout(left, 0, 0);
    grid->addWidget(Frame8, 0, 1, Qt::AlignTop);
    grid->addLayout(right, 0, 2);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget* frmOptions::buildColoursTab() {
    auto* page = new QWidget(this);
    auto* pageLayout = new QVBoxLayout(page);
    Frame2 = new QGroupBox(QStringLiteral("Preview of Font and Background Colours"), page);
    pageLayout->addWidget(Frame2);
    auto* frameLayout = new QVBoxLayout(Frame2);

    // A small painted copy of the day page, placed in twips: the date bar, two rows of Time,
    // Subject and Details, the calendar and the notes.
    auto* canvas = new QFrame(Frame2);
    canvas->setFrameShape(QFrame::Box);
    canvas->setAutoFillBackground(true);
    SetBackColor(canvas, QColor(0x80, 0x80, 0x80));
    canvas->setFixedSize(PxX(7230), PxY(2190));
    frameLayout->addWidget(canvas, 0, Qt::AlignHCenter);

    auto connectUp = [this](PreviewLabel* label, auto handler) {
        connect(label, &PreviewLabel::MouseUp, this, handler);
    };
    lblDate = new PreviewLabel(0, canvas);
    TwMove(lblDate, 15, 15, 4560, 375);
    lblDate->setToolTip(QStringLiteral("Left or Right Click for Date Colours"));
    connectUp(lblDate, [this](int, Qt::MouseButton button) { lblDate_MouseUp(button); });
    for (int i = 0; i < 2; ++i) {
        const double top = 405 + 885 * i;
        lblTime[i] = new PreviewLabel(i, canvas);
        TwMove(lblTime[i], 15, top, 1110, 300);
        lblTime[i]->setToolTip(QStringLiteral("Left or Right Click for Time Colours"));
        connectUp(lblTime[i], &frmOptions::lblTime_MouseUp);
        lblSubject[i] = new PreviewLabel(i, canvas);
        TwMove(lblSubject[i], 1140, top, 3435, 300);
        lblSubject[i]->setToolTip(QStringLiteral("Left or Right Click for Subject Colours"));
        connectUp(lblSubject[i], &frmOptions::lblSubject_MouseUp);
        lblDetails[i] = new PreviewLabel(i, canvas);
        TwMove(lblDetails[i], 15, top + 315, 4560, 555);
        lblDetails[i]->setToolTip(QStringLiteral("Right Click for Background Colour"));
        connectUp(lblDetails[i], &frmOptions::lblDetails_MouseUp);
    }
    const QString panelTip = QStringLiteral("Left or Right Click for Note and Calendar Colours");
    lblCalendar = new PreviewLabel(0, canvas);
    TwMove(lblCalendar, 4590, 15, 2625, 300);
    lblCalendar->setToolTip(panelTip);
    connectUp(lblCalendar, [this](int, Qt::MouseButton button) { lblCalendar_MouseUp(button); });
    for (int i = 0; i < 14; ++i) {
        lblBox[i] = MakeBox(canvas, 4590 + 375 * (i % 7), 330 + 375 * (i / 7), 360, 360);
    }
    for (int i = 0; i < 2; ++i) {
        lblNotes[i] = new PreviewLabel(i, canvas);
        lblNotes[i]->setToolTip(panelTip);
        connectUp(lblNotes[i], &frmOptions::lblNotes_MouseUp);
    }
    TwMove(lblNotes[0], 4590, 1110, 2625, 300);
    TwMove(lblNotes[1], 4590, 1425, 2625, 750);

    auto* lower = new QHBoxLayout();
    frameLayout->addLayout(lower);
    Frame3 = new QGroupBox(QStringLiteral("Click below for Font Styles"), Frame2);
    auto* fonts = new QHBoxLayout(Frame3);
    const char* const fontCaptions[] = {"Date", "Time", "Subject"};
    const char* const fontTips[] = {"Click for Date Font Styles", "Click for Time Font Styles",
                                    "Click for Subject Font Styles"};
    for (int i = 0; i < 3; ++i) {
        lblFont[i] = new PreviewLabel(i, Frame3);
        lblFont[i]->setAutoFillBackground(false);
        lblFont[i]->setText(QString::fromLatin1(fontCaptions[i]));
        lblFont[i]->setToolTip(QString::fromLatin1(fontTips[i]));
        QFont underlined = lblFont[i]->font();
        underlined.setBold(true);
        underlined.setUnderline(true);
        lblFont[i]->setFont(underlined);
        fonts->addWidget(lblFont[i]);
        connectUp(lblFont[i], [this](int index, Qt::MouseButton) { lblFont_Click(index); });
    }
    lower->addWidget(Frame3, 1);

    Frame7 = new QGroupBox(QStringLiteral("Click Preview above for Colours"), Frame2);
    auto* colours = new QVBoxLayout(Frame7);
    colours->addWidget(new QLabel(QStringLiteral("Left Click - Font Colour"), Frame7));
    colours->addWidget(new QLabel(QStringLiteral("Right Click - Background Colour"), Frame7));
    lower->addWidget(Frame7, 1);

    auto* schemes = new QHBoxLayout();
    frameLayout->addLayout(schemes);
    chkUseScheme = new QCheckBox(QStringLiteral("Use Colour Schemes"), Frame2);
    cboScheme = new QComboBox(Frame2);
    {
        // Filled before the load, with nothing chosen: the load chooses the stored scheme.
        const QSignalBlocker quiet(cboScheme);
        for (const ColourScheme& scheme : ColourSchemes()) {
            cboScheme->addItem(QString::fromLatin1(scheme.name));
        }
        cboScheme->setCurrentIndex(-1);
    }
    cmdDefaultColours = new QPushButton(QStringLiteral("Default Colours"), Frame2);
    cmdDefaultFonts = new QPushButton(QStringLiteral("Default Fonts"), Frame2);
    schemes->addWidget(chkUseScheme);
    schemes->addWidget(cboScheme);
    schemes->addStretch(1);
    schemes->addWidget(cmdDefaultColours);
    schemes->addWidget(cmdDefaultFonts);
    connect(chkUseScheme, &QCheckBox::toggled, this, &frmOptions::chkUseScheme_Click);
    connect(cboScheme, &QComboBox::currentIndexChanged, this, [this](int) { cboScheme_Click(); });
    connect(cmdDefaultColours, &QPushButton::clicked, this, &frmOptions::cmdDefaultColours_Click);
    connect(cmdDefaultFonts, &QPushButton::clicked, this, &frmOptions::cmdDefaultFonts_Click);
    pageLayout->addStretch(1);
    return page;
}

QWidget* frmOptions::buildHolidayLabelsTab() {
    auto* page = new QWidget(this);
    auto* pageLayout = new QVBoxLayout(page);
    Frame4 = new QGroupBox(QStringLiteral("Edit Holiday or Inservice Labels"), page);
    pageLayout->addWidget(Frame4);
    pageLayout->addStretch(1);
    auto* grid = new QGridLayout(Frame4);
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, PxX(360));
    grid->addWidget(new QLabel(QStringLiteral("Holidays"), Frame4), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Inservice Days"), Frame4), 0, 4);
    for (int i = 1; i <= 20; ++i) {
        const int column = i <= 10 ? 0 : 3;
        const int row = (i - 1) % 10 + 1;
        auto* number = new QLabel(QString::number(row), Frame4);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        txtHolidayNames[i] = new QLineEdit(Frame4);
        number->setBuddy(txtHolidayNames[i]);
        grid->addWidget(number, row, column);
        grid->addWidget(txtHolidayNames[i], row, column + 1, 1, column == 0 ? 1 : 2);
        connect(txtHolidayNames[i], &QLineEdit::textChanged, this, [this, i] { txtHolidayNames_Change(i); });
    }
    return page;
}

QWidget* frmOptions::buildStatisticsTab() {
    auto* page = new QWidget(this);
    auto* pageLayout = new QVBoxLayout(page);
    fraStatistics = new QGroupBox(QStringLiteral("Statistics for... "), page);
    pageLayout->addWidget(fraStatistics);
    pageLayout->addStretch(1);
    auto* columns = new QHBoxLayout(fraStatistics);

    auto figure = [](QWidget* parent) {
        auto* label = new QLabel(QStringLiteral("0"), parent);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumWidth(PxX(600));
        return label;
    };
    auto* months = new QGroupBox(QStringLiteral("School Days by Month"), fraStatistics);
    auto* monthGrid = new QGridLayout(months);
    monthGrid->setHorizontalSpacing(PxX(180));
    const char* const monthNames[] = {
        "", "Jan:", "Feb:", "Mar:", "Apr:", "May:", "Jun:", "Jul:", "Aug:", "Sep:", "Oct:", "Nov:", "Dec:"};
    for (int m = 1; m <= 12; ++m) {
        lblMonth[m] = figure(months);
        const int row = (m - 1) % 6;
        const int column = (m - 1) / 6 * 2;
        monthGrid->addWidget(new QLabel(QString::fromLatin1(monthNames[m]), months), row, column);
        monthGrid->addWidget(lblMonth[m], row, column + 1);
    }
    columns->addWidget(months, 0, Qt::AlignTop);

    auto* terms = new QGroupBox(QStringLiteral("School Days by Term"), fraStatistics);
    auto* termGrid = new QGridLayout(terms);
    for (int t = 1; t <= 4; ++t) {
        lblTerm[t] = figure(terms);
        termGrid->addWidget(new QLabel(QStringLiteral("Term %1:").arg(t), terms), t - 1, 0);
        termGrid->addWidget(lblTerm[t], t - 1, 1);
    }
    lblTotalSD = figure(terms);
    termGrid->addWidget(new QLabel(QStringLiteral("Total School Days:"), terms), 4, 0);
    termGrid->addWidget(lblTotalSD, 4, 1);
    columns->addWidget(terms, 0, Qt::AlignTop);

    fraSYInfo = new QGroupBox(QStringLiteral("School Year Information - "), fraStatistics);
    auto* info = new QGridLayout(fraSYInfo);
    lblTotalDays = figure(fraSYInfo);
    lblFirstDay = new QLabel(fraSYInfo);
    lblLastDay = new QLabel(fraSYInfo);
    lblPast = new QLabel(fraSYInfo);
    lblDaysPast = figure(fraSYInfo);
    lblAhead = new QLabel(fraSYInfo);
    lblDaysAhead = figure(fraSYInfo);
    // Wide enough for the longest date from the start, so the dialog keeps its size.
    const int dateWidth = lblFirstDay->fontMetrics().horizontalAdvance(QStringLiteral("Wed, Sep 30, 2026"));
    for (QLabel* date : {lblFirstDay, lblLastDay}) {
        date->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        date->setMinimumWidth(dateWidth + 4);
    }
    info->addWidget(new QLabel(QStringLiteral("Total Days in Year:"), fraSYInfo), 0, 0);
    info->addWidget(lblTotalDays, 0, 1);
    info->addWidget(new QLabel(QStringLiteral("First Day of School:"), fraSYInfo), 1, 0);
    info->addWidget(lblFirstDay, 1, 1);
    info->addWidget(new QLabel(QStringLiteral("Last Day of School:"), fraSYInfo), 2, 0);
    info->addWidget(lblLastDay, 2, 1);
    info->addWidget(lblPast, 3, 0);
    info->addWidget(lblDaysPast, 3, 1);
    info->addWidget(lblAhead, 4, 0);
    info->addWidget(lblDaysAhead, 4, 1);
    fraSYInfo->setMinimumWidth(fraSYInfo->fontMetrics().horizontalAdvance(
                                   QStringLiteral("School Year Information - School Days and Weekends")) +
                               PxX(240));
    columns->addWidget(fraSYInfo, 1, Qt::AlignTop);
    return page;
}

// Loading and closing.

void frmOptions::Form_Load() {
    ProgramState& g = Globals();
    RegisterOpenWindow(kFormName, [] { frmOptions::Unload(); });
    // 1.
    setWindowTitle(g.AppTitle + QStringLiteral(" - Options  "));

    // 2. In a shared book the style arrays hold the style of the day shown, which may be the
    // partner's; the dialog edits the logged-on teacher's own, read aside.
    const ProgramState shown = g;
    if (g.TeacherNum == 2 || g.BothTeacherDays) {
        LoadStyleArrays(g.CurrentTeacher);
    }
    m_savedColourBack = WorkColourBack = g.ColourBack;
    m_savedColourFore = WorkColourFore = g.ColourFore;
    WorkFontName = g.FontName;
    WorkFontSize = g.FontSize;
    WorkFontBold = g.FontBold;
    WorkFontItalic = g.FontItalic;
    g = shown;
    for (int i = 1; i <= 20; ++i) {
        WorkHolidayNames[i] = g.HolidayNames[i];
        txtHolidayNames[i]->setText(g.HolidayNames[i]);
    }
    WorkScheme = g.Scheme;

    // 3.
    SetChecked(chkRunStartup, g.RunStartup != 0, [this] { chkRunStartup_Click(); });
    SetChecked(chkShowSplash, g.ShowSplash != 0, [this] { chkShowSplash_Click(); });
    SetChecked(chkPackRun, g.PackConfig && g.PackRun != 0, [this] { chkPackRun_Click(); });
    chkPackRun->setEnabled(g.PackConfig);
    loadMenuStyleChecks();

    // 4.
    WorkRunStartup = g.RunStartup;
    WorkBinderStyle = g.BinderStyle;
    WorkCalendarPosition = g.CalendarPosition;
    WorkNotesPosition = g.NotesPosition;
    WorkGradientLeftColour = g.GradientLeftColour;
    WorkGradientRightColour = g.GradientRightColour;
    WorkXPRightBackColourUser = g.XPRightBackColourUser;
    WorkXPLeftBackColourUser = g.XPLeftBackColourUser;
    WorkXPSelectedColourUser = g.XPSelectedColourUser;
    WorkXPAllColourUser = g.XPAllColourUser;
    WorkXPBarColourUser = g.XPBarColourUser;
    WorkTopColourUser = g.TopColourUser;
    WorkMiddleColourUser = g.MiddleColourUser;
    WorkBottomColourUser = g.BottomColourUser;
    WorkXPTheme = g.XPTheme;
    WorkDTheme = g.DTheme;

    // 5. Every menu style's colours are shown once.
    for (int style : {0, 2, 4}) {
        WorkMenuStyle = style;
        ShowThemeColours();
    }
    WorkMenuStyle = g.MenuStyle;

    // 6. A stored value no button stands for is shown as the first button's.
    const int binder = OptionIndex(g.BinderStyle, 1, 4);
    SetChecked(optBinderStyle[binder], true, [this, binder] { optBinderStyle_Click(binder); });
    const int calendar = g.CalendarPosition == 0 ? 0 : 1;
    SetChecked(optCalendarPosition[calendar], true,
               [this, calendar] { optCalendarPosition_Click(calendar); });
    const int notes = g.NotesPosition == 0 ? 0 : 1;
    SetChecked(optNotesPosition[notes], true, [this, notes] { optNotesPosition_Click(notes); });
    loadMenuStyleOptions();

    // 7. A stored name that is no scheme of the list is still shown (and matches no scheme).
    const int scheme = cboScheme->findText(g.Scheme, Qt::MatchExactly | Qt::MatchCaseSensitive);
    cboScheme->setPlaceholderText(scheme < 0 ? g.Scheme : QString());
    cboScheme->setCurrentIndex(scheme);

    // 8.
    SetChecked(chkUseScheme, g.UseScheme != 0, [this] { chkUseScheme_Click(); });
    enableSchemeList(chkUseScheme->isChecked());
    if (chkUseScheme->isChecked()) {
        ApplyColourScheme();
    }

    // 9.
    const int teacher = g.CurrentTeacher >= 1 && g.CurrentTeacher <= 2 ? g.CurrentTeacher : 0;
    ShowElided(lblTeacher, g.TeacherNames[teacher], ScreenShare(this, 0.25));

    // 10.-11. The dialog opens clean, whatever the handlers above marked.
    RefreshPreview();
    Dirty = false;
    SetApplyButtonState();

    // 12. The tab's own refresh runs also when the last tab is the first.
    const int lastTab = g.LastTab >= 0 && g.LastTab < SSTabOptions->count() ? g.LastTab : 0;
    {
        const QSignalBlocker quiet(SSTabOptions);
        SSTabOptions->setCurrentIndex(lastTab);
    }
    m_shownTab = lastTab;
    SSTabOptions_Click(lastTab);
}

void frmOptions::Form_Unload() {
    ProgramState& g = Globals();
    g.LastTab = SSTabOptions->currentIndex();
    SaveInt(EffectsSection(), QStringLiteral("LastTab"), g.LastTab);
    ForgetOpenWindow(kFormName);
    hide();
}

void frmOptions::reject() {
    // Escape and the close box leave without storing, as Cancel does.
    cmdCancel_Click();
}

// The frame's buttons and tabs.

void frmOptions::cmdOK_Click() {
    SaveOptions();
    frmOptions::Unload();
}

void frmOptions::cmdApply_Click() {
    SaveOptions();
}

void frmOptions::cmdCancel_Click() {
    frmOptions::Unload();
}

void frmOptions::cmdHelp_Click() {
    HtmlHelp(this, Globals().HelpFile, HH_HELP_CONTEXT, kHelpContext);
}

void frmOptions::SSTabOptions_Click(int) {
    const int tab = SSTabOptions->currentIndex();
    if (tab == 2) {
        RefreshAllThemeColours();
    } else if (tab == 4) {
        ShowSchoolYearStatistics();
    }
}

void frmOptions::SetApplyButtonState() {
    cmdApply->setEnabled(Dirty);
}

void frmOptions::markDirty() {
    Dirty = true;
    SetApplyButtonState();
}

void frmOptions::SaveOptions() {
    // 1.
    if (!Dirty) {
        return;
    }
    ProgramState& g = Globals();
    const QString effects = EffectsSection();
    const QString menuSection = MenuSection();

    // 2. The log-on start entry changes only when the choice did.
    if (WorkRunStartup != g.RunStartup) {
        if (chkRunStartup->isChecked()) {
            (g_addRunAtStartup ? g_addRunAtStartup : AddRunAtStartup)();
        } else {
            (g_removeRunAtStartup ? g_removeRunAtStartup : RemoveRunAtStartup)();
        }
    }

    // The settings go to the file once, whole: a teacher's Apply is one save, not seventy.
    SettingsStore::BeginBatch();

    // 3.-4.
    for (int i = 0; i <= 3; ++i) {
        g.ColourBack[i] = WorkColourBack[i];
        g.ColourFore[i] = WorkColourFore[i];
        SaveInt(effects, QStringLiteral("ColourBack%1").arg(i), g.ColourBack[i]);
        SaveInt(effects, QStringLiteral("ColourFore%1").arg(i), g.ColourFore[i]);
    }
    m_savedColourBack = g.ColourBack;
    m_savedColourFore = g.ColourFore;
    for (int i = 0; i <= 2; ++i) {
        g.FontName[i] = WorkFontName[i];
        g.FontSize[i] = WorkFontSize[i];
        g.FontBold[i] = WorkFontBold[i];
        g.FontItalic[i] = WorkFontItalic[i];
        SaveText(effects, QStringLiteral("FontName%1").arg(i), g.FontName[i]);
        SaveInt(effects, QStringLiteral("FontSize%1").arg(i), g.FontSize[i]);
        SaveBool(effects, QStringLiteral("FontBold%1").arg(i), g.FontBold[i]);
        SaveBool(effects, QStringLiteral("FontItalic%1").arg(i), g.FontItalic[i]);
    }

    // 5. As typed, blanks and all.
    for (int i = 1; i <= 20; ++i) {
        g.HolidayNames[i] = txtHolidayNames[i]->text();
        SaveText(QStringLiteral("Settings\\HolidayNames"), QStringLiteral("HolidayName%1").arg(i),
                 g.HolidayNames[i]);
    }

    // 6.-9. The menu colours are what the tab shows once it has caught up with the colours.
    RefreshAllThemeColours();
    g.BinderStyle = WorkBinderStyle;
    g.CalendarPosition = WorkCalendarPosition;
    g.NotesPosition = WorkNotesPosition;
    StoreMenuTheme(g);

    // 10.
    g.RunStartup = Value(chkRunStartup);
    g.ShowSplash = Value(chkShowSplash);
    g.PackRun = Value(chkPackRun);
    g.UseScheme = Value(chkUseScheme);
    g.Scheme = WorkScheme;

    // 11.
    const QString settings = QStringLiteral("Settings");
    SaveInt(settings, QStringLiteral("RunStartup"), g.RunStartup);
    SaveInt(settings, QStringLiteral("ShowSplash"), g.ShowSplash);
    SaveInt(effects, QStringLiteral("BinderStyle"), g.BinderStyle);
    SaveInt(effects, QStringLiteral("CalendarPosition"), g.CalendarPosition);
    SaveInt(effects, QStringLiteral("NotesPosition"), g.NotesPosition);
    SaveInt(effects, QStringLiteral("PackRun"), g.PackRun);
    SaveInt(effects, QStringLiteral("UseScheme"), g.UseScheme);
    SaveText(effects, QStringLiteral("Scheme"), g.Scheme);
    const std::pair<const char*, qint32> menuKeys[] = {
        {"MenuStyle", g.MenuStyle},
        {"XPTheme", g.XPTheme},
        {"dTheme", g.DTheme},
        {"GradientBar", g.GradientBar},
        {"Vertical", g.Vertical},
        {"LumenleafColours", g.LumenleafColours},
        {"GradientLeftColour", g.GradientLeftColour},
        {"GradientRightColour", g.GradientRightColour},
        {"XPLeftBackColour", g.XPLeftBackColour},
        {"XPRightBackColour", g.XPRightBackColour},
        {"XPSelectedColour", g.XPSelectedColour},
        {"XPAllColour", g.XPAllColour},
        {"XPBarColour", g.XPBarColour},
        {"XPRightBackColourUser", g.XPRightBackColourUser},
        {"XPLeftBackColourUser", g.XPLeftBackColourUser},
        {"XPSelectedColourUser", g.XPSelectedColourUser},
        {"XPAllColourUser", g.XPAllColourUser},
        {"XPBarColourUser", g.XPBarColourUser},
        {"TopColour", g.TopColour},
        {"MiddleColour", g.MiddleColour},
        {"BottomColour", g.BottomColour},
        {"TopColourUser", g.TopColourUser},
        {"MiddleColourUser", g.MiddleColourUser},
        {"BottomColourUser", g.BottomColourUser},
    };
    for (const auto& [key, value] : menuKeys) {
        SaveInt(menuSection, QString::fromLatin1(key), value);
    }
    SettingsStore::EndBatch(); // a failure is reported by the store

    // 12.-13. The shown day's teacher's style goes back onto the page, which may be the partner's.
    frmSchedule* page = frmSchedule::IfLoaded();
    if (page) {
        page->imgBinder->setPicture(PictureBox::Kind::Binder, g.BinderStyle);
        LoadDayTeacherStyle(*page);
        ApplyDayStyle(*page);
    }
    WriteMenuIni();
    if (page) {
        ShowCalendarFrame(*page);
        ColourTimeTableGrid(*page);
    }
    if (MainFrame* main = MainFrame::IfLoaded()) {
        RefreshMainMenus(*main);
    }

    // 14.
    Dirty = false;
    SetApplyButtonState();
}

// Colours and fonts.

void frmOptions::RefreshPreview() {
    const auto& back = WorkColourBack;
    const auto& fore = WorkColourFore;
    // 1. The layout schematic.
    Paint(lblTop, back[0]);
    for (int i = 0; i < 4; ++i) {
        Paint(lblRowThin[i], back[1]);
        Paint(lblRowTall[i], back[3]);
    }
    Paint(lblNotesBox[0], back[2]);
    Paint(lblNotesBox[1], back[3]);
    Paint(lblCalendarBox[0], back[2]);
    Paint(lblCalendarBox[1], back[3]);
    // 2.
    for (int i = 0; i < 3; ++i) {
        SetForeColor(lblFont[i], ColorFromBgr(fore[i]));
    }
    // 3.-7. Only the fonts' faces and styles; the preview keeps its own sizes.
    Paint(lblDate, back[0], fore[0]);
    lblDate->setFont(MakeFont(WorkFontName[0], 10, WorkFontBold[0], WorkFontItalic[0]));
    Paint(lblCalendar, back[2], fore[3]);
    for (int i = 0; i < 2; ++i) {
        Paint(lblTime[i], back[1], fore[1]);
        lblTime[i]->setFont(MakeFont(WorkFontName[1], 8, WorkFontBold[1], WorkFontItalic[1]));
        Paint(lblSubject[i], back[1], fore[2]);
        lblSubject[i]->setFont(MakeFont(WorkFontName[2], 8, WorkFontBold[2], WorkFontItalic[2]));
        Paint(lblDetails[i], back[3]);
    }
    Paint(lblNotes[0], back[2], fore[3]);
    Paint(lblNotes[1], back[3]);
    for (QLabel* box : lblBox) {
        Paint(box, back[3]);
    }
    // 8. The captions of the day page as it stands.
    if (frmSchedule* page = frmSchedule::IfLoaded()) {
        const QString date = page->lblDate->Caption();
        lblDate->setText(date);
        lblTop->setText(date);
        for (int i = 0; i < 2; ++i) {
            lblTime[i]->setText(page->lblTime[i]->Caption());
            lblSubject[i]->setText(page->lblSubject[i]->Caption());
        }
        lblNotes[0]->setText(page->lblNotes->text());
        const QDate month = page->MonthView->Value();
        lblCalendar->setText(FormatDate(month, QStringLiteral("mmm yy")));
        lblCalendarBox[0]->setText(FormatDate(month, QStringLiteral("mmm")));
    }
}

void frmOptions::ApplyColourScheme() {
    if (!chkUseScheme->isChecked()) {
        return;
    }
    if (const ColourScheme* scheme = FindColourScheme(WorkScheme)) {
        WorkColourBack = scheme->back;
        WorkColourFore = scheme->fore;
    }
}

void frmOptions::PickColour() {
    const QColor initial = ColorFromBgr(PickedColour);
    const QColor chosen =
        g_colourAnswer ? g_colourAnswer(initial)
                       : QColorDialog::getColor(initial, this, QString(), QColorDialog::DontUseNativeDialog);
    // Cancel gives back the colour the dialog opened on.
    if (chosen.isValid() && chosen != initial) {
        PickedColour = BgrFromColor(chosen);
    }
}

void frmOptions::PickFont(int index) {
    const FontChoice given{WorkFontName[index], static_cast<double>(WorkFontSize[index]), WorkFontBold[index],
                           WorkFontItalic[index]};
    const FontChoice chosen = g_fontAnswer ? g_fontAnswer(given) : RunFontDialog(this, given);
    WorkFontName[index] = chosen.name;
    // Whole points, halves to even: 10.5 is 10, 11.5 is 12.
    WorkFontSize[index] = qBound(1, CLng(chosen.size), 32767);
    WorkFontBold[index] = chosen.bold;
    WorkFontItalic[index] = chosen.italic;
}

void frmOptions::ShowSchemeInUseMessage() {
    ShowMessage(QStringLiteral("You are using Colour Schemes!\r\n\r\nIf you want to change Font Colours or "
                               "Background Colours\r\nthen you must Uncheck the box 'Use Colour Schemes."),
                MsgOK, MsgInformation, Globals().AppTitle, 0);
}

void frmOptions::colourClick(PreviewPart part, Qt::MouseButton button) {
    if (SchemeInUse) {
        ShowSchemeInUseMessage();
        return;
    }
    if (part == PreviewPart::NotesBody) {
        return;
    }
    // The left button picks the part's text colour, any other its background.
    const bool left = button == Qt::LeftButton;
    BgrColour* work = nullptr;
    BgrColour saved = 0;
    auto slot = [&](bool fore, int k) {
        work = fore ? &WorkColourFore[k] : &WorkColourBack[k];
        saved = fore ? m_savedColourFore[k] : m_savedColourBack[k];
    };
    switch (part) {
    case PreviewPart::Date:
        slot(left, 0);
        break;
    case PreviewPart::Time:
        left ? slot(true, 1) : slot(false, 1);
        break;
    case PreviewPart::Subject:
        left ? slot(true, 2) : slot(false, 1);
        break;
    case PreviewPart::Details:
        if (!left) {
            slot(false, 3);
        }
        break;
    case PreviewPart::Notes:
    case PreviewPart::Calendar:
        left ? slot(true, 3) : slot(false, 2);
        break;
    case PreviewPart::NotesBody:
        break;
    }
    if (work) {
        PickedColour = *work;
        PickColour();
        *work = PickedColour;
        if (*work != saved) {
            markDirty();
        }
    }
    RefreshPreview();
}

void frmOptions::lblDate_MouseUp(Qt::MouseButton button) {
    colourClick(PreviewPart::Date, button);
}

void frmOptions::lblTime_MouseUp(int, Qt::MouseButton button) {
    colourClick(PreviewPart::Time, button);
}

void frmOptions::lblSubject_MouseUp(int, Qt::MouseButton button) {
    colourClick(PreviewPart::Subject, button);
}

void frmOptions::lblDetails_MouseUp(int, Qt::MouseButton button) {
    colourClick(PreviewPart::Details, button);
}

void frmOptions::lblNotes_MouseUp(int index, Qt::MouseButton button) {
    colourClick(index == 0 ? PreviewPart::Notes : PreviewPart::NotesBody, button);
}

void frmOptions::lblCalendar_MouseUp(Qt::MouseButton button) {
    colourClick(PreviewPart::Calendar, button);
}

void frmOptions::lblFont_Click(int index) {
    // Opening the font dialog counts as an edit, even when it is cancelled.
    markDirty();
    PickFont(index);
    RefreshPreview();
}

void frmOptions::cmdDefaultColours_Click() {
    markDirty();
    const ProgramState& g = Globals();
    WorkColourBack = g.DefaultColourBack;
    WorkColourFore = g.DefaultColourFore;
    SetChecked(chkUseScheme, false, [this] { chkUseScheme_Click(); });
    RefreshPreview();
}

void frmOptions::cmdDefaultFonts_Click() {
    markDirty();
    const ProgramState& g = Globals();
    for (int i = 0; i <= 2; ++i) {
        WorkFontName[i] = g.DefaultFontName[i];
        WorkFontSize[i] = g.DefaultFontSize[i].toInt();
        WorkFontBold[i] = g.DefaultFontBold[i];
        WorkFontItalic[i] = g.DefaultFontItalic[i];
    }
    RefreshPreview();
}

void frmOptions::enableSchemeList(bool enabled) {
    cboScheme->setEnabled(enabled);
    const QColor back = ColorFromBgr(enabled ? kWindowBackground : kButtonFace);
    QPalette palette = cboScheme->palette();
    palette.setColor(QPalette::Base, back);
    palette.setColor(QPalette::Button, back);
    cboScheme->setPalette(palette);
}

void frmOptions::chkUseScheme_Click() {
    markDirty();
    if (!chkUseScheme->isChecked()) {
        // The colours stay as the scheme left them.
        enableSchemeList(false);
        SchemeInUse = false;
        return;
    }
    enableSchemeList(true);
    WorkScheme = SchemeText();
    SchemeInUse = true;
    ApplyColourScheme();
    RefreshPreview();
}

void frmOptions::cboScheme_Click() {
    if (cboScheme->currentIndex() < 0) {
        return;
    }
    markDirty();
    WorkScheme = SchemeText();
    ApplyColourScheme();
    RefreshPreview();
}

QString frmOptions::SchemeText() const {
    return cboScheme->currentIndex() >= 0 ? cboScheme->currentText() : cboScheme->placeholderText();
}

// Layout, start-up options and labels.

void frmOptions::LayoutPreview() {
    const QLabel* band = lblRowThin[0];
    for (QLabel* box : lblCalendarBox) {
        const double left =
            WorkCalendarPosition == 0 ? TwLeft(band) : TwLeft(band) + TwWidth(band) - TwWidth(box);
        TwMove(box, left, TwTop(box));
    }
    NotesMove();
}

void frmOptions::NotesMove() {
    // Beside puts the notes against the calendar on the page's inner side; opposite, against
    // the page's other edge.
    const QLabel* band = lblRowThin[0];
    const double bandLeft = TwLeft(band);
    const double bandWidth = TwWidth(band);
    for (int i = 0; i < 2; ++i) {
        const double calendarWidth = TwWidth(lblCalendarBox[i]);
        const double notesWidth = TwWidth(lblNotesBox[i]);
        double left = 0;
        if (WorkNotesPosition == 0) {
            left = WorkCalendarPosition == 0 ? bandLeft + calendarWidth
                                             : bandLeft + bandWidth - calendarWidth - notesWidth;
        } else {
            left = WorkCalendarPosition == 0 ? bandLeft + bandWidth - notesWidth : bandLeft;
        }
        TwMove(lblNotesBox[i], left, TwTop(lblNotesBox[i]));
    }
}

void frmOptions::optBinderStyle_Click(int index) {
    markDirty();
    WorkBinderStyle = index;
    for (PictureBox* picture : imgBinderStyle) {
        picture->setPicture(PictureBox::Kind::Binder, index);
    }
}

void frmOptions::optCalendarPosition_Click(int index) {
    markDirty();
    WorkCalendarPosition = index;
    LayoutPreview();
}

void frmOptions::optNotesPosition_Click(int index) {
    markDirty();
    WorkNotesPosition = index;
    LayoutPreview();
}

void frmOptions::chkRunStartup_Click() {
    markDirty();
    WorkRunStartup = Value(chkRunStartup);
}

void frmOptions::chkShowSplash_Click() {
    markDirty();
}

void frmOptions::chkPackRun_Click() {
    // The box also changes when the drive set-up gave no drive: that is no edit.
    if (Globals().PackConfig) {
        markDirty();
    }
}

void frmOptions::cmdPackConfig_Click() {
    ProgramState& g = Globals();
    const bool configBefore = g.PackConfig;
    const int runBefore = g.PackRun;
    // 1. The drive dialog takes the dialog's place while it is open. Until its OK succeeds the
    // set-up is not done.
    HideInPlace(this);
    g.PackConfigOpen = true;
    (g_showPackConfig ? g_showPackConfig : ShowPackConfigDialog)();
    show();
    if (!g.PackConfig) {
        chkPackRun->setChecked(false);
    }
    // 2. A drive was set up: Pack To Go is on, and the first pack goes onto it. Only a pack that
    // reached the drive turns it on for good: one that failed, or that the teacher refused
    // because the drive holds another book, leaves the settings as they were.
    if (DriveDialogEndedWithOK()) {
        HideInPlace(this);
        chkPackRun->setChecked(true);
        g.PackRun = Value(chkPackRun);
        if (!(g_makeFirstPack ? g_makeFirstPack : MakeFirstPack)()) {
            g.PackConfig = configBefore;
            g.PackRun = runBefore;
        }
        if (MainFrame* main = MainFrame::IfLoaded()) {
            RefreshMainMenus(*main);
        }
        // The dialog starts again from the settings as they now are, where it stood.
        const QRect place = geometry();
        frmOptions::Unload();
        frmOptions::Get().setGeometry(place);
    }
    // 3. ShowOptionsDialog shows the dialog modal again.
}

void frmOptions::txtHolidayNames_Change(int) {
    markDirty();
}

// Statistics.

void frmOptions::ShowSchoolYearStatistics() {
    const ProgramState& g = Globals();
    const int teacher = g.CurrentTeacher >= 1 && g.CurrentTeacher <= 2 ? g.CurrentTeacher : 0;
    ShowElided(fraStatistics,
               g.BothTeacherDays ? QStringLiteral("Statistics for... Both Teachers")
                                 : QStringLiteral("Statistics for... ") + g.TeacherNames[teacher],
               ScreenShare(this, 0.5));
    // The walk puts the page back on the day it showed.
    const SchoolYearStatistics s = ComputeSchoolYearStatistics(ReadListedDays(), g, Clock::Today());
    for (int m = 1; m <= 12; ++m) {
        lblMonth[m]->setText(QString::number(s.monthDays[m]));
    }
    for (int t = 1; t <= 4; ++t) {
        lblTerm[t]->setText(QString::number(s.termDays[t]));
    }
    lblTotalSD->setText(QString::number(s.totalSchoolDays));
    lblTotalDays->setText(QString::number(s.totalDays));
    const QString dateFormat = QStringLiteral("ddd, mmm d, yyyy");
    lblFirstDay->setText(s.firstDay.isValid() ? FormatDate(s.firstDay, dateFormat) : QString());
    lblLastDay->setText(s.lastDay.isValid() ? FormatDate(s.lastDay, dateFormat) : QString());
    if (g.SchoolDays) {
        fraSYInfo->setTitle(QStringLiteral("School Year Information - School Days Only"));
        lblPast->setText(QStringLiteral("School Days Past:"));
        lblAhead->setText(QStringLiteral("School Days Ahead:"));
    } else {
        fraSYInfo->setTitle(QStringLiteral("School Year Information - School Days and Weekends"));
        lblPast->setText(QStringLiteral("Total Days Past:"));
        lblAhead->setText(QStringLiteral("Total Days Ahead:"));
    }
    lblDaysPast->setText(QString::number(s.past));
    lblDaysAhead->setText(QString::number(s.ahead));
}

// Showing the dialog.

void ShowOptionsDialog() {
    static bool running = false;
    if (running) {
        return;
    }
    running = true;
    // The dialog steps aside for the drive set-up, or starts again after it; it is done when it
    // has been closed.
    for (frmOptions* form = &frmOptions::Get(); form != nullptr; form = frmOptions::IfLoaded()) {
        HideInPlace(form); // a window already shown becomes modal only when shown again
        form->exec();
    }
    running = false;
}

namespace OptionsTestSeam {
void SetColourDialog(std::function<QColor(const QColor&)> answer) {
    g_colourAnswer = std::move(answer);
}

void SetFontDialog(std::function<FontChoice(const FontChoice&)> answer) {
    g_fontAnswer = std::move(answer);
}

void SetRunAtStartup(std::function<void()> add, std::function<void()> remove) {
    g_addRunAtStartup = std::move(add);
    g_removeRunAtStartup = std::move(remove);
}

void SetPackConfig(std::function<void()> showDialog, std::function<bool()> firstPack) {
    g_showPackConfig = std::move(showDialog);
    g_makeFirstPack = std::move(firstPack);
}

void Reset() {
    g_colourAnswer = {};
    g_fontAnswer = {};
    g_addRunAtStartup = {};
    g_removeRunAtStartup = {};
    g_showPackConfig = {};
    g_makeFirstPack = {};
}
} // namespace OptionsTestSeam
