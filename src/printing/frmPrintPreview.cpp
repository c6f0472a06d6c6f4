#include "frmPrintPreview.h"

#include "PrintCommands.h"
#include "PrintInProgress.h"
#include "PrintPages.h"
#include "PrintSystem.h"
#include "Printer.h"
#include "RichTextBox.h"
#include "core/DayDatabase.h"
#include "core/PrintComposition.h"
#include "core/ProgramState.h"
#include "daypage/DayPageWidgets.h"
#include "daypage/frmSchedule.h"
#include "frmPrint.h"
#include "platform/DateText.h"
#include "platform/Twips.h"
#include "ui/MainFrame.h"
#include "ui/OpenWindows.h"
#include "widgets/Artwork.h"
#include "widgets/Colours.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/TwipsGeometry.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QWindow>

namespace {
// The timetable grid's cells, in twips: the time column, a day column before the grid is
// filled, and the height of a row.
constexpr double kTimeColumnWidth = 1020;
constexpr double kDayColumnWidth = 1368;
constexpr double kCellHeight = 285;

QDate ShownDate() {
    return TextToDate(frmSchedule::Get().txtDate->Text());
}
} // namespace

frmPrintPreview::frmPrintPreview() : QWidget(&MainFrame::Get(), Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setObjectName(QStringLiteral("frmPrintPreview"));
    // A grey desk around the white page.
    QPalette desk = palette();
    desk.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    setPalette(desk);
    setAutoFillBackground(true);

    const QSize arrowSize(PxX(552) - 6, PxY(300) - 4);
    auto stepButton = [this, arrowSize](bool next, const QString& tip) {
        auto* button = new QToolButton(this);
        QIcon icon;
        icon.addPixmap(Artwork::RenderDayArrow(next, true, arrowSize, devicePixelRatioF()), QIcon::Normal);
        icon.addPixmap(Artwork::RenderDayArrow(next, false, arrowSize, devicePixelRatioF()), QIcon::Disabled);
        button->setIcon(icon);
        button->setIconSize(arrowSize);
        button->setToolTip(tip);
        button->setGeometry(PxRect(next ? 700 : 100, 90, 552, 320));
        return button;
    };
    cmdPrev = stepButton(false, QStringLiteral("Previous Day"));
    cmdNext = stepButton(true, QStringLiteral("Next Day"));
    auto button = [this](const QString& caption, double left) {
        auto* push = new QPushButton(caption, this);
        push->setGeometry(PxRect(left, 90, 1500, 320));
        return push;
    };
    cmdPrintNow = button(QStringLiteral("Print Now"), 1450);
    cmdPrint = button(QStringLiteral("Print Dialog..."), 3050);
    cmdClose = button(QStringLiteral("Close"), 4650);
    Label1 = new QLabel(QStringLiteral("Printer:"), this);
    Label1->setGeometry(PxRect(6400, 90, 800, 320));
    lblPrinter = new QLabel(this);
    lblPrinter->setGeometry(PxRect(7200, 90, 9000, 320));
    for (QLabel* label : {Label1, lblPrinter}) {
        SetForeColor(label, Qt::white);
    }

    rtbPrint = new RichTextBox(this);
    rtbPrint->setObjectName(QStringLiteral("rtbPrint"));
    buildTimeTable();

    connect(cmdPrev, &QToolButton::clicked, this, &frmPrintPreview::cmdPrev_Click);
    connect(cmdNext, &QToolButton::clicked, this, &frmPrintPreview::cmdNext_Click);
    connect(cmdPrintNow, &QPushButton::clicked, this, &frmPrintPreview::cmdPrintNow_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmPrintPreview::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmPrintPreview::cmdClose_Click);
    OnEscape(this, [this] { cmdClose->click(); });
    for (QWidget* control :
         std::initializer_list<QWidget*>{cmdPrev, cmdNext, cmdPrintNow, cmdPrint, cmdClose, rtbPrint}) {
        control->installEventFilter(this);
    }
}

frmPrintPreview::~frmPrintPreview() {
    if (!m_unloading) {
        ForgetOpenWindow(QStringLiteral("frmPrintPreview"));
    }
}

