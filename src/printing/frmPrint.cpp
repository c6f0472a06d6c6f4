#include "frmPrint.h"

#include "DefaultPrinter.h"
#include "PrintInProgress.h"
#include "PrintPages.h"
#include "PrintSystem.h"
#include "Printer.h"
#include "RichTextBox.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/PrintComposition.h"
#include "core/PrintSettings.h"
#include "core/ProgramState.h"
#include "daypage/TimeTableGrid.h"
#include "daypage/frmSchedule.h"
#include "frmPrintPreview.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Rounding.h"
#include "platform/SettingsStore.h"
#include "ui/MainFrame.h"
#include "ui/OpenWindows.h"
#include "widgets/Captions.h"
#include "widgets/Colours.h"
#include "widgets/Help.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/TwipsGeometry.h"
#include "widgets/UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// The dialog's title bar: the dialog lives inside the main window, so it draws its own, and
// the teacher moves the dialog by it.
class CaptionBar : public QLabel {
public:
    explicit CaptionBar(QWidget* dialog) : QLabel(dialog), m_dialog(dialog) {
        setAutoFillBackground(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, colours.color(QPalette::Highlight));
        colours.setColor(QPalette::WindowText, colours.color(QPalette::HighlightedText));
        setPalette(colours);
        QFont bold = font();
        bold.setBold(true);
        setFont(bold);
        setContentsMargins(8, 4, 8, 4);
        setCursor(Qt::SizeAllCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        m_grab = event->position().toPoint();
        m_dragging = event->button() == Qt::LeftButton;
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        QWidget* area = m_dialog->parentWidget();
        if (!m_dragging || !area) {
            return;
        }
        // The title bar stays within the main window, where the teacher can take hold of it.
        const QPoint wanted = m_dialog->mapToParent(event->position().toPoint() - m_grab);
        const int x = std::clamp(wanted.x(), 40 - m_dialog->width(), std::max(0, area->width() - 40));
        const int y = std::clamp(wanted.y(), 0, std::max(0, area->height() - height()));
        m_dialog->move(x, y);
    }
    void mouseReleaseEvent(QMouseEvent*) override { m_dragging = false; }

private:
    QWidget* m_dialog;
    QPoint m_grab;
    bool m_dragging = false;
};

// A date picker that knows, while it is being left, where the focus went: the date typed into
// it counts then.
class RangePicker : public QDateEdit {
public:
    using QDateEdit::QDateEdit;
    const QWidget* LeftFor() const { return m_leftFor; }

protected:
    void focusOutEvent(QFocusEvent* event) override {
        const QScopedValueRollback<const QWidget*> leaving(m_leftFor, QApplication::focusWidget());
        QDateEdit::focusOutEvent(event);
    }

private:
    const QWidget* m_leftFor = nullptr;
};

// The orientation pictures: a page upright or on its side, with lines of text.
QPixmap OrientationPicture(int index, qreal devicePixelRatio) {
    const QSize size(44, 44);
    QPixmap picture(size * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF page = index == 2 ? QRectF(3, 10, 38, 26) : QRectF(9, 3, 26, 38);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.2));
    painter.setBrush(Qt::white);
    painter.drawRect(page);
    painter.setPen(QPen(QColor(0x2A, 0x5C, 0xAA), 1.6));
    const double left = page.left() + 4;
    const double right = page.right() - 4;
    for (double y = page.top() + 5; y < page.bottom() - 3; y += 4) {
        painter.drawLine(QPointF(left, y), QPointF(y == page.top() + 5 ? (left + right) / 2 : right, y));
    }
    return picture;
}

void InvalidDatesMessage() {
    ShowMessage(
        QStringLiteral("Start Date or End Date are Invalid.\r\n\r\nThe Start Date must occur\r\nbefore the "
                       "End Date."),
        MsgOK, MsgInformation, Globals().AppTitle + QStringLiteral(" - Invalid Dates"), 0);
}

QDate ShownDate() {
    return TextToDate(frmSchedule::Get().txtDate->Text());
}

// Takes a font's four print settings from a label of the day page.
void TakeFont(const QFont& font, QString& name, int& size, bool& bold, bool& italic) {
    name = font.family();
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    size = CLng(points);
    bold = font.bold();
    italic = font.italic();
}

// How far a range print came: the days printed in full, and the day it stopped at with the
// copies of it that were printed.
struct RangePrintProgress {
    int daysPrinted = 0;
    QDate firstPrinted;
    QDate lastPrinted;
    QDate stoppedAt;
    int copiesOfStopped = 0;
    int copies = 0;
    // The stopped day's next copy was cut off after it may have reached the print system.
    bool mayStillPrint = false;
};

