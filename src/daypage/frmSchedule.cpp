#include "frmSchedule.h"

#include "CellEditors.h"
#include "DayStyle.h"
#include "EditCommands.h"
#include "MainWindowState.h"
#include "Panels.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "files/PackToGo.h"
#include "frmMain.h"
#include "platform/Artwork.h"
#include "platform/Clock.h"
#include "platform/Colours.h"
#include "platform/DateText.h"
#include "platform/Rounding.h"
#include "platform/SystemMetrics.h"
#include "platform/Twips.h"
#include "platform/TwipsGeometry.h"

#include <QCalendarWidget>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

Shape::Shape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Shape::setBackColour(qint32 bgr) {
    if (m_bgr != bgr) {
        m_bgr = bgr;
        update();
    }
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ColorFromBgr(m_bgr));
}

Line::Line(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::Place(double x1, double x2, double y) {
    m_x1 = x1;
    m_x2 = x2;
    m_y = y;
    // One pixel high, its top on the line's height.
    TwMove(this, qMin(x1, x2), y, qAbs(x2 - x1), TwipsPerPixelY());
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ColorFromBgr(m_bgr));
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureBox::setPicture(Kind kind, int index) {
    m_kind = kind;
    m_index = index;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(rect());
    if (m_kind == Kind::Binder) {
        Artwork::PaintBinder(painter, area, m_index);
    } else if (m_kind == Kind::FoundMarker) {
        Artwork::PaintFoundMarker(painter, area, m_index);
    }
}

CalendarControl::CalendarControl(QWidget* parent) : QCalendarWidget(parent) {}

void CalendarControl::setValue(const QDate& date) {
    m_pending = date;
    if (!m_queued) {
        m_queued = true;
        QTimer::singleShot(0, this, &CalendarControl::showPending);
    }
}

QDate CalendarControl::Value() const {
    return m_queued ? m_pending : selectedDate();
}

void CalendarControl::showPending() {
    m_queued = false;
    if (selectedDate() != m_pending) {
        setSelectedDate(m_pending);
    }
}

QString BinderImageList::Key(int index) {
    static const std::array<QString, Count> keys{QStringLiteral("Coils"), QStringLiteral("Rings"),
                                                 QStringLiteral("Black Coils"), QStringLiteral("None")};
    return index >= 1 && index <= Count ? keys[static_cast<size_t>(index - 1)] : QString();
}

namespace {
// Adjacent grid cells overlap, so each draws its own one-pixel frame.
void PaintCellBorder(QWidget* cell) {
    QPainter painter(cell);
    painter.setPen(QColor(0x8c, 0x8c, 0x8c));
    painter.drawRect(cell->rect().adjusted(0, 0, -1, -1));
}
} // namespace

PanelTitle::PanelTitle(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void PanelTitle::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (m_border) {
        PaintCellBorder(this);
    }
}

GridCell::GridCell(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    setMouseTracking(true);
    setContentsMargins(3, 0, 2, 0);
}

void GridCell::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    PaintCellBorder(this);
}

namespace {
const QString kLongDateQt = QStringLiteral("dddd - MMMM d, yyyy");

BoundLabel* MakeCell(QWidget* parent, Qt::Alignment alignment) {
    auto* label = new BoundLabel(parent);
    label->setAlignment(alignment);
    label->hide();
    return label;
}

QString LongDateDisplay(const QVariant& value) {
    bool ok = false;
    const QDate date = TextToDate(value.toString(), &ok);
    return ok ? FormatDate(date, Globals().LongDateFormat) : (value.isNull() ? QString() : value.toString());
}

QVariant LongDateParse(const QString& text) {
    if (IsDateText(text)) {
        return DateToText(TextToDate(text));
    }
    const QDate date = QLocale::c().toDate(text, kLongDateQt);
    return date.isValid() ? QVariant(DateToText(date)) : QVariant(text);
}

QVariant IsoDateParse(const QString& text) {
    return IsDateText(text) ? QVariant(DateToText(TextToDate(text))) : QVariant(text);
}
} // namespace