void frmPrintPreview::buildTimeTable() {
    // A header row and twelve rows of eight cells: column 0 holds the times.
    picTimeTable = new QFrame(this);
    picTimeTable->setObjectName(QStringLiteral("picTimeTable"));
    SetBackColor(picTimeTable, Qt::white);
    picTimeTable->setAutoFillBackground(true);
    const QFont font = MakeFont(QStringLiteral("Arial"), 9, false, false);
    auto left = [](int c) { return c == 0 ? 0.0 : kTimeColumnWidth + (c - 1) * kDayColumnWidth; };
    auto width = [](int c) { return c == 0 ? kTimeColumnWidth : kDayColumnWidth; };
    for (int c = 0; c < 8; ++c) {
        lblHeader[c] = new PanelTitle(QString(), picTimeTable, c);
        lblHeader[c]->setAlignment(Qt::AlignCenter);
        lblHeader[c]->setCellBorder(true);
        lblHeader[c]->setFont(MakeFont(QStringLiteral("Arial"), 9, true, false));
        SetBackColor(lblHeader[c], QColor(0xE4, 0xE4, 0xE4));
        lblHeader[c]->setAutoFillBackground(true);
        TwMove(lblHeader[c], left(c), 0, width(c), kCellHeight);
    }
    for (int d = 0; d < 12; ++d) {
        for (int c = 0; c < 8; ++c) {
            auto* cell = new GridCell(d * 8 + c, picTimeTable);
            cell->setAlignment(c == 0 ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
            cell->setFont(font);
            cell->setIndent(4);
            TwMove(cell, left(c), kCellHeight + kCellHeight * d, width(c), kCellHeight);
            lblRow[d * 8 + c] = cell;
        }
    }
    // On whole pixels, so that the grid's right edge rounds as its last column's does.
    TwMove(picTimeTable, 120, 510, left(7) + kDayColumnWidth, 13 * kCellHeight);
    picTimeTable->hide();
}

void frmPrintPreview::Form_Load() {
    m_unloading = false;
    const ProgramState& g = Globals();
    // 1.
    setWindowTitle(g.AppTitle + QStringLiteral(" - Print Preview  "));
    // 2.
    winId(); // the frame is asked of the native window
    windowHandle()->installEventFilter(this);
    m_frameSettled = false;
    fitToScreen();
    // 3.
    lblPrinter->setText(PrinterEntryText(Printer().Current()));
    // 4.
    if (const frmPrint* dialog = frmPrint::IfLoaded()) {
        m_rangeStart = dialog->RangeStart;
        m_rangeEnd = dialog->RangeEnd;
        m_returnDate = dialog->ReturnDate;
    }
    ShowSteppingButtons();
    // 5.
    placeContent();
    RegisterOpenWindow(QStringLiteral("frmPrintPreview"), [] { frmPrintPreview::Unload(); });
}

void frmPrintPreview::Form_Unload() {
    m_unloading = true;
    ForgetOpenWindow(QStringLiteral("frmPrintPreview"));
    const QDate back = ReturnDate();
    hide();
    if (Globals().StartupDone && back.isValid()) {
        GoToDate(back);
    }
}

void frmPrintPreview::OpenedWith(const QDate& rangeStart, const QDate& rangeEnd, const QDate& returnDate) {
    m_rangeStart = rangeStart;
    m_rangeEnd = rangeEnd;
    m_returnDate = returnDate;
}

QDate frmPrintPreview::RangeStart() const {
    const frmPrint* dialog = frmPrint::IfLoaded();
    return dialog ? dialog->RangeStart : m_rangeStart;
}

QDate frmPrintPreview::RangeEnd() const {
    const frmPrint* dialog = frmPrint::IfLoaded();
    return dialog ? dialog->RangeEnd : m_rangeEnd;
}

QList<QDate> frmPrintPreview::RangeDays() const {
    return PrintRangeDays(ListedDays(), RangeStart(), RangeEnd());
}

QDate frmPrintPreview::ReturnDate() const {
    const frmPrint* dialog = frmPrint::IfLoaded();
    return dialog ? dialog->ReturnDate : m_returnDate;
}

void frmPrintPreview::ShowSteppingButtons() {
    const bool stepping = Globals().PrintItem == 1 && RangeStart() != RangeEnd();
    for (QToolButton* button : {cmdPrev, cmdNext}) {
        button->setVisible(stepping);
    }
    enableStepping();
    // The window opens on a control that prints nothing: a stray Space only steps or closes.
    (stepping && cmdNext->isEnabled() ? static_cast<QWidget*>(cmdNext) : cmdClose)->setFocus();
}

void frmPrintPreview::enableStepping() {
    // Each arrow steps only onto a day the print prints.
    const QList<QDate> days = RangeDays();
    const QDate shown = ShownDate();
    cmdPrev->setEnabled(NeighbourDay(days, shown, false).isValid());
    cmdNext->setEnabled(NeighbourDay(days, shown, true).isValid());
}

void frmPrintPreview::fitToScreen() {
    // Nearly the whole screen for the whole window, its frame and title bar included.
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize whole(PxX(TwipsX(area.width()) - 100), PxY(TwipsY(area.height()) - 100));
    const QRect frame(area.topLeft() +
                          QPoint((area.width() - whole.width()) / 2, (area.height() - whole.height()) / 2),
                      whole);
    m_fittedMargins = frameMargins();
    setGeometry(frame.marginsRemoved(m_fittedMargins));
}

QMargins frmPrintPreview::frameMargins() const {
    return windowHandle() ? windowHandle()->frameMargins() : QMargins();
}

void frmPrintPreview::settleFrame() {
    // The window manager tells its frame only once it has framed the window: the first time
    // it does, the window is fitted again around it.
    if (m_frameSettled || !isVisible() || frameMargins().isNull()) {
        return;
    }
    m_frameSettled = true;
    if (frameMargins() != m_fittedMargins) {
        fitToScreen();
    }
}

void frmPrintPreview::placeContent() {
    TwMove(rtbPrint, 100, 500, TwipsX(width()) - 200, TwipsY(height()) - 600);
}

void frmPrintPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeContent();
}

