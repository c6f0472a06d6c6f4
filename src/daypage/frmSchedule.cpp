#include "frmSchedule.h"

#include "CellEditors.h"
#include "DayPageLayout.h"
#include "DayStyle.h"
#include "EditCommands.h"
#include "Panels.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "files/PackToGo.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Rounding.h"
#include "platform/Twips.h"
#include "ui/MainFrame.h"
#include "ui/MainWindowState.h"
#include "ui/UiState.h"
#include "widgets/Artwork.h"
#include "widgets/Colours.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/SystemMetrics.h"
#include "widgets/TwipsGeometry.h"

#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace {
const QString kLongDateQt = QStringLiteral("dddd - MMMM d, yyyy");

template <class Cell> Cell* Hidden(Cell* cell, Qt::Alignment alignment) {
    cell->setAlignment(alignment);
    cell->hide();
    return cell;
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

QFont SmallFont(const QWidget* widget, int pointSize) {
    QFont font = widget->font();
    font.setPointSize(pointSize);
    return font;
}
} // namespace

frmSchedule::frmSchedule() : datLumenleaf(DayRecords()), datRegKey(RegKeyRecords()) {
    setAutoFillBackground(true);
    buildPage();
    buildRows();
    buildCalendarPanel();
    buildNotesPanel();
    buildTimeTablePanel();
    bindControls();
    connect(&datLumenleaf, &DataControl::MoveComplete, this, &frmSchedule::datLumenleaf_MoveComplete);
    SetDayTableListener(this);

    // The day page is the main window's child window, filling its corner without a frame.
    MainFrame& main = MainFrame::Get();
    m_subWindow = main.mdiClient->addSubWindow(this, Qt::FramelessWindowHint);
    m_subWindow->setAttribute(Qt::WA_DeleteOnClose, false);
    m_subWindow->setContentsMargins(0, 0, 0, 0);
    // The navigation and the notes buttons go with the main window's commands.
    main.FollowCommandState(QStringLiteral("cmdPrev"), cmdPrev);
    main.FollowCommandState(QStringLiteral("cmdNext"), cmdNext);
    main.FollowCommandState(QStringLiteral("MonthView"), MonthView);
    main.FollowCommandState(QStringLiteral("cmdNotesSave"), cmdNotesSave);
    main.FollowCommandState(QStringLiteral("cmdNotesClear"), cmdNotesClear);
    main.FollowCommandState(QStringLiteral("cmdNotesCancel"), cmdNotesCancel);
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
    SetDayTableListener(nullptr);
}

MainFrame& frmSchedule::MainWindow() const {
    return MainFrame::Get();
}

void frmSchedule::buildPage() {
    // Bands and lines first: they lie under everything else.
    shpTitle = new Shape(this);
    shpTitle->hide();
    for (auto& strip : shpStrip) {
        strip = new Shape(this);
        strip->hide();
    }
    shpBottom = new Shape(this);
    shpBottom->hide();
    for (int n = 1; n <= 24; ++n) {
        lnLine[n] = new Line(this);
        lnLine[n]->setBorderColour(0xC0C0C0);
        lnLine[n]->hide();
    }
    imgBinder = new PictureBox(this);
    TwMove(imgBinder, 0, 0, 876, 10500);
    imgBinder->hide();

    txtDate = new BoundTextBox(this);
    TwMove(txtDate, 2304, 0, 804, 324);
    txtRegSection = new BoundTextBox(this);
    txtRegKey = new BoundTextBox(this);
    txtRegValue = new BoundTextBox(this);
    for (BoundTextBox* box : {txtRegSection, txtRegKey, txtRegValue}) {
        TwMove(box, 2304, 4608, 1056, 288);
    }

    lblDate = Hidden(new BoundLabel(this), Qt::AlignLeft | Qt::AlignVCenter);
    TwMove(lblDate, 0, 0, 2316, 324);
    lblDate->setContentsMargins(PxX(120), 0, 0, 0);
    lblSD = Hidden(new QLabel(QStringLiteral("School Day:"), this), Qt::AlignRight | Qt::AlignVCenter);
    TwMove(lblSD, 5148, 0, 1524, 324);
    lblDay = Hidden(new BoundLabel(this), Qt::AlignCenter);
    TwMove(lblDay, 6660, 0, 408, 324);

    cmdPrev = new QToolButton(this);
    cmdNext = new QToolButton(this);
    const QSize arrowSize(PxX(552) - 6, PxY(300) - 4);
    for (QToolButton* button : {cmdPrev, cmdNext}) {
        TwMove(button, 0, 0, 552, 300);
        button->setAutoRaise(true);
        button->setIconSize(arrowSize);
        button->hide();
        const bool next = button == cmdNext;
        QIcon icon;
        icon.addPixmap(Artwork::RenderDayArrow(next, true, arrowSize, devicePixelRatioF()), QIcon::Normal);
        icon.addPixmap(Artwork::RenderDayArrow(next, false, arrowSize, devicePixelRatioF()), QIcon::Disabled);
        button->setIcon(icon);
    }
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
}

