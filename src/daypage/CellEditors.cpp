#include "CellEditors.h"

#include "DayPageWidgets.h"
#include "EditCommands.h"
#include "core/DayDatabase.h"
#include "core/ProgramState.h"
#include "frmSchedule.h"
#include "platform/Recordset.h"
#include "platform/Rounding.h"
#include "platform/Twips.h"
#include "ui/MainFrame.h"
#include "ui/OpenWindows.h"
#include "ui/UiState.h"
#include "widgets/Colours.h"
#include "widgets/CommandIcons.h"
#include "widgets/Help.h"
#include "widgets/LimitedTextEdit.h"
#include "widgets/TwipsGeometry.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace {
constexpr int kDetailsLimit = 250;

frmSchedule& Page() {
    return frmSchedule::Get();
}

int Row() {
    return qBound(0, Ui().EditRow, 11);
}

// A control in one of the day page's styles: fore colour and font set, on a back colour.
void Style(QWidget* widget, int fore, int fontSet, int back) {
    const ProgramState& g = Globals();
    QPalette palette = widget->palette();
    const QColor text = ColorFromBgr(g.ColourFore[fore]);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Window, ColorFromBgr(g.ColourBack[back]));
    palette.setColor(QPalette::Base, ColorFromBgr(g.ColourBack[back]));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    if (fontSet >= 0) {
        widget->setFont(
            MakeFont(g.FontName[fontSet], g.FontSize[fontSet], g.FontBold[fontSet], g.FontItalic[fontSet]));
    }
}

// A label's width in twips: the design's, or its text's where our font needs more room.
double FittedWidth(const QLabel* label, double designWidth) {
    return qMax(designWidth, TwipsX(label->sizeHint().width()));
}

QPushButton* Button(QWidget* parent, const QString& caption, double left, double top) {
    auto* button = new QPushButton(caption, parent);
    TwMove(button, left, top, 1140, 375);
    return button;
}

// OK of every editor: the text goes into the cell, the day is stored at once and read again
// (leaving it and coming back), so its remembered entry texts are the new ones.
void StoreCell(BoundLabel* cell, const QString& text, bool details) {
    cell->setCaption(text);
    if (details) {
        PushUndo(Row());
    }
    Recordset& days = DayRecords();
    days.Update();
    days.MoveNext();
    days.MovePrevious();
}

// The small copy of the day page's row, filled in the day's styles.
void FillRow(DetailsRowControls& row) {
    frmSchedule& page = Page();
    const int r = Row();
    row.lblEditDate->setText(page.lblDate->Caption());
    Style(row.lblEditDate, 0, 0, 0);
    row.lblEditTime->setText(page.lblTime[r]->Caption());
    Style(row.lblEditTime, 1, 1, 1);
    row.lblEditSubject->setText(page.lblSubject[r]->Caption());
    Style(row.lblEditSubject, 2, 2, 1);
    Style(row.lblEditCaret, 3, -1, 3);
    // The whole stored text, even one longer than the limit: nothing is cut without a word.
    row.txtEditDetails->setPlainText(page.lblDetails[r]->Caption());
    Style(row.txtEditDetails, 3, -1, 3);
}

void MakeRow(QWidget* parent, DetailsRowControls& row, double pointSize) {
    for (QLabel** label : {&row.lblEditDate, &row.lblEditTime, &row.lblEditSubject}) {
        *label = new QLabel(parent);
        (*label)->setTextFormat(Qt::PlainText);
        (*label)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    row.lblEditDate->setContentsMargins(6, 0, 0, 0);
    row.lblEditTime->setContentsMargins(4, 0, 0, 0);
    row.lblEditCaret = new QLabel(QStringLiteral(">>"), parent);
    row.lblEditCaret->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    row.txtEditDetails = new LimitedTextEdit(kDetailsLimit, parent);
    row.txtEditDetails->setFrameShape(QFrame::NoFrame);
    QFont font = MakeFont(QStringLiteral("MS Sans Serif"), 10, false, false);
    font.setPointSizeF(pointSize);
    row.txtEditDetails->setFont(font);
    row.lnLine1 = new Line(parent);
    row.lnLine2 = new Line(parent);
}
} // namespace

// The Time and Subject editors.