frmSchedule::frmSchedule() {
    setAutoFillBackground(true);
    createControls();
    bindControls();
    connect(&datLumenleaf, &DataControl::MoveComplete, this, &frmSchedule::datLumenleaf_MoveComplete);
    connect(&datLumenleaf, &DataControl::WriteFailed, this, &frmSchedule::reportWriteFailure);
    connect(&datRegKey, &DataControl::WriteFailed, this, &frmSchedule::reportWriteFailure);

    // The day page is the main window's child window, filling its corner without a frame.
    frmMain& main = frmMain::Get();
    m_subWindow = main.mdiClient->addSubWindow(this, Qt::FramelessWindowHint);
    m_subWindow->setAttribute(Qt::WA_DeleteOnClose, false);
    m_subWindow->setContentsMargins(0, 0, 0, 0);
    connect(main.mdiClient, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        // Only becoming the active child counts; the frame losing and regaining the focus
        // does not run the activation again.
        if (window == nullptr) {
            return;
        }
        if (window != m_subWindow) {
            m_active = false;
        } else if (!m_active) {
            m_active = true;
            // Runs once the code that showed the page has finished, on the day it then shows.
            QTimer::singleShot(0, this, &frmSchedule::Form_Activate);
        }
    });
}

frmSchedule::~frmSchedule() {
    if (!m_unloaded) {
        Form_Unload();
    }
}