void frmSchedule::buildRows() {
    for (int i = 0; i < 12; ++i) {
        lblTime[i] = Hidden(new CellLabel(i, this), Qt::AlignLeft | Qt::AlignVCenter);
        TwMove(lblTime[i], 0, 0, 1200, 324);
        lblTime[i]->setContentsMargins(PxX(90), 0, 0, 0);
        lblSubject[i] = Hidden(new CellLabel(i, this), Qt::AlignLeft | Qt::AlignVCenter);
        TwMove(lblSubject[i], 0, 0, 1920, 324);
        lblCaret[i] = Hidden(new QLabel(QStringLiteral(">>"), this), Qt::AlignLeft | Qt::AlignTop);
        lblCaret[i]->setStyleSheet(QStringLiteral("color: #808080"));
        lblCaret[i]->setFont(CaretFont(lblCaret[i]->font()));
        TwMove(lblCaret[i], 0, 0, 168, 216);
        lblDetails[i] = Hidden(new CellLabel(i, this), Qt::AlignLeft | Qt::AlignTop);
        lblDetails[i]->setWordWrap(true);
        TwMove(lblDetails[i], 0, 0, 3036, 360);

        connect(lblTime[i], &CellLabel::MouseDown, this, &frmSchedule::lblTime_MouseDown);
        connect(lblSubject[i], &CellLabel::MouseDown, this, &frmSchedule::lblSubject_MouseDown);
        connect(lblDetails[i], &CellLabel::MouseDown, this, &frmSchedule::lblDetails_MouseDown);
        connect(lblTime[i], &CellLabel::DblClick, this, &frmSchedule::lblTime_DblClick);
        connect(lblSubject[i], &CellLabel::DblClick, this, &frmSchedule::lblSubject_DblClick);
        connect(lblDetails[i], &CellLabel::DblClick, this, &frmSchedule::lblDetails_DblClick);
    }
}

void frmSchedule::connectPanelTitle(PanelTitle* title, QWidget* panel) {
    connect(title, &PanelTitle::MouseDown, this,
            [this, title, panel](int, Qt::MouseButton button, QPointF at) {
                title->setDragging(PanelTitle_MouseDown(*this, panel, button, at));
            });
    connect(title, &PanelTitle::DragOver, this,
            [this, panel](int, QPointF at) { PanelTitle_DragOver(*this, panel, at); });
    connect(title, &PanelTitle::DragDrop, this,
            [this, panel](int, QPointF at) { PanelTitle_DragDrop(*this, panel, at); });
    connect(title, &PanelTitle::MouseMove, this, [title](int) { PanelTitle_MouseMove(title); });
}

void frmSchedule::buildCalendarPanel() {
    fraCalendar = new QFrame(this);
    fraCalendar->setAutoFillBackground(true);
    TwMove(fraCalendar, 0, 0, 2748, 2532);
    lblCalendar = new PanelTitle(QStringLiteral("Calendar"), fraCalendar);
    lblCalendar->setAlignment(Qt::AlignCenter);
    TwMove(lblCalendar, 0, 0, 2640, 336);
    connectPanelTitle(lblCalendar, fraCalendar);
    MonthView = new CalendarControl(fraCalendar);
    MonthView->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthView->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    MonthView->setFirstDayOfWeek(Qt::Sunday);
    MonthView->setGridVisible(false);
    MonthView->setFont(SmallFont(MonthView, 7));
    TwMove(MonthView, 0, 324, 2640, 2208);
    // A click on a day is a date click; paging through months is not.
    connect(MonthView, &QCalendarWidget::clicked, this, &frmSchedule::MonthView_DateClick);
    fraCalendar->hide();
}