frmEditLine::frmEditLine(const QString& formName, const QString& caption, const QString& frameText,
                         int styleSet, int helpContext)
    : QDialog(MainFrame::IfLoaded()), m_formName(formName), m_styleSet(styleSet), m_helpContext(helpContext) {
    setModal(true);
    setWindowTitle(Globals().AppTitle + caption);
    Frame1 = new QGroupBox(frameText, this);
    TwMove(Frame1, 120, 120, 6600, 1380);
    lblEditDate = new QLabel(Frame1);
    TwMove(lblEditDate, 180, 300, 6240, 300);
    Label1 = new QLabel(QStringLiteral("Enter Text:"), Frame1);
    TwMove(Label1, 180, 720, 1140, 300);
    txtEdit = new QLineEdit(Frame1);
    TwMove(txtEdit, 1320, 660, 5100, 405);
    cmdHelp = Button(this, QStringLiteral("Help"), 120, 1620);
    cmdOK = Button(this, QStringLiteral("OK"), 4320, 1620);
    cmdCancel = Button(this, QStringLiteral("Cancel"), 5580, 1620);
    cmdOK->setDefault(true);
    setFixedSize(PxX(6840), PxY(2160));
    connect(cmdOK, &QPushButton::clicked, this, &frmEditLine::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmEditLine::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmEditLine::cmdHelp_Click);
    connect(this, &QDialog::rejected, this, [this] { FocusAfterClosing(this); });
}

void frmEditLine::Load() {
    lblEditDate->setText(Page().lblDate->Caption());
    Style(txtEdit, m_styleSet, m_styleSet, 1);
    txtEdit->setText(Cell()->Caption());
    RegisterOpenWindow(m_formName, [this] { reject(); });
}

void frmEditLine::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    txtEdit->setFocus();
}

void frmEditLine::cmdOK_Click() {
    StoreCell(Cell(), txtEdit->text(), false);
    accept();
    FocusAfterClosing(this);
}

void frmEditLine::cmdCancel_Click() {
    reject();
}

void frmEditLine::cmdHelp_Click() {
    HtmlHelp(this, Globals().HelpFile, HH_HELP_CONTEXT, m_helpContext);
}

frmEditTime::frmEditTime()
    : frmEditLine(QStringLiteral("frmEditTime"), QStringLiteral(" - Edit Time Line  "),
                  QStringLiteral("Editing the Time Line..."), 1, 210) {}

void frmEditTime::Form_Unload() {
    ForgetOpenWindow(QStringLiteral("frmEditTime"));
}

BoundLabel* frmEditTime::Cell() const {
    return Page().lblTime[Row()];
}

frmEditSubject::frmEditSubject()
    : frmEditLine(QStringLiteral("frmEditSubject"), QStringLiteral(" - Edit Subject Line  "),
                  QStringLiteral("Editing the Subject Line..."), 2, 200) {}

void frmEditSubject::Form_Unload() {
    ForgetOpenWindow(QStringLiteral("frmEditSubject"));
}

BoundLabel* frmEditSubject::Cell() const {
    return Page().lblSubject[Row()];
}

// The Details editor.

frmEditDetails::frmEditDetails() : QDialog(MainFrame::IfLoaded()) {
    setModal(true);
    setWindowTitle(Globals().AppTitle + QStringLiteral(" - Edit Details  "));
    fraEditDetails = new QGroupBox(QStringLiteral("Editing Details..."), this);
    TwMove(fraEditDetails, 120, 120, 6000, 2400);
    MakeRow(fraEditDetails, *this, 9.6);
    TwMove(lblEditDate, 120, 300, 3000, 324);
    cmdHelp = Button(this, QStringLiteral("Help"), 120, 0);
    cmdOK = Button(this, QStringLiteral("OK"), 0, 0);
    cmdCancel = Button(this, QStringLiteral("Cancel"), 0, 0);
    cmdOK->setDefault(false);
    cmdOK->setAutoDefault(false); // Enter makes a new line in the text
    cmdCancel->setAutoDefault(false);
    cmdHelp->setAutoDefault(false);

    CoolBar1 = new QWidget(this);
    ToolbarDetails = new QToolBar(CoolBar1);
    ToolbarDetails->setIconSize(QSize(18, 18));
    for (const char* key : {"Cut", "Copy", "Paste", "Erase", "SelectAll"}) {
        const QString name = QString::fromLatin1(key);
        imlDetails.Add(name, Artwork::ToolbarIcon(name, true));
        QAction* button = ToolbarDetails->addAction(imlDetails.Icon(name), name);
        button->setObjectName(name);
        button->setToolTip(name == QLatin1String("SelectAll") ? QStringLiteral("Select All") : name);
        connect(button, &QAction::triggered, this, [this, name] { ToolbarDetails_ButtonClick(name); });
        // The buttons act on the text box, so they must never take its focus.
        ToolbarDetails->widgetForAction(button)->setFocusPolicy(Qt::NoFocus);
    }
    ToolbarDetails->adjustSize();
    CoolBar1->resize(ToolbarDetails->sizeHint());

    connect(cmdOK, &QPushButton::clicked, this, &frmEditDetails::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmEditDetails::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmEditDetails::cmdHelp_Click);
    connect(this, &QDialog::rejected, this, [this] { FocusAfterClosing(this); });
}