QString LongDate(const QDate& date) {
    return FormatDate(date, QStringLiteral("dddd, mmmm d, yyyy"));
}

// From one day to another, or the one day.
QString DaysText(const QDate& first, const QDate& last) {
    return first == last ? LongDate(first) : LongDate(first) + QStringLiteral(" to ") + LongDate(last);
}

QString CopiesPrintedText(const QString& what, int printed, int copies) {
    return QStringLiteral("Of %1, %2 of %3 copies had been printed.").arg(what).arg(printed).arg(copies);
}

// A job whose hand-over was cut off after its document may have reached the print system may
// print all the same: printing it again at once could print it twice. what is the printed
// thing (a day, the timetable), printed the copies of it that were printed before; the lines
// say which copy may still print, and which copies did not print.
QString MayStillPrintLines(const QString& what, int printed, int copies, QString* notPrinted) {
    QString lines;
    if (printed > 0) {
        lines += CopiesPrintedText(what, printed, copies) + QStringLiteral("\r\n");
    }
    const QString job =
        copies > 1 ? QStringLiteral("%1 (copy %2 of %3)").arg(what).arg(printed + 1).arg(copies) : what;
    lines += QStringLiteral("%1 may still print: check the printer before printing it again.").arg(job);
    const int first = printed + 2;
    if (first == copies) {
        *notPrinted = QStringLiteral("copy %1 of %2").arg(first).arg(what);
    } else if (first < copies) {
        *notPrinted = QStringLiteral("copies %1 to %2 of %3").arg(first).arg(copies).arg(what);
    }
    return lines;
}

// What a range print that stopped part-way printed, and where it stopped.
QString RangeStoppedText(const RangePrintProgress& progress, const QDate& rangeEnd) {
    QString text =
        QStringLiteral("The print of the range stopped at %1.\r\n\r\n").arg(LongDate(progress.stoppedAt));
    if (progress.daysPrinted == 0) {
        text += QStringLiteral("No day of the range was printed.");
    } else {
        text += QStringLiteral("Printed: %1 (%2 %3).")
                    .arg(DaysText(progress.firstPrinted, progress.lastPrinted))
                    .arg(progress.daysPrinted)
                    .arg(progress.daysPrinted == 1 ? QStringLiteral("day") : QStringLiteral("days"));
    }
    if (progress.mayStillPrint) {
        QString notPrinted;
        text += QStringLiteral("\r\n") + MayStillPrintLines(LongDate(progress.stoppedAt),
                                                            progress.copiesOfStopped, progress.copies,
                                                            &notPrinted);
        if (progress.stoppedAt < rangeEnd) {
            notPrinted += (notPrinted.isEmpty() ? QString() : QStringLiteral(", and ")) +
                          DaysText(progress.stoppedAt.addDays(1), rangeEnd);
        }
        if (!notPrinted.isEmpty()) {
            text += QStringLiteral("\r\nNot printed: %1.").arg(notPrinted);
        }
        return text;
    }
    text += QStringLiteral("\r\nNot printed: %1.")
                .arg(DaysText(progress.stoppedAt, std::max(progress.stoppedAt, rangeEnd)));
    if (progress.copiesOfStopped > 0) {
        text += QStringLiteral("\r\n") +
                CopiesPrintedText(LongDate(progress.stoppedAt), progress.copiesOfStopped, progress.copies);
    }
    return text;
}

// The opening of the report on a print of one thing (a day, the screen view, the timetable)
// that stopped: empty for the usual one.
QString StoppedText(const QString& what, int printed, int copies, bool stoppedToClose) {
    if (Printer().MayStillPrint()) {
        QString notPrinted;
        QString text = QStringLiteral("The print was stopped.\r\n\r\n") +
                       MayStillPrintLines(what, printed, copies, &notPrinted);
        if (!notPrinted.isEmpty()) {
            text += QStringLiteral("\r\nNot printed: %1.").arg(notPrinted);
        }
        return text;
    }
    if (stoppedToClose) {
        QString text = QStringLiteral("The print was stopped.");
        if (printed > 0) {
            text += QStringLiteral("\r\n\r\n") + CopiesPrintedText(what, printed, copies);
        }
        return text;
    }
    return QString();
}

// A busy pointer while a print runs.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};
} // namespace