void frmSchedule::buildNotesPanel() {
    fraNotes = new QFrame(this);
    fraNotes->setAutoFillBackground(true);
    TwMove(fraNotes, 0, 0, 2748, 2532);
    lblNotes = new PanelTitle(QStringLiteral("Notes"), fraNotes);
    lblNotes->setAlignment(Qt::AlignCenter);
    TwMove(lblNotes, 0, 0, 2640, 336);
    connectPanelTitle(lblNotes, fraNotes);
    txtNotes = new BoundMemo(fraNotes);
    txtNotes->setFrameShape(QFrame::NoFrame);
    TwMove(txtNotes, 0, 324, 2640, 1848);
    connect(txtNotes, &BoundMemo::GotFocus, this, &frmSchedule::txtNotes_GotFocus);
    cmdNotesSave = new QPushButton(QStringLiteral("Save"), fraNotes);
    cmdNotesClear = new QPushButton(QStringLiteral("Clear"), fraNotes);
    cmdNotesCancel = new QPushButton(QStringLiteral("Cancel"), fraNotes);
    const std::array<int, 3> lefts{72, 936, 1800};
    const std::array<QPushButton*, 3> buttons{cmdNotesSave, cmdNotesClear, cmdNotesCancel};
    for (size_t b = 0; b < buttons.size(); ++b) {
        buttons[b]->setFont(SmallFont(buttons[b], 7));
        buttons[b]->setStyleSheet(QStringLiteral("QPushButton { padding: 0px; }"));
        TwMove(buttons[b], lefts[b], 2232, 768, 228);
    }
    connect(cmdNotesSave, &QPushButton::clicked, this, &frmSchedule::cmdNotesSave_Click);
    connect(cmdNotesClear, &QPushButton::clicked, this, &frmSchedule::cmdNotesClear_Click);
    connect(cmdNotesCancel, &QPushButton::clicked, this, &frmSchedule::cmdNotesCancel_Click);
    fraNotes->hide();
}