void frmSchedule::createControls() {
    // Bands and lines first: they lie under everything else.
    shpTitle = new Shape(this);
    for (auto& strip : shpStrip) {
        strip = new Shape(this);
    }
    shpBottom = new Shape(this);
    for (int n = 1; n <= 24; ++n) {
        lnLine[n] = new Line(this);
        lnLine[n]->setBorderColour(0xC0C0C0);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{shpTitle, shpBottom}) {
        w->hide();
    }
    for (Shape* strip : shpStrip) {
        strip->hide();
    }
    for (int n = 1; n <= 24; ++n) {
        lnLine[n]->hide();
    }
    imgBinder = new PictureBox(this);
    TwMove(imgBinder, 0, 0, 876, 10500);
    imgBinder->hide();

    txtDate = new BoundTextBox(this);
    TwMove(txtDate, 2304, 0, 804, 324);
    txtDate->hide();
    txtRegSection = new BoundTextBox(this);
    txtRegKey = new BoundTextBox(this);
    txtRegValue = new BoundTextBox(this);
    for (BoundTextBox* box : {txtRegSection, txtRegKey, txtRegValue}) {
        TwMove(box, 2304, 4608, 1056, 288);
        box->hide();
    }

    lblDate = MakeCell(this, Qt::AlignLeft | Qt::AlignVCenter);
    TwMove(lblDate, 0, 0, 2316, 324);
    lblDate->setContentsMargins(PxX(120), 0, 0, 0);
    lblSD = new QLabel(QStringLiteral("School Day:"), this);
    lblSD->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TwMove(lblSD, 5148, 0, 1524, 324);
    lblSD->hide();
    lblDay = MakeCell(this, Qt::AlignCenter);
    TwMove(lblDay, 6660, 0, 408, 324);

    for (int i = 0; i < 12; ++i) {
        lblTime[i] = MakeCell(this, Qt::AlignLeft | Qt::AlignVCenter);
        TwMove(lblTime[i], 0, 0, 1200, 324);
        lblTime[i]->setContentsMargins(PxX(90), 0, 0, 0);
        lblSubject[i] = MakeCell(this, Qt::AlignLeft | Qt::AlignVCenter);
        TwMove(lblSubject[i], 0, 0, 1920, 324);
        lblCaret[i] = new QLabel(QStringLiteral(">>"), this);
        lblCaret[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        lblCaret[i]->setStyleSheet(QStringLiteral("color: #808080"));
        QFont caretFont = lblCaret[i]->font();
        caretFont.setPixelSize(8);
        caretFont.setLetterSpacing(QFont::AbsoluteSpacing, -1);
        lblCaret[i]->setFont(caretFont);
        TwMove(lblCaret[i], 0, 0, 168, 216);
        lblCaret[i]->hide();
        lblDetails[i] = MakeCell(this, Qt::AlignLeft | Qt::AlignTop);
        lblDetails[i]->setWordWrap(true);
        TwMove(lblDetails[i], 0, 0, 3036, 360);
        for (QWidget* cell : std::initializer_list<QWidget*>{lblTime[i], lblSubject[i], lblDetails[i]}) {
            cell->installEventFilter(this);
        }
    }

    cmdPrev = new QToolButton(this);
    cmdNext = new QToolButton(this);
    for (QToolButton* button : {cmdPrev, cmdNext}) {
        TwMove(button, 0, 0, 552, 300);
        button->setAutoRaise(true);
        button->setIconSize(QSize(PxX(552) - 6, PxY(300) - 4));
        button->hide();
    }
    auto arrowIcon = [this](bool next) {
        QIcon icon;
        const QSize size(PxX(552) - 6, PxY(300) - 4);
        icon.addPixmap(Artwork::RenderDayArrow(next, true, size, devicePixelRatioF()), QIcon::Normal);
        icon.addPixmap(Artwork::RenderDayArrow(next, false, size, devicePixelRatioF()), QIcon::Disabled);
        return icon;
    };
    cmdPrev->setIcon(arrowIcon(false));
    cmdNext->setIcon(arrowIcon(true));
    cmdPrev->setToolTip(QStringLiteral("Previous Day"));
    cmdNext->setToolTip(QStringLiteral("Next Day"));
    connect(cmdPrev, &QToolButton::clicked, this, &frmSchedule::cmdPrev_Click);
    connect(cmdNext, &QToolButton::clicked, this, &frmSchedule::cmdNext_Click);

    imgFound1 = new PictureBox(this);
    imgFound1->setPicture(PictureBox::Kind::FoundMarker, 1);
    TwMove(imgFound1, 0, 0, 240, 240);
    imgFound1->hide();
    imgFound2 = new PictureBox(this);
    imgFound2->setPicture(PictureBox::Kind::FoundMarker, 2);
    TwMove(imgFound2, 0, 0, 360, 360);
    imgFound2->hide();

    // The calendar panel.
    fraCalendar = new QFrame(this);
    fraCalendar->setAutoFillBackground(true);
    TwMove(fraCalendar, 0, 0, 2748, 2532);
    lblCalendar = new PanelTitle(QStringLiteral("Calendar"), fraCalendar);
    lblCalendar->setAlignment(Qt::AlignCenter);
    TwMove(lblCalendar, 0, 0, 2640, 336);
    MonthView = new CalendarControl(fraCalendar);
    MonthView->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthView->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    MonthView->setFirstDayOfWeek(Qt::Sunday);
    MonthView->setGridVisible(false);
    QFont calendarFont = MonthView->font();
    calendarFont.setPointSize(7);
    MonthView->setFont(calendarFont);
    TwMove(MonthView, 0, 324, 2640, 2208);
    // A click on a day is a date click; paging through months is not.
    connect(MonthView, &QCalendarWidget::clicked, this, &frmSchedule::MonthView_DateClick);
    fraCalendar->hide();

    // The notes panel.
    fraNotes = new QFrame(this);
    fraNotes->setAutoFillBackground(true);
    TwMove(fraNotes, 0, 0, 2748, 2532);
    lblNotes = new PanelTitle(QStringLiteral("Notes"), fraNotes);
    lblNotes->setAlignment(Qt::AlignCenter);
    TwMove(lblNotes, 0, 0, 2640, 336);
    txtNotes = new BoundMemo(fraNotes);
    txtNotes->setFrameShape(QFrame::NoFrame);
    TwMove(txtNotes, 0, 324, 2640, 1848);
    txtNotes->installEventFilter(this);
    cmdNotesSave = new QPushButton(QStringLiteral("Save"), fraNotes);
    cmdNotesClear = new QPushButton(QStringLiteral("Clear"), fraNotes);
    cmdNotesCancel = new QPushButton(QStringLiteral("Cancel"), fraNotes);
    const std::array<int, 3> notesButtonLefts{72, 936, 1800};
    const std::array<QPushButton*, 3> notesButtons{cmdNotesSave, cmdNotesClear, cmdNotesCancel};
    for (int b = 0; b < 3; ++b) {
        QFont small = notesButtons[b]->font();
        small.setPointSize(7);
        notesButtons[b]->setFont(small);
        notesButtons[b]->setStyleSheet(QStringLiteral("QPushButton { padding: 0px; }"));
        TwMove(notesButtons[b], notesButtonLefts[b], 2232, 768, 228);
    }
    connect(cmdNotesSave, &QPushButton::clicked, this, &frmSchedule::cmdNotesSave_Click);
    connect(cmdNotesClear, &QPushButton::clicked, this, &frmSchedule::cmdNotesClear_Click);
    connect(cmdNotesCancel, &QPushButton::clicked, this, &frmSchedule::cmdNotesCancel_Click);
    fraNotes->hide();

    // The timetable panel: a header row and twelve rows of eight cells.
    fraTimeTable = new QFrame(this);
    fraTimeTable->setAutoFillBackground(true);
    TwMove(fraTimeTable, 5760, 396, 6528, 3072);
    auto cellGeometry = [](int column) {
        return column == 0 ? std::pair<double, double>{0, 1020}
                           : std::pair<double, double>{1020.0 + 768.0 * (column - 1), 768};
    };
    for (int c = 0; c < 8; ++c) {
        lblHeader[c] = new PanelTitle(QString(), fraTimeTable);
        lblHeader[c]->setAlignment(Qt::AlignCenter);
        lblHeader[c]->setCellBorder(true);
        const auto [left, width] = cellGeometry(c);
        TwMove(lblHeader[c], left, 0, width, 228);
        lblHeader[c]->installEventFilter(this);
    }
    for (int d = 0; d < 12; ++d) {
        for (int c = 0; c < 8; ++c) {
            auto* cell = new GridCell(fraTimeTable);
            cell->setAlignment(c == 0 ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
            cell->installEventFilter(this);
            const auto [left, width] = cellGeometry(c);
            TwMove(cell, left, 228 + 228 * d, width, 228);
            lblRow[d * 8 + c] = cell;
        }
    }
    QFont gridFont = lblRow[0]->font();
    gridFont.setPointSize(7);
    for (QLabel* cell : lblRow) {
        cell->setFont(gridFont);
    }
    for (QLabel* cell : lblHeader) {
        cell->setFont(gridFont);
    }
    fraTimeTable->hide();
    for (PanelTitle* title : {lblCalendar, lblNotes}) {
        title->installEventFilter(this);
    }
}

void frmSchedule::bindControls() {
    datLumenleaf.Bind(txtDate, QStringLiteral("Date"), {}, IsoDateParse);
    datLumenleaf.Bind(lblDate, QStringLiteral("Date"), LongDateDisplay, LongDateParse);
    datLumenleaf.Bind(lblDay, QStringLiteral("SchoolDay"));
    for (int i = 0; i < 12; ++i) {
        datLumenleaf.Bind(lblTime[i], QStringLiteral("Time%1").arg(i + 1));
        datLumenleaf.Bind(lblSubject[i], QStringLiteral("Subject%1").arg(i + 1));
        datLumenleaf.Bind(lblDetails[i], QStringLiteral("Details%1").arg(i + 1));
    }
    datLumenleaf.Bind(txtNotes, QStringLiteral("Notes"));
    datRegKey.Bind(txtRegSection, QStringLiteral("Section"));
    datRegKey.Bind(txtRegKey, QStringLiteral("Key"));
    datRegKey.Bind(txtRegValue, QStringLiteral("Value"));
}

void frmSchedule::Form_Load() {
    m_unloaded = false;
    frmMain& main = frmMain::Get();
    // 1. The window sits in the corner of the main window.
    // 2. The two lower panels are as wide as their titles.
    TwSetWidth(fraNotes, TwWidth(lblNotes));
    TwSetWidth(fraCalendar, TwWidth(lblCalendar));
    // 3. The calendar opens on today.
    MonthView->setValue(Clock::Today());
    // 4. The panels float on the main window rather than on the page.
    const std::array<QWidget*, 3> panels{fraCalendar, fraNotes, fraTimeTable};
    for (size_t p = 0; p < panels.size(); ++p) {
        OldParents[p] = panels[p]->parentWidget();
        const TwipsRect geometry = TwGeometry(panels[p]);
        panels[p]->setParent(main.clientArea);
        TwSetGeometry(panels[p], geometry);
        panels[p]->hide();
    }
    // 5.
    CalcLayoutMetrics();
    try {
        layOut();
    } catch (const OverflowError&) {
        ShowMessage(QStringLiteral("The day page could not be laid out: a measurement is too large."), 1, 4,
                    Globals().AppTitle, 0);
    }
    m_subWindow->show();
    m_subWindow->move(0, 0);
    show();
}

void frmSchedule::layOut() {
    ProgramState& g = Globals();
    frmMain& main = frmMain::Get();
    // 6. The page's width is taken once, at the first load, from the main window.
    double W = 0;
    if (!g.StartupDone) {
        g.ScrollBarWidth = CInt(TwipsPerPixelX() * GetSystemMetrics(SM_CXVSCROLL));
        W = main.InnerWidthTw() - g.ScrollBarWidth;
        g.DayPageWidth = CInt(W);
    } else {
        W = g.DayPageWidth;
    }
    m_width = W;

    // 7.
    const int H = CInt(TwHeight(lblDate));
    const int RowPitch = CInt(1000 + TwHeight(lblDate));

    // 8. The title band.
    TwMove(shpTitle, 0, 0, W, H);
    shpTitle->lower();
    shpTitle->show();

    // 9. The time/subject bands.
    TwMove(shpStrip[0], 0, H, W, H);
    shpStrip[0]->lower();
    shpStrip[0]->show();
    for (int k = 1; k <= 5; ++k) {
        TwMove(shpStrip[k], 0, Int16(static_cast<qint64>(H + 1000) * k + H), W, H);
        shpStrip[k]->lower();
        shpStrip[k]->show();
    }

    // 10. Four ruling lines under each of the six row blocks.
    int Y = CInt(H + H + 200);
    int n = 1;
    for (int group = 0; group < 6; ++group) {
        for (int line = 0; line < 4; ++line) {
            lnLine[n]->lower();
            lnLine[n]->Place(0, W, Y);
            lnLine[n]->show();
            Y = Int16(static_cast<qint64>(Y) + 240);
            ++n;
        }
        Y = CInt(Y + H + 42);
    }

    // 11. The bottom band starts under the last block.
    const int B = CInt(Y - H - 240 + 42);
    m_height = B + TwHeight(fraCalendar);

    // 12. The date from the left edge; "School Day:" and the code at the right edge.
    TwSetWidth(lblDate, W - TwWidth(lblDay) - TwWidth(lblSD));
    lblDate->show();
    TwMove(lblDay, W - TwWidth(lblDay), 0);
    TwMove(lblSD, W - TwWidth(lblDay) - TwWidth(lblSD), 0);

    // 13. Rows 0..5 on the left page, 6..11 on the right.
    for (int i = 0; i < 12; ++i) {
        double X0 = 0;
        int j = i;
        if (i >= 6) {
            j = i - 6;
            X0 = CInt(TwWidth(lblTime[i]) / 2 + W / 2);
        }
        const double top = Int16(static_cast<qint64>(j) * RowPitch) + H;
        TwMove(lblTime[i], X0, top, TwWidth(lblTime[i]), H);
        lblTime[i]->show();
        TwMove(lblSubject[i], X0 + TwWidth(lblTime[i]), top, W / 2 - 1.5 * TwWidth(lblTime[i]), H);
        lblSubject[i]->show();
        TwMove(lblCaret[i], X0, top + TwHeight(lblSubject[i]));
        lblCaret[i]->show();
        TwMove(lblDetails[i], X0 + TwWidth(lblCaret[i]), TwTop(lblCaret[i]),
               TwWidth(lblSubject[i]) + TwWidth(lblTime[i]) - TwWidth(lblCaret[i]), 1000);
        lblDetails[i]->show();
        lblDetails[i]->raise();
    }

    // 14. The bottom band, behind the lower panels.
    TwMove(shpBottom, 0, B, W, m_height - B);
    shpBottom->lower();
    shpBottom->show();

    // 15. The binder down the middle, as tall as the page.
    imgBinder->setPicture(PictureBox::Kind::Binder, g.BinderStyle);
    TwMove(imgBinder, W / 2 - TwWidth(imgBinder) / 2, 0, TwWidth(imgBinder), m_height);
    imgBinder->show();

    // 16. Previous and Next in the title band, just right of the binder.
    TwMove(cmdPrev, TwLeft(imgBinder) + TwWidth(imgBinder), 16);
    TwMove(cmdNext, TwLeft(cmdPrev) + TwWidth(cmdNext), 16);
    cmdPrev->show();
    cmdNext->show();
    cmdPrev->raise();
    cmdNext->raise();

    // The window takes the page's size.
    setFixedSize(PxX(m_width), PxY(m_height));
    m_subWindow->setFixedSize(size());

    // 17. The status bar shows today's date, not the shown day's.
    main.StatusPanel(QStringLiteral("Date"))->setText(FormatDate(Clock::Today(), g.LongDateFormat));
}

void frmSchedule::Form_Unload() {
    m_unloaded = true;
    // Whatever the teacher typed and has not stored yet is stored now.
    datLumenleaf.Close();
    datRegKey.Close();
    const std::array<QWidget*, 3> panels{fraCalendar, fraNotes, fraTimeTable};
    for (size_t p = 0; p < panels.size(); ++p) {
        QWidget* parent = OldParents[p] ? OldParents[p].data() : this;
        const TwipsRect geometry = TwGeometry(panels[p]);
        panels[p]->hide();
        panels[p]->setParent(parent);
        TwSetGeometry(panels[p], geometry);
    }
}

void frmSchedule::ReleaseForm() {
    QMdiSubWindow* window = m_subWindow;
    m_subWindow = nullptr;
    if (window) {
        window->setWidget(nullptr);
        window->deleteLater();
    }
    delete this;
}

void frmSchedule::SetBackColour(qint32 bgr) {
    SetBackColor(this, ColorFromBgr(bgr));
}

void frmSchedule::focusNext() {
    if (cmdNext->isEnabled() && cmdNext->isVisible()) {
        cmdNext->setFocus();
    }
}

void frmSchedule::reportWriteFailure(const QString& message) {
    // Shown once the data operation has finished, not in the middle of it.
    QTimer::singleShot(0, this, [message] {
        ShowMessage(message, 1, 4, Globals().AppTitle + QStringLiteral(" - DataBase"), 0);
    });
}

void frmSchedule::Form_Activate() {
    ProgramState& g = Globals();
    LoadDayTeacherStyle();
    ApplyDayStyle();
    ShowCalendarFrame();
    if (!g.UnPackOffered) {
        OfferStartupUnPack();
    }
    g.UndoTop = -1;
    ClearUndo();
    DisableEditCommands();
    if (!g.BlankDataBase) {
        focusNext();
    }
}

void frmSchedule::MonthView_DateClick(const QDate& dateClicked) {
    DisableEditCommands();
    GoToDate(dateClicked);
    LoadDayTeacherStyle();
    ApplyDayStyle();
    if (!Globals().BlankDataBase) {
        focusNext();
    }
}

void frmSchedule::cmdPrev_Click() {
    DisableEditCommands();
    if (!datLumenleaf.AtBOF()) {
        datLumenleaf.MovePrevious();
        if (datLumenleaf.AtBOF()) {
            datLumenleaf.MoveNext();
        }
    }
    ShowDayCode();
    LoadDayTeacherStyle();
    ApplyDayStyle();
}

void frmSchedule::cmdNext_Click() {
    DisableEditCommands();
    if (!datLumenleaf.AtEOF()) {
        datLumenleaf.MoveNext();
        if (datLumenleaf.AtEOF()) {
            datLumenleaf.MovePrevious();
        }
    }
    ShowDayCode();
    LoadDayTeacherStyle();
    ApplyDayStyle();
}

void frmSchedule::datLumenleaf_MoveComplete() {
    if (Globals().BlankDataBase) {
        return;
    }
    if (!(datLumenleaf.AtEOF() && datLumenleaf.AtBOF())) {
        RememberEntryTexts(datLumenleaf);
    }
}

QString frmSchedule::NzTrim(const QVariant& value) {
    if (value.isNull()) {
        return QString();
    }
    // Blanks only, as the entry texts are compared with the cells' captions.
    QString text = value.toString();
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == u' ') {
        ++start;
    }
    while (end > start && text.at(end - 1) == u' ') {
        --end;
    }
    return text.mid(start, end - start);
}

void frmSchedule::RememberEntryTexts(DataControl& rs) {
    if (rs.AtEOF() || rs.AtBOF()) {
        for (BoundLabel* cell : lblDetails) {
            cell->Tag.clear();
        }
        txtNotes->Tag.clear();
        return;
    }
    for (BoundLabel* cell : lblDetails) {
        cell->Tag = NzTrim(rs.BoundField(cell));
    }
    txtNotes->Tag = NzTrim(rs.BoundField(txtNotes));
}

void frmSchedule::txtNotes_GotFocus() {
    if (!Globals().BlankDataBase) {
        EnableEditCommands();
    }
}

void frmSchedule::cmdNotesSave_Click() {
    if (Globals().BlankDataBase) {
        return;
    }
    if (!datLumenleaf.AtEOF() && !datLumenleaf.AtBOF()) {
        datLumenleaf.Update();
    }
    DisableEditCommands();
    focusNext();
}

void frmSchedule::cmdNotesClear_Click() {
    if (Globals().BlankDataBase) {
        return;
    }
    txtNotes->setText(QString());
}

void frmSchedule::cmdNotesCancel_Click() {
    if (Globals().BlankDataBase) {
        return;
    }
    txtNotes->setText(txtNotes->Tag);
    if (!datLumenleaf.AtEOF() && !datLumenleaf.AtBOF()) {
        datLumenleaf.Update();
    }
    DisableEditCommands();
    focusNext();
}

namespace {
void CellMouseDown(int index, Qt::MouseButton button, QMenu* popup) {
    if (Globals().BlankDataBase) {
        return;
    }
    Globals().EditRow = index;
    if (button == Qt::RightButton && popup && !popup->isEmpty()) {
        popup->popup(QCursor::pos());
    }
}
} // namespace

void frmSchedule::lblTime_MouseDown(int index, Qt::MouseButton button) {
    CellMouseDown(index, button, frmMain::Get().mnuPopUpTime);
}

void frmSchedule::lblSubject_MouseDown(int index, Qt::MouseButton button) {
    CellMouseDown(index, button, frmMain::Get().mnuPopupSubject);
}

void frmSchedule::lblDetails_MouseDown(int index, Qt::MouseButton button) {
    CellMouseDown(index, button, frmMain::Get().mnuPopUpDetails);
}

void frmSchedule::lblTime_DblClick(int index) {
    if (Globals().BlankDataBase) {
        return;
    }
    DisableEditCommands();
    Globals().EditRow = index;
    ShowEditTime();
}

void frmSchedule::lblSubject_DblClick(int index) {
    if (Globals().BlankDataBase) {
        return;
    }
    DisableEditCommands();
    Globals().EditRow = index;
    ShowEditSubject();
}

void frmSchedule::lblDetails_DblClick(int index) {
    if (Globals().BlankDataBase) {
        return;
    }
    Globals().EditRow = index;
    DisableEditCommands();
    ShowEditDetails();
}

bool frmSchedule::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn && watched == txtNotes) {
        txtNotes_GotFocus();
        return false;
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
        return QWidget::eventFilter(watched, event);
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    for (int i = 0; i < 12; ++i) {
        if (watched == lblTime[i] || watched == lblSubject[i] || watched == lblDetails[i]) {
            if (type == QEvent::MouseButtonPress) {
                if (watched == lblTime[i]) {
                    lblTime_MouseDown(i, mouse->button());
                } else if (watched == lblSubject[i]) {
                    lblSubject_MouseDown(i, mouse->button());
                } else {
                    lblDetails_MouseDown(i, mouse->button());
                }
                return true;
            }
            if (type == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton) {
                if (watched == lblTime[i]) {
                    lblTime_DblClick(i);
                } else if (watched == lblSubject[i]) {
                    lblSubject_DblClick(i);
                } else {
                    lblDetails_DblClick(i);
                }
                return true;
            }
            return false;
        }
    }
    if (type == QEvent::MouseMove && mouse->buttons() == Qt::NoButton) {
        for (GridCell* cell : lblRow) {
            if (watched == cell) {
                lblRow_MouseMove(*this, cell);
                return false;
            }
        }
    }
    // The panel titles: the drag of their panel.
    QWidget* title = qobject_cast<QWidget*>(watched);
    QWidget* panel = nullptr;
    if (watched == lblCalendar) {
        panel = fraCalendar;
    } else if (watched == lblNotes) {
        panel = fraNotes;
    } else {
        for (PanelTitle* header : lblHeader) {
            if (watched == header) {
                panel = fraTimeTable;
            }
        }
    }
    if (!panel) {
        return QWidget::eventFilter(watched, event);
    }
    const QPointF at(TwipsX(mouse->position().x()), TwipsY(mouse->position().y()));
    switch (type) {
    case QEvent::MouseButtonPress:
        if (PanelTitle_MouseDown(*this, panel, mouse->button(), at)) {
            m_dragging = title;
        }
        return true;
    case QEvent::MouseMove:
        if (m_dragging == title && mouse->buttons() != Qt::NoButton) {
            PanelTitle_DragOver(*this, panel, at);
        } else {
            PanelTitle_MouseMove(title);
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (m_dragging == title) {
            m_dragging = nullptr;
            PanelTitle_DragDrop(*this, panel, at);
        }
        return true;
    default:
        return true;
    }
}

void ShowDayCode() {
    frmSchedule& page = frmSchedule::Get();
    bool ok = false;
    const QDate shown = TextToDate(page.txtDate->Text(), &ok);
    if (ok) {
        page.MonthView->setValue(shown);
    }
    // Shown only for a taught day of the six-day cycle.
    const bool shownCode = page.lblDay->Caption() != QLatin1String("x") && Globals().Cycle == 0;
    page.lblDay->setVisible(shownCode);
    page.lblSD->setVisible(shownCode);
}