void frmEditDetails::Form_Load() {
    frmSchedule& page = Page();
    FillRow(*this);
    // A copy of the page's row, stacked down from the date label's place.
    const double X0 = CLng(TwLeft(lblEditDate));
    const double Y = CLng(TwTop(lblEditDate));
    const double timeWidth = TwWidth(page.lblTime[0]);
    const double subjectWidth = TwWidth(page.lblSubject[0]);
    const double lineHeight = TwHeight(page.lblTime[0]);
    const double dateHeight = TwHeight(lblEditDate);
    TwMove(lblEditDate, X0, Y, timeWidth + subjectWidth, dateHeight);
    TwMove(lblEditTime, X0, Y + dateHeight, timeWidth, lineHeight);
    TwMove(lblEditSubject, X0 + timeWidth, TwTop(lblEditTime), subjectWidth, lineHeight);
    // The text box is the page's Details cell, to the pixel, and ends with the date bar; the
    // page's small caret takes what is left of the row before it.
    const double detailsHeight = TwHeight(page.lblDetails[0]);
    const double rowRight = TwipsX(PxX(X0 + TwWidth(lblEditDate)));
    const double detailsLeft = rowRight - TwipsX(page.lblDetails[Row()]->width());
    lblEditCaret->setFont(CaretFont(lblEditCaret->font()));
    TwMove(lblEditCaret, X0, TwTop(lblEditTime) + lineHeight, detailsLeft - X0, detailsHeight);
    TwMove(txtEditDetails, detailsLeft, TwTop(lblEditCaret), rowRight - detailsLeft, detailsHeight);
    const double W = TwWidth(txtEditDetails) + TwWidth(lblEditCaret);
    const double y1 = TwTop(lblEditDate) + dateHeight;
    lnLine1->Place(X0, X0 + W, y1);
    lnLine2->Place(X0, X0 + W, y1 + lineHeight - 8);

    // The frame around it, the dialog around the frame; OK and Cancel at its right edge, the
    // tool bar centred between Help and OK.
    const double frameLeft = TwLeft(fraEditDetails);
    const double frameHeight = TwTop(lblEditCaret) + detailsHeight + 240;
    TwMove(fraEditDetails, frameLeft, TwTop(fraEditDetails), 2 * frameLeft + TwWidth(lblEditDate),
           frameHeight);
    const double buttonsTop = TwTop(fraEditDetails) + frameHeight + 180;
    TwMove(cmdCancel, frameLeft + TwWidth(fraEditDetails) - TwWidth(cmdCancel), buttonsTop);
    TwMove(cmdOK, TwLeft(cmdCancel) - TwWidth(cmdOK), buttonsTop);
    TwMove(cmdHelp, TwLeft(cmdHelp), buttonsTop);
    const double middle =
        CLng((TwLeft(cmdOK) - (frameLeft + TwWidth(cmdHelp))) / 2 + frameLeft + TwWidth(cmdHelp));
    const double coolWidth = TwipsX(CoolBar1->width());
    TwMove(CoolBar1, middle - coolWidth / 2, buttonsTop, coolWidth, TwipsY(CoolBar1->height()));
    setFixedSize(PxX(frameLeft * 2.4 + TwWidth(fraEditDetails)), PxY(buttonsTop + 375 + 240));
    RegisterOpenWindow(QStringLiteral("frmEditDetails"), [this] { reject(); });
}

void frmEditDetails::Form_Unload() {
    ForgetOpenWindow(QStringLiteral("frmEditDetails"));
}

void frmEditDetails::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    txtEditDetails->setFocus();
}