void frmSchedule::buildTimeTablePanel() {
    // A header row and twelve rows of eight cells: column 0 holds the times.
    fraTimeTable = new QFrame(this);
    fraTimeTable->setAutoFillBackground(true);
    TwMove(fraTimeTable, 5760, 396, 6528, 3072);
    auto left = [](int column) { return column == 0 ? 0.0 : 1020.0 + 768.0 * (column - 1); };
    auto width = [](int column) { return column == 0 ? 1020.0 : 768.0; };
    const QFont gridFont = SmallFont(fraTimeTable, 7);
    for (int c = 0; c < 8; ++c) {
        lblHeader[c] = new PanelTitle(QString(), fraTimeTable, c);
        lblHeader[c]->setAlignment(Qt::AlignCenter);
        lblHeader[c]->setCellBorder(true);
        lblHeader[c]->setFont(gridFont);
        TwMove(lblHeader[c], left(c), 0, width(c), 228);
        connectPanelTitle(lblHeader[c], fraTimeTable);
    }
    for (int d = 0; d < 12; ++d) {
        for (int c = 0; c < 8; ++c) {
            auto* cell = new GridCell(d * 8 + c, fraTimeTable);
            cell->setAlignment(c == 0 ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
            cell->setFont(gridFont);
            TwMove(cell, left(c), 228 + 228 * d, width(c), 228);
            connect(cell, &GridCell::MouseMove, this, [this](int index) { lblRow_MouseMove(*this, index); });
            lblRow[d * 8 + c] = cell;
        }
    }
    fraTimeTable->hide();
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
    MainFrame& main = MainWindow();
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
    CalcLayoutMetrics(*this);
    try {
        layOut();
    } catch (const OverflowError&) {
        ShowMessage(QStringLiteral("The day page could not be laid out: a measurement is too large."), MsgOK,
                    MsgAlert, Globals().AppTitle, 0);
    }
    m_subWindow->show();
    m_subWindow->move(0, 0);
    show();
}

void frmSchedule::layOut() {
    UiState& ui = Ui();
    MainFrame& main = MainWindow();
    // 6. The page's width is taken once, at the first load, from the main window.
    double W = 0;
    if (!Globals().StartupDone) {
        ui.ScrollBarWidth = CLng(TwipsPerPixelX() * GetSystemMetrics(SM_CXVSCROLL));
        W = main.InnerWidthTw() - ui.ScrollBarWidth;
        ui.DayPageWidth = CLng(W);
    } else {
        W = ui.DayPageWidth;
    }

    // 7.-16. Every band, line, cell and button, from the page's width and the design sizes.
    DayPageLayoutInput input;
    input.W = W;
    input.dateHeight = TwHeight(lblDate);
    input.dayWidth = TwWidth(lblDay);
    input.schoolDayWidth = TwWidth(lblSD);
    input.timeWidth = TwWidth(lblTime[0]);
    input.caretWidth = TwWidth(lblCaret[0]);
    input.caretHeight = TwHeight(lblCaret[0]);
    input.binderWidth = TwWidth(imgBinder);
    input.calendarHeight = TwHeight(fraCalendar);
    input.lowerPanelsReach = main.PageAreaBottomTw() - ui.LowerY;
    input.nextWidth = TwWidth(cmdNext);
    input.buttonHeight = TwHeight(cmdNext);
    const DayPageLayout layout = ComputeDayPageLayout(input);
    m_width = W;
    m_height = layout.height;

    auto place = [](QWidget* widget, const TwipsRect& rect) {
        TwSetGeometry(widget, rect);
        widget->show();
    };
    auto placeBehind = [&place](QWidget* widget, const TwipsRect& rect) {
        place(widget, rect);
        widget->lower();
    };
    placeBehind(shpTitle, layout.title);
    for (int k = 0; k < 6; ++k) {
        placeBehind(shpStrip[k], layout.strips[k]);
    }
    for (int n = 1; n <= 24; ++n) {
        lnLine[n]->lower();
        lnLine[n]->Place(0, W, layout.lineY[n]);
        lnLine[n]->show();
    }
    place(lblDate, layout.date);
    TwSetGeometry(lblDay, layout.day);
    TwSetGeometry(lblSD, layout.schoolDay);
    for (int i = 0; i < 12; ++i) {
        place(lblTime[i], layout.time[i]);
        place(lblSubject[i], layout.subject[i]);
        place(lblCaret[i], layout.caret[i]);
        place(lblDetails[i], layout.details[i]);
        lblDetails[i]->raise();
    }
    placeBehind(shpBottom, layout.bottom);
    imgBinder->setPicture(PictureBox::Kind::Binder, Globals().BinderStyle);
    place(imgBinder, layout.binder);
    place(cmdPrev, layout.previous);
    place(cmdNext, layout.next);
    cmdPrev->raise();
    cmdNext->raise();

    // The window takes the page's size.
    setFixedSize(PxX(m_width), PxY(m_height));
    m_subWindow->setFixedSize(size());

    // 17. The status bar shows today's date, not the shown day's.
    main.StatusPanel(QStringLiteral("Date"))->setText(FormatDate(Clock::Today(), Globals().LongDateFormat));
}

void frmSchedule::PutMarkersOn(QWidget* surface) {
    for (PictureBox* marker : {imgFound1, imgFound2}) {
        if (marker->parentWidget() != surface) {
            marker->hide();
            marker->setParent(surface);
        }
    }
}

void frmSchedule::Form_Unload() {
    m_unloaded = true;
    PutMarkersOn(this);
    // Whatever the teacher typed and has not stored yet is stored now, and the file let go.
    CloseDayTable();
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

void frmSchedule::FocusNext() {
    if (cmdNext->isEnabled() && cmdNext->isVisible()) {
        cmdNext->setFocus();
    }
}

void FocusAfterClosing(const QWidget* closing) {
    if (QWidget* control = FocusToGoBackTo(closing)) {
        GiveFocusTo(control);
    } else if (frmSchedule* page = frmSchedule::IfLoaded(); page && !Globals().BlankDataBase) {
        page->FocusNext();
    }
}

void frmSchedule::DayShown() {
    ShowDayCode(*this);
}

void frmSchedule::DataCommandsChanged() {
    EnableDataCommands();
}

void frmSchedule::Form_Activate() {
    ProgramState& g = Globals();
    LoadDayTeacherStyle(*this);
    ApplyDayStyle(*this);
    ShowCalendarFrame(*this);
    if (!g.UnPackOffered) {
        OfferStartupUnPack();
    }
    Ui().UndoTop = -1;
    ClearUndo();
    DisableEditCommands();
    if (!g.BlankDataBase) {
        FocusNext();
    }
}

void frmSchedule::MonthView_DateClick(const QDate& dateClicked) {
    DisableEditCommands();
    GoToDate(dateClicked);
    LoadDayTeacherStyle(*this);
    ApplyDayStyle(*this);
    if (!Globals().BlankDataBase) {
        FocusNext();
    }
}

void frmSchedule::cmdPrev_Click() {
    Recordset& days = datLumenleaf.Records();
    DisableEditCommands();
    if (!days.AtBOF()) {
        days.MovePrevious();
        if (days.AtBOF()) {
            days.MoveNext();
        }
    }
    ShowDayCode(*this);
    LoadDayTeacherStyle(*this);
    ApplyDayStyle(*this);
}

void frmSchedule::cmdNext_Click() {
    Recordset& days = datLumenleaf.Records();
    DisableEditCommands();
    if (!days.AtEOF()) {
        days.MoveNext();
        if (days.AtEOF()) {
            days.MovePrevious();
        }
    }
    ShowDayCode(*this);
    LoadDayTeacherStyle(*this);
    ApplyDayStyle(*this);
}

void frmSchedule::datLumenleaf_MoveComplete() {
    if (Globals().BlankDataBase) {
        return;
    }
    const Recordset& days = datLumenleaf.Records();
    if (!(days.AtEOF() && days.AtBOF())) {
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
    const Recordset& records = rs.Records();
    if (records.AtEOF() || records.AtBOF()) {
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
    Recordset& days = datLumenleaf.Records();
    if (!days.AtEOF() && !days.AtBOF()) {
        days.Update();
    }
    DisableEditCommands();
    FocusNext();
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
    Recordset& days = datLumenleaf.Records();
    if (!days.AtEOF() && !days.AtBOF()) {
        days.Update();
    }
    DisableEditCommands();
    FocusNext();
}

namespace {
void CellMouseDown(int index, Qt::MouseButton button, QMenu* popup) {
    if (Globals().BlankDataBase) {
        return;
    }
    Ui().EditRow = index;
    if (button == Qt::RightButton && popup && !popup->isEmpty()) {
        // Centred across the pointer, hanging from it.
        const QPoint pointer = QCursor::pos();
        popup->popup(QPoint(pointer.x() - popup->sizeHint().width() / 2, pointer.y()));
    }
}

// A double-click opens a cell's editor on its row.
template <class Editor> void CellDblClick(int index, Editor showEditor) {
    if (Globals().BlankDataBase) {
        return;
    }
    DisableEditCommands();
    Ui().EditRow = index;
    showEditor();
}
} // namespace

void frmSchedule::lblTime_MouseDown(int index, Qt::MouseButton button) {
    CellMouseDown(index, button, MainWindow().mnuPopUpTime);
}

void frmSchedule::lblSubject_MouseDown(int index, Qt::MouseButton button) {
    CellMouseDown(index, button, MainWindow().mnuPopupSubject);
}

void frmSchedule::lblDetails_MouseDown(int index, Qt::MouseButton button) {
    CellMouseDown(index, button, MainWindow().mnuPopUpDetails);
}

void frmSchedule::lblTime_DblClick(int index) {
    CellDblClick(index, ShowEditTime);
}

void frmSchedule::lblSubject_DblClick(int index) {
    CellDblClick(index, ShowEditSubject);
}

void frmSchedule::lblDetails_DblClick(int index) {
    CellDblClick(index, ShowEditDetails);
}

void ShowDayCode(frmSchedule& page) {
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