frmPrint::frmPrint() {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setObjectName(QStringLiteral("frmPrint"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    buildControls();
    FloatAsWindow(this);
}

frmPrint::~frmPrint() = default;

void frmPrint::buildControls() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->setSpacing(0);
    lblCaption = new CaptionBar(this);
    outer->addWidget(lblCaption);
    auto* body = new QGridLayout;
    body->setContentsMargins(10, 10, 10, 10);
    body->setHorizontalSpacing(12);
    body->setVerticalSpacing(8);
    outer->addLayout(body);

    // The printer.
    Frame1 = new QGroupBox(QStringLiteral("Printers"), this);
    auto* printerRow = new QHBoxLayout(Frame1);
    Label6 = new QLabel(QStringLiteral("Name:"), Frame1);
    cboPrinters = new QComboBox(Frame1);
    cboPrinters->setEditable(false);
    cboPrinters->setMinimumWidth(280);
    cboPrinters->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(cboPrinters, &QComboBox::activated, this, &frmPrint::cboPrinters_Click);
    printerRow->addWidget(Label6);
    printerRow->addWidget(cboPrinters, 1);
    body->addWidget(Frame1, 0, 0, 1, 2);

    // What to print, the range and the copies.
    Frame3 = new QGroupBox(QStringLiteral("Items to Print"), this);
    auto* items = new QGridLayout(Frame3);
    const char* const itemCaptions[4] = {"Lumenleaf  (Current Page)", "Lumenleaf  (Page Range)",
                                         "Lumenleaf (Screen View)", "TimeTable Only"};
    for (int i = 0; i < 4; ++i) {
        optItem[i] = new QRadioButton(QString::fromLatin1(itemCaptions[i]), Frame3);
        items->addWidget(optItem[i], i, 0, 1, 3);
        connect(optItem[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !m_loading) {
                optItem_Click(i);
            }
        });
    }
    auto datePicker = [this]() {
        auto* picker = new RangePicker(Frame3);
        // A date counts once the teacher leaves it (or presses Return, or prints): the first
        // digit of "31" is no date to put the range right by.
        picker->setKeyboardTracking(false);
        picker->setCalendarPopup(true);
        picker->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        picker->setDisplayFormat(QStringLiteral("ddd, MMM d, yyyy"));
        picker->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
        return picker;
    };
    lblStart = new QLabel(QStringLiteral("Start:"), Frame3);
    dtpStart = datePicker();
    lblEnd = new QLabel(QStringLiteral("End:"), Frame3);
    dtpEnd = datePicker();
    items->addWidget(lblStart, 4, 1);
    items->addWidget(dtpStart, 4, 2);
    items->addWidget(lblEnd, 5, 1);
    items->addWidget(dtpEnd, 5, 2);
    items->setColumnMinimumWidth(0, 16);
    items->setColumnStretch(2, 1);
    connect(dtpStart, &QDateEdit::dateChanged, this, &frmPrint::dtpStart_Change);
    connect(dtpEnd, &QDateEdit::dateChanged, this, &frmPrint::dtpEnd_Change);
    body->addWidget(Frame3, 1, 0, 2, 1);

    auto* copiesRow = new QHBoxLayout;
    lblCopies = new QLabel(QStringLiteral("Number of Copies:"), this);
    txtcopies = new QLineEdit(QStringLiteral("1"), this);
    txtcopies->setFixedWidth(44);
    txtcopies->setAlignment(Qt::AlignRight);
    udcCopies = new UpDown(1, kMaxCopies, this);
    udcCopies->SetBuddy(txtcopies);
    copiesRow->addWidget(lblCopies);
    copiesRow->addWidget(txtcopies);
    copiesRow->addWidget(udcCopies);
    copiesRow->addStretch(1);
    connect(udcCopies, &UpDown::Change, this,
            [this](int value) { txtcopies->setText(QString::number(value)); });
    connect(txtcopies, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int copies = CopiesToPrint(text);
        if (copies >= 1) {
            udcCopies->setValue(copies);
        }
    });
    // As the teacher leaves it, the box is held to the up-down's range and shows the copies that
    // print (99 becomes 10); a nought or a non-number stays as typed, and prints nothing.
    connect(txtcopies, &QLineEdit::editingFinished, this, [this] {
        const int copies = CopiesToPrint(txtcopies->text());
        if (copies >= 1) {
            txtcopies->setText(QString::number(copies));
        }
    });
    body->addLayout(copiesRow, 3, 0);

    fraPrintOptions = new QGroupBox(QStringLiteral("Print Options"), this);
    auto* settingsRow = new QHBoxLayout(fraPrintOptions);
    cmdSettingsSave = new QPushButton(QStringLiteral("Save These Settings"), fraPrintOptions);
    cmdSettingsRestore = new QPushButton(QStringLiteral("Restore Original Settings"), fraPrintOptions);
    settingsRow->addWidget(cmdSettingsSave);
    settingsRow->addWidget(cmdSettingsRestore);
    connect(cmdSettingsSave, &QPushButton::clicked, this, &frmPrint::cmdSettingsSave_Click);
    connect(cmdSettingsRestore, &QPushButton::clicked, this, &frmPrint::cmdSettingsRestore_Click);
    body->addWidget(fraPrintOptions, 4, 0);

    // How the page looks.
    fraOrientation = new QGroupBox(QStringLiteral("Orientation"), this);
    auto* orientation = new QGridLayout(fraOrientation);
    optOrientation[0] = new QRadioButton(QStringLiteral("Portrait"), fraOrientation);
    optOrientation[1] = new QRadioButton(QStringLiteral("Landscape"), fraOrientation);
    imgOrient = new QLabel(fraOrientation);
    imgOrient->setFixedSize(44, 44);
    orientation->addWidget(optOrientation[0], 0, 0);
    orientation->addWidget(optOrientation[1], 1, 0);
    orientation->addWidget(imgOrient, 0, 1, 2, 1);
    for (int i = 0; i < 2; ++i) {
        connect(optOrientation[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !m_loading) {
                optOrientation_Click(i);
            }
        });
    }
    body->addWidget(fraOrientation, 1, 1);

    fraFonts = new QGroupBox(QStringLiteral("Font Selection"), this);
    auto* fonts = new QVBoxLayout(fraFonts);
    optFont[0] = new QRadioButton(QStringLiteral("Default (Arial)"), fraFonts);
    optFont[1] = new QRadioButton(QStringLiteral("Current Fonts"), fraFonts);
    for (int i = 0; i < 2; ++i) {
        fonts->addWidget(optFont[i]);
        connect(optFont[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !m_loading) {
                optFont_Click(i);
            }
        });
    }

    fraOptions = new QGroupBox(QStringLiteral("Options"), this);
    auto* options = new QVBoxLayout(fraOptions);
    chkNotes = new QCheckBox(QStringLiteral("Include Notes"), fraOptions);
    chkULHeading = new QCheckBox(QStringLiteral("UnderLine Heading"), fraOptions);
    chkULTimeSubject = new QCheckBox(QStringLiteral("UnderLine Time and Subject"), fraOptions);
    for (QCheckBox* box : {chkNotes, chkULHeading, chkULTimeSubject}) {
        options->addWidget(box);
    }
    connect(chkNotes, &QCheckBox::toggled, this, &frmPrint::chkNotes_Click);
    connect(chkULHeading, &QCheckBox::toggled, this, &frmPrint::chkULHeading_Click);
    connect(chkULTimeSubject, &QCheckBox::toggled, this, &frmPrint::chkULTimeSubject_Click);
    auto* fontsAndOptions = new QHBoxLayout;
    fontsAndOptions->addWidget(fraFonts);
    fontsAndOptions->addWidget(fraOptions, 1);
    body->addLayout(fontsAndOptions, 2, 1);

    fraMargins = new QGroupBox(QStringLiteral("Margins   (Inches)"), this);
    auto* marginGrid = new QGridLayout(fraMargins);
    auto marginControls = [this, marginGrid](const QString& caption, int row, int column, QLabel*& label,
                                             QLineEdit*& inches, QLineEdit*& tenths, UpDown*& upDown) {
        label = new QLabel(caption, fraMargins);
        inches = new QLineEdit(QStringLiteral("0.5"), fraMargins);
        // Only the up-downs change a margin: typing into the box would not. The box takes the
        // focus all the same, and its Up and Down keys step its up-down.
        inches->setReadOnly(true);
        inches->setFixedWidth(48);
        inches->setAlignment(Qt::AlignRight);
        tenths = new QLineEdit(QStringLiteral("5"), fraMargins);
        tenths->hide();
        upDown = new UpDown(0, kMarginTenthsMax, fraMargins);
        upDown->setValue(5);
        upDown->SetBuddy(inches);
        marginGrid->addWidget(label, row, column * 4);
        marginGrid->addWidget(inches, row, column * 4 + 1);
        marginGrid->addWidget(upDown, row, column * 4 + 2);
    };
    marginControls(QStringLiteral("Top:"), 0, 0, lblTop, txtMTop, txtMTop2, udcTop);
    marginControls(QStringLiteral("Bottom:"), 0, 1, lblBtm, txtMBtm, txtMBtm2, udcBtm);
    marginControls(QStringLiteral("Left:"), 1, 0, lblLeft, txtMLeft, txtMLeft2, udcLeft);
    marginControls(QStringLiteral("Right:"), 1, 1, lblRight, txtMRight, txtMRight2, udcRight);
    marginGrid->setColumnMinimumWidth(3, 16);
    marginGrid->setColumnStretch(7, 1);
    for (const Margin& margin : margins()) {
        connect(margin.upDown, &UpDown::Change, this,
                [tenths = margin.tenths](int value) { tenths->setText(QString::number(value)); });
        connect(margin.tenths, &QLineEdit::textChanged, this, [this, tenths = margin.tenths] {
            for (const Margin& changed : margins()) {
                if (changed.tenths == tenths) {
                    marginTenthsChanged(changed);
                }
            }
        });
    }
    body->addWidget(fraMargins, 3, 1, 2, 1);

    // The commands.
    auto* commands = new QHBoxLayout;
    commands->addStretch(1);
    cmdPrint = new QPushButton(QStringLiteral("Print"), this);
    cmdPrintPreview = new QPushButton(QStringLiteral("Print Preview"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdHelp = new QPushButton(QStringLiteral("Help"), this);
    for (QPushButton* command : {cmdPrint, cmdPrintPreview, cmdCancel, cmdHelp}) {
        command->setMinimumWidth(96);
        // Return presses the button that has the focus. None is drawn as the default: outside
        // a dialog window that look never moves, and it would hide where the focus is.
        command->setAutoDefault(true);
        commands->addWidget(command);
    }
    connect(cmdPrint, &QPushButton::clicked, this, &frmPrint::cmdPrint_Click);
    connect(cmdPrintPreview, &QPushButton::clicked, this, &frmPrint::cmdPrintPreview_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPrint::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmPrint::cmdHelp_Click);
    body->addLayout(commands, 5, 0, 1, 2);

    picSave = new QLabel(this);
    picSave->hide();
}

std::array<frmPrint::Margin, 4> frmPrint::margins() const {
    ProgramState& g = Globals();
    return {Margin{txtMTop, txtMTop2, udcTop, &g.MarginTop}, Margin{txtMBtm, txtMBtm2, udcBtm, &g.MarginBtm},
            Margin{txtMLeft, txtMLeft2, udcLeft, &g.MarginLeft},
            Margin{txtMRight, txtMRight2, udcRight, &g.MarginRight}};
}

void frmPrint::Form_Load() {
    ProgramState& g = Globals();
    m_loading = true;
    MainFrame& main = MainFrame::Get();
    // 3. The dialog lives inside the main window.
    if (parentWidget() != main.clientArea) {
        m_oldParent = parentWidget();
        setParent(main.clientArea);
    }
    // 2.
    lblCaption->setText(g.AppTitle + QStringLiteral(" - Print  "));
    adjustSize();
    // 1. Centred across the screen, just below the tool-bar band.
    const int screenWidth = screen() ? screen()->geometry().width() : main.clientArea->width();
    const int areaWidth = main.clientArea->width() > 0 ? main.clientArea->width() : screenWidth;
    move(std::max(0, (std::min(screenWidth, areaWidth) - width()) / 2), main.CoolBar->height());

    // 4.-5. The printers, and the default one chosen as a click would choose it, from one answer.
    const PrintCommand command;
    cboPrinters->clear();
    for (const PrinterEntry& printer : Printers()) {
        cboPrinters->addItem(PrinterEntryText(printer), printer.DeviceName);
    }
    if (const std::optional<PrinterEntry> printer = GetDefaultPrinter()) {
        PrinterText = PrinterEntryText(*printer);
        cboPrinters->setCurrentIndex(cboPrinters->findText(PrinterText));
        cboPrinters_Click();
    }
    // 6.-7.
    txtcopies->setText(QStringLiteral("1"));
    udcCopies->setValue(1);
    LoadPrintSettings();

    // 8. Each choice is made as a click would make it.
    optItem[g.PrintItem]->setChecked(true);
    optFont[g.PRFont]->setChecked(true);
    const int orientation = g.PrintOrientation != 1 ? 1 : 0;
    optOrientation[orientation]->setChecked(true);
    m_loading = false;
    optItem_Click(g.PrintItem);
    optFont_Click(g.PRFont);
    optOrientation_Click(orientation);
    // A tick set from code is handled as a click on it.
    chkNotes->setChecked(g.PRNotes);
    chkULHeading->setChecked(g.ULHeading);
    chkULTimeSubject->setChecked(g.ULTimeSubject);

    // 9. The margins through their tenths.
    for (const Margin& margin : margins()) {
        const QSignalBlocker quiet(margin.tenths);
        margin.tenths->setText(MarginNumberText(MarginTenths(*margin.twips)));
        marginTenthsChanged(margin);
    }

    // 10. The range starts and ends on the shown day.
    ReturnDate = ShownDate();
    RangeStart = ReturnDate;
    RangeEnd = ReturnDate;
    RangeDay = ReturnDate;
    const QDate shown = ReturnDate.isValid() ? ReturnDate : Clock::Today();
    for (QDateEdit* picker : {dtpStart, dtpEnd}) {
        const QSignalBlocker quiet(picker);
        picker->setDate(shown);
    }
    RegisterOpenWindow(QStringLiteral("frmPrint"), [] { frmPrint::Unload(); });
}

void frmPrint::Form_Unload() {
    ForgetOpenWindow(QStringLiteral("frmPrint"));
    // The focus would fall to the page's first control, the Previous arrow, under whatever else is open.
    const bool focused = isAncestorOf(QApplication::focusWidget());
    hide();
    setParent(m_oldParent);
    if (Globals().StartupDone && ReturnDate.isValid()) {
        GoToDate(ReturnDate);
    }
    if (focused) {
        FocusAfterClosing(this);
    }
}

void frmPrint::LoadPrintSettings() {
    ::LoadPrintSettings(Globals());
}

void frmPrint::cboPrinters_Click() {
    const int index = cboPrinters->currentIndex();
    if (index < 0) {
        return;
    }
    const PrintCommand command;
    // The entry's own printer: a name holding " on" cannot mislead the choice.
    const QString device = cboPrinters->currentData().toString();
    const QList<PrinterEntry> printers = Printers();
    if (!PrintSystemAnswered()) {
        // The printer chosen before stays, and so does the entry that shows it.
        cboPrinters->setCurrentIndex(cboPrinters->findText(PrinterText));
        ShowMessage(
            PrintSystemNotAnsweringText() +
                QStringLiteral("\r\n\r\nThe printer could not be changed; please choose it again in a "
                               "moment."),
            MsgOK, MsgWarning, Globals().AppTitle + QStringLiteral(" - Print System Not Answering"), 0);
        return;
    }
    PrinterText = cboPrinters->currentText();
    for (const PrinterEntry& printer : printers) {
        if (printer.DeviceName == device) {
            Printer().SetCurrent(printer);
        }
    }
    if (frmPrintPreview* preview = frmPrintPreview::IfLoaded()) {
        preview->lblPrinter->setText(PrinterText);
    }
}

void frmPrint::optItem_Click(int index) {
    Globals().PrintItem = index;
    const bool range = index == 1;
    const bool page = index == 0 || index == 1;
    for (QWidget* control : std::initializer_list<QWidget*>{lblStart, lblEnd, dtpStart, dtpEnd}) {
        control->setEnabled(range);
    }
    for (QWidget* frame : std::initializer_list<QWidget*>{fraMargins, fraFonts, fraOrientation, fraOptions}) {
        frame->setEnabled(page);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{lblCopies, udcCopies, txtcopies}) {
        control->setEnabled(page);
    }
    cmdPrintPreview->setEnabled(index != 2);
}

void frmPrint::optOrientation_Click(int index) {
    Globals().PrintOrientation = index == 1 ? 2 : 1;
    imgOrient->setPixmap(OrientationPicture(Globals().PrintOrientation, devicePixelRatioF()));
}

void frmPrint::optFont_Click(int index) {
    ProgramState& g = Globals();
    g.PRFont = index;
    if (index == 0) {
        UseDefaultPrintFonts(g);
        return;
    }
    const frmSchedule& page = frmSchedule::Get();
    TakeFont(page.lblDate->font(), g.HeadFontName, g.HeadFontSize, g.HeadFontBold, g.HeadFontItalic);
    TakeFont(page.lblSubject[0]->font(), g.TSFontName, g.TSFontSize, g.TSFontBold, g.TSFontItalic);
}

void frmPrint::chkNotes_Click() {
    Globals().PRNotes = chkNotes->isChecked();
}

void frmPrint::chkULHeading_Click() {
    Globals().ULHeading = chkULHeading->isChecked();
}

void frmPrint::chkULTimeSubject_Click() {
    Globals().ULTimeSubject = chkULTimeSubject->isChecked();
}

void frmPrint::marginTenthsChanged(const Margin& margin) {
    double tenths = 0;
    if (!MarginNumberFromText(margin.tenths->text(), &tenths)) {
        return;
    }
    margin.inches->setText(MarginInchesText(tenths));
    *margin.twips = MarginTwipsFromInches(margin.inches->text());
    margin.upDown->setValue(CLng(std::clamp(tenths, 0.0, double(kMarginTenthsMax))));
}

void frmPrint::dtpStart_Change() {
    RangeStart = dtpStart->date();
    if (dtpEnd->date() < RangeStart && !rangeGoesToPrint()) {
        dtpEnd->setDate(RangeStart);
        RangeEnd = RangeStart;
    }
}

void frmPrint::dtpEnd_Change() {
    RangeEnd = dtpEnd->date();
    if (dtpStart->date() > RangeEnd && !rangeGoesToPrint()) {
        dtpStart->setDate(RangeEnd);
        RangeStart = RangeEnd;
    }
}

bool frmPrint::rangeGoesToPrint() const {
    for (const QDateEdit* picker : {dtpStart, dtpEnd}) {
        const QWidget* next = static_cast<const RangePicker*>(picker)->LeftFor();
        if (next && (next == cmdPrint || next == cmdPrintPreview)) {
            return true;
        }
    }
    return m_takingTypedDates;
}

QList<QDate> frmPrint::RangeDays() const {
    return PrintRangeDays(ListedDays(), RangeStart, RangeEnd);
}

bool frmPrint::rangeReady() {
    m_takingTypedDates = true;
    for (QDateEdit* picker : {dtpStart, dtpEnd}) {
        picker->interpretText();
    }
    m_takingTypedDates = false;
    if (RangeStart > RangeEnd) {
        InvalidDatesMessage();
        return false;
    }
    if (RangeDays().isEmpty()) {
        ShowMessage(
            QStringLiteral("There is no day to print from %1 to %2.\r\n\r\nThe range holds none of the "
                           "days that the plan book shows.")
                .arg(LongDate(RangeStart), LongDate(RangeEnd)),
            MsgOK, MsgInformation, Globals().AppTitle + QStringLiteral(" - Print"), 0);
        return false;
    }
    return true;
}

bool frmPrint::marginsLeaveRoom() {
    const ProgramState& g = Globals();
    PrinterObject& printer = Printer();
    printer.SetOrientation(g.PrintOrientation);
    if (!printer.HasPrinter() || MarginsLeaveRoom(printer.Width(), printer.Height(), g)) {
        return true;
    }
    ShowMessage(
        QStringLiteral("The margins leave no room on the page.\r\n\r\nLeft and Right together must be less "
                       "than the page's width (%1 inches), and Top and Bottom together less than its "
                       "height (%2 inches).")
            .arg(QLocale().toString(printer.Width() / 1440.0, 'g', 3),
                 QLocale().toString(printer.Height() / 1440.0, 'g', 3)),
        MsgOK, MsgWarning, g.AppTitle + QStringLiteral(" - Margins"), 0);
    return false;
}

bool frmPrint::printDayPage(int* copiesPrinted) {
    const ProgramState& g = Globals();
    // The box is read again for each day of a range.
    const int copies = CopiesToPrint(txtcopies->text());
    for (int copy = 0; copy < copies; ++copy) {
        if (!GoOnPrinting()) {
            m_stoppedToClose = true;
            Printer().SetError(QStringLiteral("Quillmarsh closes now, as asked."));
            return false;
        }
        ComposeDayPage();
        if (!PrintRtf(*frmPrintPreview::Get().rtbPrint, g.MarginLeft, g.MarginTop, g.MarginRight,
                      g.MarginBtm)) {
            return false;
        }
        if (copiesPrinted) {
            ++*copiesPrinted;
        }
    }
    return true;
}

void frmPrint::printFailed(const QString& whatHappened) {
    ReportPrintFailure(whatHappened);
    if (ReturnDate.isValid()) {
        GoToDate(ReturnDate);
    }
}

void frmPrint::cmdPrint_Click() {
    // One print at a time: a Print that reaches here while one runs starts nothing.
    if (PrintInProgress::Active()) {
        return;
    }
    const PrintInProgress inProgress;
    m_stoppedToClose = false;
    const ProgramState& g = Globals();
    // A box that holds no number of copies would print nothing without a word: the teacher is
    // told what it needs, and the dialog, the preview and the page stay as they are.
    if ((g.PrintItem == 0 || g.PrintItem == 1) && CopiesToPrint(txtcopies->text()) == 0) {
        ShowMessage(
            QStringLiteral("Number of Copies needs a number from 1 to %1.\r\n\r\nNothing was printed.")
                .arg(kMaxCopies),
            MsgOK, MsgInformation, g.AppTitle + QStringLiteral(" - Number of Copies"), 0);
        return;
    }
    ShowPreview(0);
    switch (g.PrintItem) {
    case 0: {
        if (!marginsLeaveRoom()) {
            return;
        }
        int copiesPrinted = 0;
        bool ok = false;
        {
            const BusyPointer busy;
            ok = printDayPage(&copiesPrinted);
        }
        if (!ok) {
            printFailed(StoppedText(LongDate(ShownDate()), copiesPrinted, CopiesToPrint(txtcopies->text()),
                                    m_stoppedToClose));
        }
        break;
    }
    case 1: {
        if (!rangeReady() || !marginsLeaveRoom()) {
            return;
        }
        bool failed = false;
        RangePrintProgress progress;
        progress.copies = CopiesToPrint(txtcopies->text());
        {
            const BusyPointer busy;
            WalkPrintRange(RangeStart, RangeEnd, [this, &failed, &progress] {
                RangeDay = ShownDate();
                int copiesPrinted = 0;
                failed = !printDayPage(&copiesPrinted);
                if (failed) {
                    progress.stoppedAt = RangeDay;
                    progress.copiesOfStopped = copiesPrinted;
                    progress.mayStillPrint = Printer().MayStillPrint();
                    return false;
                }
                if (progress.daysPrinted++ == 0) {
                    progress.firstPrinted = RangeDay;
                }
                progress.lastPrinted = RangeDay;
                return true;
            });
        }
        if (failed) {
            printFailed(RangeStoppedText(progress, RangeEnd));
        } else if (ReturnDate.isValid()) {
            GoToDate(ReturnDate);
        }
        break;
    }
    case 2: {
        bool ok = false;
        {
            const HiddenForAWhile hidden(this); // out of the picture
            const BusyPointer busy;
            ok = PrintSchedulePicture();
        }
        if (!ok) {
            printFailed(StoppedText(QStringLiteral("The screen view"), 0, 1, false));
        }
        break;
    }
    case 3: {
        ShowPreview(1);
        bool ok = false;
        {
            const BusyPointer busy;
            ok = PrintTimeTable();
        }
        ShowPreview(0);
        if (!ok) {
            printFailed(StoppedText(QStringLiteral("The timetable"), 0, 1, false));
        }
        break;
    }
    default:
        break;
    }
}

void frmPrint::cmdPrintPreview_Click() {
    ShowPreview(1);
}

void frmPrint::ShowPreview(int mode) {
    const ProgramState& g = Globals();
    if (mode == 0) {
        if (frmPrintPreview* preview = frmPrintPreview::IfLoaded()) {
            preview->rtbPrint->hide();
            preview->picTimeTable->hide();
            preview->hide();
        }
        return;
    }
    if (g.PrintItem == 2) {
        return;
    }
    if (g.PrintItem == 1 && !rangeReady()) {
        return;
    }
    frmPrintPreview& preview = frmPrintPreview::Get();
    preview.OpenedWith(RangeStart, RangeEnd, ReturnDate);
    if (g.PrintItem == 3) {
        preview.picTimeTable->show();
        preview.rtbPrint->hide();
        FillPreviewTimeTable();
    } else {
        preview.picTimeTable->hide();
        preview.rtbPrint->show();
        if (g.PrintItem == 1) {
            GoToListedDate(RangeDays().first());
        }
        ComposeDayPage();
        preview.rtbPrint->setSelStart(0);
    }
    // Offered by what is previewed now, even when the window was loaded earlier by a print.
    preview.ShowSteppingButtons();
    preview.show();
    preview.raise();
    preview.activateWindow();
}

void frmPrint::FillPreviewTimeTable() {
    const ProgramState& g = Globals();
    frmPrintPreview& preview = frmPrintPreview::Get();
    TimeTableGridInput input;
    const QString section = QStringLiteral("Settings\\TimeTable");
    input.setting = [&section](const QString& key) { return CaptionText(ReadText(section, key)); };
    input.cycle = g.Cycle;
    input.wkDay = g.WkDay;
    // The printed columns are wider than the panel's.
    input.rowLabelWidth = g.RowLabelWidth + 600;
    const TimeTableGridLayout grid =
        ShowTimeTableGrid(preview.lblHeader, preview.lblRow, preview.picTimeTable, input);
    const int shownRows = grid.D - 1;
    const int dayColumns = grid.N - 1;
    TwMove(preview.picTimeTable, TwLeft(preview.picTimeTable), TwTop(preview.picTimeTable),
           dayColumns * grid.w + TwWidth(preview.lblRow[0]) - 40,
           shownRows * TwHeight(preview.lblRow[0]) + 20 + TwHeight(preview.lblHeader[0]));
}

void frmPrint::cmdSettingsSave_Click() {
    SavePrintSettings(Globals());
}

void frmPrint::cmdSettingsRestore_Click() {
    const PrintCommand command; // the dialog's loading looks up the printers
    RestorePrintSettingDefaults(Globals());
    SavePrintSettings(Globals());
    Form_Load();
}

void frmPrint::cmdCancel_Click() {
    frmPrint::Unload();
}

void frmPrint::cmdHelp_Click() {
    HtmlHelp(this, Globals().HelpFile, HH_HELP_CONTEXT, 280);
}

bool frmPrint::focusNextPrevChild(bool next) {
    // The dialog floats on the main window, whose chain would lead Tab on to the day page.
    return FocusNextInside(this, next) || QFrame::focusNextPrevChild(next);
}

void frmPrint::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cmdCancel_Click();
        return;
    }
    QFrame::keyPressEvent(event);
}