void frmEditDetails::cmdOK_Click() {
    StoreCell(Page().lblDetails[Row()], txtEditDetails->StoredText(), true);
    accept();
    FocusAfterClosing(this);
}

void frmEditDetails::cmdCancel_Click() {
    reject();
}

void frmEditDetails::cmdHelp_Click() {
    HtmlHelp(this, Globals().HelpFile, HH_HELP_CONTEXT, 190);
}

void frmEditDetails::ToolbarDetails_ButtonClick(const QString& key) {
    MainFrame* main = MainFrame::IfLoaded();
    if (!main) {
        return;
    }
    if (key == QLatin1String("Cut")) {
        main->mnuECut_Click();
    } else if (key == QLatin1String("Copy")) {
        main->mnuECopy_Click();
    } else if (key == QLatin1String("Paste")) {
        main->mnuEPaste_Click();
    } else if (key == QLatin1String("Erase")) {
        main->mnuEErase_Click();
    } else if (key == QLatin1String("SelectAll")) {
        main->mnuESelectAll_Click();
    }
}

// The magnifier: the same row, larger, with the text's length as stored.

frmDetailsMagnify::frmDetailsMagnify() : QDialog(MainFrame::IfLoaded()) {
    setModal(true);
    setWindowTitle(Globals().AppTitle + QStringLiteral(" - Details Magnify  "));
    MakeRow(this, *this, 12);
    TwMove(lblEditDate, 240, 240, 7680, 360);
    TwMove(lblEditTime, 240, 600, 1440, 360);
    TwMove(lblEditSubject, 1680, 600, 6240, 360);
    const double caretWidth = FittedWidth(lblEditCaret, 240);
    TwMove(lblEditCaret, 240, 960, caretWidth, 2880);
    TwMove(txtEditDetails, 240 + caretWidth, 960, 7680 - caretWidth, 2880);
    txtEditDetails->setReadOnly(true);
    // The count's line: each label as wide as its text needs, one after the other, and the
    // window wide enough to keep Close clear of them.
    Label1 = new QLabel(QStringLiteral("Number of Characters (including CR's and LF's):"), this);
    TwMove(Label1, 240, 4020, FittedWidth(Label1, 4200), 300);
    lblChars = new QLabel(QStringLiteral("250"), this); // sized for a full box; the count comes at load
    TwMove(lblChars, TwLeft(Label1) + TwWidth(Label1) + 60, 4020, FittedWidth(lblChars, 480), 300);
    Label2 = new QLabel(QStringLiteral("(Max = 250)"), this);
    TwMove(Label2, TwLeft(lblChars) + TwWidth(lblChars) + 60, 4020, FittedWidth(Label2, 1200), 300);
    const double closeLeft = qMax(6780.0, TwLeft(Label2) + TwWidth(Label2) + 120);
    cmdClose = Button(this, QStringLiteral("Close"), closeLeft, 3960);
    connect(cmdClose, &QPushButton::clicked, this, &frmDetailsMagnify::cmdClose_Click);
    connect(this, &QDialog::rejected, this, [this] { FocusAfterClosing(this); });
    setFixedSize(PxX(qMax(8160.0, closeLeft + TwWidth(cmdClose) + 240)), PxY(4560));
}

void frmDetailsMagnify::Form_Load() {
    FillRow(*this);
    TwMove(txtEditDetails, TwLeft(txtEditDetails), TwTop(lblEditCaret) + 8);
    const double left = TwLeft(lblEditDate);
    const double right = left + TwWidth(lblEditDate);
    lnLine1->Place(left, right, TwTop(lblEditTime));
    lnLine2->Place(left, right, TwTop(lblEditCaret));
    lblChars->setText(QString::number(LimitedTextEdit::StoredLength(Page().lblDetails[Row()]->Caption())));
}

void frmDetailsMagnify::Form_Unload() {}

void frmDetailsMagnify::cmdClose_Click() {
    reject();
}

// Each is shown modal and unloaded when it closes.

namespace {
template <class Form> void ShowModal() {
    Form& form = Form::Get();
    form.exec();
    Form::Unload();
}
} // namespace

void ShowEditTime() {
    ShowModal<frmEditTime>();
}

void ShowEditSubject() {
    ShowModal<frmEditSubject>();
}

void ShowEditDetails() {
    ShowModal<frmEditDetails>();
}

void ShowDetailsMagnify() {
    ShowModal<frmDetailsMagnify>();
}