bool frmPrintPreview::eventFilter(QObject* watched, QEvent* event) {
    // Shown on the screen, the window has been framed.
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        settleFrame();
    }
    if (event->type() == QEvent::KeyPress && watched != windowHandle() &&
        arrowKeyPressed(watched, *static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmPrintPreview::cmdPrev_Click() {
    step(false);
}

void frmPrintPreview::cmdNext_Click() {
    step(true);
}

void frmPrintPreview::step(bool forward) {
    // One day of the range on, never off it: at either end the day stays.
    const QDate next = NeighbourDay(RangeDays(), ShownDate(), forward);
    if (next.isValid()) {
        GoToListedDate(next);
    }
    ComposeDayPage();
    rtbPrint->setSelStart(0);
    QToolButton* pressed = forward ? cmdNext : cmdPrev;
    const bool hadFocus = pressed->hasFocus();
    enableStepping();
    // An arrow that greys with the focus hands it to the other arrow, never on to Print Now,
    // where the next Space would print the whole range.
    if (hadFocus && !pressed->isEnabled()) {
        QToolButton* other = forward ? cmdPrev : cmdNext;
        (other->isEnabled() ? static_cast<QWidget*>(other) : cmdClose)->setFocus();
    }
}

bool frmPrintPreview::arrowKeyPressed(QObject* watched, const QKeyEvent& key) {
    const bool plain = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool left = key.key() == Qt::Key_Left;
    if (!plain ||
        (!left && key.key() != Qt::Key_Right && key.key() != Qt::Key_Up && key.key() != Qt::Key_Down)) {
        return false;
    }
    const bool sideways = left || key.key() == Qt::Key_Right;
    // The page box keeps its keys while there are no days to step through, and Up and Down
    // always, which scroll it.
    if (watched == rtbPrint && (!sideways || cmdNext->isHidden())) {
        return false;
    }
    // Left and Right step the days as the arrows do; on the buttons no arrow key moves the focus,
    // which would carry it on to Print Now.
    QToolButton* arrow = left ? cmdPrev : cmdNext;
    if (sideways && !arrow->isHidden() && arrow->isEnabled()) {
        arrow->click();
    }
    return true;
}

void frmPrintPreview::cmdPrintNow_Click() {
    // A print already running goes on alone, with its windows.
    if (PrintInProgress::Active()) {
        return;
    }
    const PrintCommand command;
    // A dialog loaded only to print closes again, so that it never lingers unseen with the day
    // it was loaded on.
    const bool wasLoaded = frmPrint::IsLoaded();
    frmPrint& dialog = frmPrint::Get();
    if (wasLoaded || PrintSystemAnswered()) {
        dialog.cmdPrint_Click();
    } else {
        // The print system stopped answering while the dialog looked up its printers: a print
        // would only wait for it once more.
        ShowNoPrinter(QStringLiteral("Printing will not be available until"));
    }
    if (!wasLoaded) {
        frmPrint::Unload();
    }
    frmPrintPreview::Unload();
}

void frmPrintPreview::cmdPrint_Click() {
    // The page goes back first, so that a dialog loaded now opens on the day it came from.
    frmPrintPreview::Unload();
    ShowPrintDialog();
}

void frmPrintPreview::cmdClose_Click() {
    frmPrintPreview::Unload();
}

void frmPrintPreview::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!m_unloading) {
        frmPrintPreview::Unload();
    }
}
