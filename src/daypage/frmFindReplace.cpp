#include "frmFindReplace.h"

#include "FoundItemPlacement.h"
#include "Panels.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "frmSchedule.h"
#include "platform/DateText.h"
#include "platform/Recordset.h"
#include "platform/Rounding.h"
#include "platform/Twips.h"
#include "ui/MainFrame.h"
#include "ui/MainWindowState.h"
#include "ui/OpenWindows.h"
#include "ui/UiState.h"
#include "widgets/Help.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/TwipsGeometry.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString kFormName = QStringLiteral("frmFindReplace");
constexpr int kMaxTextLength = 250;
constexpr int kHelpContext = 350;

QDate ShownDate(frmSchedule& page) {
    return TextToDate(page.txtDate->Text());
}

void Inform(const QString& text) {
    ShowMessage(text, MsgOK, MsgInformation, QString(), 0);
}

void PlaceMarker(QWidget* marker, const QPointF& at) {
    TwMove(marker, at.x(), at.y());
    marker->show();
    marker->raise();
}
} // namespace

frmFindReplace::frmFindReplace() : QFrame(MainFrame::Get().clientArea) {
    setObjectName(kFormName);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    buildControls();
    FloatAsWindow(this);
    hide();
}

frmFindReplace::~frmFindReplace() = default;

void frmFindReplace::buildControls() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(1, 1, 1, 1);
    outer->setSpacing(0);

    // The caption bar: the dialog floats on the main window without a frame of the window
    // system's, so it carries its own title to be dragged by.
    auto* titleBar = new QWidget(this);
    titleBar->setAutoFillBackground(true);
    QPalette titlePalette = titleBar->palette();
    titlePalette.setColor(QPalette::Window, titlePalette.color(QPalette::Highlight));
    titlePalette.setColor(QPalette::WindowText, titlePalette.color(QPalette::HighlightedText));
    titleBar->setPalette(titlePalette);
    auto* titleRow = new QHBoxLayout(titleBar);
    titleRow->setContentsMargins(8, 3, 3, 3);
    lblTitle = new QLabel(titleBar);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblTitle->setCursor(Qt::SizeAllCursor);
    lblTitle->setToolTip(QStringLiteral("Drag to Move"));
    lblTitle->installEventFilter(this);
    titleRow->addWidget(lblTitle, 1);
    cmdClose = new QPushButton(titleBar);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    cmdClose->setFlat(true);
    cmdClose->setFocusPolicy(Qt::NoFocus);
    cmdClose->setToolTip(QStringLiteral("Close"));
    cmdClose->setFixedSize(22, 20);
    titleRow->addWidget(cmdClose);
    outer->addWidget(titleBar);

    auto* body = new QWidget(this);
    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    outer->addWidget(body);

    lblFind = new QLabel(QStringLiteral("Find What:"), body);
    txtFind = new QLineEdit(body);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setMaxLength(kMaxTextLength);
    lblFind->setBuddy(txtFind);
    lblReplace = new QLabel(QStringLiteral("Replace With:"), body);
    txtReplace = new QLineEdit(body);
    txtReplace->setObjectName(QStringLiteral("txtReplace"));
    txtReplace->setMaxLength(kMaxTextLength);
    lblReplace->setBuddy(txtReplace);
    grid->addWidget(lblFind, 0, 0);
    grid->addWidget(txtFind, 0, 1, 1, 2);
    grid->addWidget(lblReplace, 1, 0);
    grid->addWidget(txtReplace, 1, 1, 1, 2);

    fraSearch = new QGroupBox(QStringLiteral("Search Area"), body);
    auto* areas = new QGridLayout(fraSearch);
    areas->setColumnStretch(0, 1);
    for (int i = 0; i < 4; ++i) {
        optSearch[i] = new QRadioButton(SearchAreaCaption(i), fraSearch);
        lblCount[i] = new QLabel(fraSearch);
        lblCount[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblCount[i]->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")));
        lblCount[i]->hide();
        areas->addWidget(optSearch[i], i, 0);
        areas->addWidget(lblCount[i], i, 1);
        connect(optSearch[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !m_loading) {
                optSearch_Click(i);
            }
        });
    }
    grid->addWidget(fraSearch, 2, 0, 1, 2);

    fraOptions = new QGroupBox(QStringLiteral("Options"), body);
    auto* options = new QVBoxLayout(fraOptions);
    chkMatchCase = new QCheckBox(QStringLiteral("Match Case"), fraOptions);
    chkWholeWord = new QCheckBox(QStringLiteral("Whole Word Only"), fraOptions);
    chkWholeWord->setToolTip(QStringLiteral("The whole entry must be the text to find"));
    options->addWidget(chkMatchCase);
    options->addWidget(chkWholeWord);
    options->addStretch(1);
    grid->addWidget(fraOptions, 2, 2);

    Frame1 = new QGroupBox(QStringLiteral("DataBase Records"), body);
    auto* records = new QGridLayout(Frame1);
    auto* regions = new QHBoxLayout();
    for (int i = 0; i < 3; ++i) {
        optRegion[i] = new QRadioButton(RegionCaption(i), Frame1);
        regions->addWidget(optRegion[i]);
        connect(optRegion[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !m_loading) {
                optRegion_Click(i);
            }
        });
    }
    regions->addStretch(1);
    records->addLayout(regions, 0, 0, 1, 2);
    pbrDBase = new QProgressBar(Frame1);
    pbrDBase->setRange(0, 100);
    pbrDBase->setValue(0);
    pbrDBase->setTextVisible(false);
    pbrDBase->setFixedHeight(14);
    records->addWidget(pbrDBase, 1, 0, 1, 2);
    Label1 = new QLabel(QStringLiteral("Current Record in DataBase"), Frame1);
    lblDate = new QLabel(Frame1);
    lblDate->setObjectName(QStringLiteral("lblDate"));
    QFont dateFont = lblDate->font();
    dateFont.setBold(true);
    lblDate->setFont(dateFont);
    records->addWidget(Label1, 2, 0);
    records->addWidget(lblDate, 2, 1);
    records->setColumnStretch(1, 1);
    grid->addWidget(Frame1, 3, 0, 1, 3);

    auto* buttons = new QVBoxLayout();
    buttons->setSpacing(6);
    cmdFind = new QPushButton(QStringLiteral("Find Next"), body);
    cmdReplace = new QPushButton(QStringLiteral("Replace"), body);
    cmdReplaceAll = new QPushButton(QStringLiteral("Replace All"), body);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), body);
    cmdHelp = new QPushButton(QStringLiteral("Help"), body);
    for (QPushButton* button : {cmdFind, cmdReplace, cmdReplaceAll, cmdCancel, cmdHelp}) {
        // Return presses the button that has the focus, as in any dialog.
        button->setAutoDefault(true);
        button->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Replace All")) + 36);
    }
    buttons->addWidget(cmdFind);
    buttons->addWidget(cmdReplace);
    buttons->addWidget(cmdReplaceAll);
    buttons->addStretch(1);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    grid->addLayout(buttons, 0, 3, 4, 1);
    grid->setColumnStretch(1, 1);

    tmrFind = new QTimer(this);
    tmrFind->setInterval(100);

    // A change the teacher makes runs its handler; the values the dialog sets as it loads do not.
    auto onChange = [this](auto* control, auto signal, void (frmFindReplace::*handler)()) {
        connect(control, signal, this, [this, handler] {
            if (!m_loading) {
                (this->*handler)();
            }
        });
    };
    onChange(chkMatchCase, &QCheckBox::toggled, &frmFindReplace::chkMatchCase_Click);
    onChange(chkWholeWord, &QCheckBox::toggled, &frmFindReplace::chkWholeWord_Click);
    onChange(txtFind, &QLineEdit::textChanged, &frmFindReplace::txtFind_Change);
    onChange(txtReplace, &QLineEdit::textChanged, &frmFindReplace::txtReplace_Change);
    connect(txtFind, &QLineEdit::returnPressed, this, [this] {
        if (cmdFind->isEnabled()) {
            cmdFind_Click();
        }
    });
    connect(cmdFind, &QPushButton::clicked, this, &frmFindReplace::cmdFind_Click);
    connect(cmdReplace, &QPushButton::clicked, this, &frmFindReplace::cmdReplace_Click);
    connect(cmdReplaceAll, &QPushButton::clicked, this, &frmFindReplace::cmdReplaceAll_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFindReplace::cmdCancel_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmFindReplace::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmFindReplace::cmdHelp_Click);
    connect(tmrFind, &QTimer::timeout, this, &frmFindReplace::tmrFind_Timer);

    setFixedSize(sizeHint());
}

double frmFindReplace::PageTop() {
    frmSchedule* page = frmSchedule::IfLoaded();
    MainFrame* main = MainFrame::IfLoaded();
    if (!page || !main || !main->clientArea->isAncestorOf(page)) {
        return 0;
    }
    return TwipsY(page->mapTo(main->clientArea, QPoint(0, 0)).y());
}

void frmFindReplace::Form_Load() {
    ProgramState& g = Globals();
    UiState& ui = Ui();
    m_loading = true;
    // On the main window, centred over it at the top of the day page.
    lblTitle->setText(g.AppTitle + QStringLiteral(" - Find/Replace  "));
    setWindowTitle(lblTitle->text());
    const QWidget* area = parentWidget();
    const double formLeft = (TwipsX(area->width()) - TwipsX(width())) / 2;
    moveWithin(QPointF(formLeft, PageTop()));
    raise();
    tmrFind_Timer();

    // The texts come back as typed, even where a search without Match Case capitalised them.
    const bool haveText = !g.FindText.isEmpty();
    if (haveText) {
        g.FindText = ui.DialogFindText;
    } else {
        ui.DialogFindText.clear();
    }
    txtFind->setText(ui.DialogFindText);
    cmdFind->setEnabled(haveText);
    cmdReplaceAll->setEnabled(haveText);
    cmdReplace->setEnabled(false);
    if (!g.ReplaceText.isEmpty()) {
        g.ReplaceText = ui.DialogReplaceText;
    } else {
        ui.DialogReplaceText.clear();
    }
    txtReplace->setText(ui.DialogReplaceText);

    // The options as last chosen, and no pass under way.
    chkMatchCase->setChecked(g.FindMatchCase);
    chkWholeWord->setChecked(g.FindWholeWord);
    for (QLabel* count : lblCount) {
        count->clear();
        count->hide();
    }
    m_pass = FindPass{};
    m_replacedCount = 0;
    m_searchFound = m_searchActive = m_replaceMode = m_replaceAllRunning = false;
    m_savedNotesShow = g.NotesShow;

    // The cursor's count is exact wherever it stands.
    if (frmSchedule* page = frmSchedule::IfLoaded()) {
        m_searchStartDate = ShownDate(*page);
    }
    m_recordTotal = DayRecords().RecordCount();

    // The chosen area and region, each through its own handler.
    const int areaIndex = qBound(0, g.FindSearchArea, 3);
    const int regionIndex = qBound(0, g.FindRegion, 2);
    optSearch[areaIndex]->setChecked(true);
    optRegion[regionIndex]->setChecked(true);
    m_loading = false;
    optSearch_Click(areaIndex);

    // The notes panel is the dialog's while it is open: it may show it for a hit.
    ui.NotesHeldByFind = true;
    UpdateMainCommands();

    optRegion_Click(regionIndex);
    RegisterOpenWindow(kFormName, [] { frmFindReplace::Unload(); });
    tmrFind->start();
}

void frmFindReplace::Form_Unload() {
    ProgramState& g = Globals();
    tmrFind->stop();
    ForgetOpenWindow(kFormName);
    // The focus would fall to the page's first control, the Previous arrow, under whatever else is open.
    const bool focused = isAncestorOf(QApplication::focusWidget());
    hide();
    hideMarkers();
    g.NotesShow = m_savedNotesShow;
    Ui().NotesHeldByFind = false;
    UpdateMainCommands();
    frmSchedule* page = frmSchedule::IfLoaded();
    if (!page) {
        return;
    }
    // What Replace wrote reaches the file now; should it fail, the move below says so.
    Recordset& days = DayRecords();
    days.StorePending();
    days.MoveFirst();
    ShowNotesFrame(*page);
    if (m_searchStartDate.isValid()) {
        GoToDate(m_searchStartDate);
    }
    if (focused) {
        FocusAfterClosing(this);
    }
}

void frmFindReplace::Form_Activate() {
    if (txtFind->text().isEmpty()) {
        txtFind->setFocus();
    } else {
        cmdFind->setFocus();
    }
}

void frmFindReplace::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cmdCancel_Click();
        return;
    }
    QFrame::keyPressEvent(event);
}

bool frmFindReplace::focusNextPrevChild(bool next) {
    // Tab stays in the dialog: beyond it lie the day page's controls, where a key would move
    // the page under the search.
    return FocusNextInside(this, next) || QFrame::focusNextPrevChild(next);
}

bool frmFindReplace::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblTitle) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                m_dragging = true;
                m_dragFrom = mapFromGlobal(mouse->globalPosition().toPoint());
                raise();
                return true;
            }
            break;
        }
        case QEvent::MouseMove:
            if (m_dragging) {
                auto* mouse = static_cast<QMouseEvent*>(event);
                const QPoint at =
                    parentWidget()->mapFromGlobal(mouse->globalPosition().toPoint()) - m_dragFrom;
                moveWithin(QPointF(TwipsX(at.x()), TwipsY(at.y())));
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            m_dragging = false;
            break;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void frmFindReplace::moveWithin(const QPointF& topLeftTwips) {
    // The dialog never leaves the main window, however the hit or the drag would place it.
    const QWidget* area = parentWidget();
    const int x = qBound(0, PxX(topLeftTwips.x()), qMax(0, area->width() - width()));
    const int y = qBound(0, PxY(topLeftTwips.y()), qMax(0, area->height() - height()));
    move(x, y);
}

void frmFindReplace::tmrFind_Timer() {
    m_formLeft = TwipsX(x());
    m_formTop = TwipsY(y()) - PageTop();
}

// Options: each change begins a new pass.

void frmFindReplace::restart(int area) {
    ProgramState& g = Globals();
    g.FindSearchArea = area;
    m_pass.FoundCount = 0;
    m_pass.retryHit = false;
    m_replacedCount = 0;
    hideMarkers();
    for (QLabel* count : lblCount) {
        count->clear();
        count->hide();
    }
    lblCount[static_cast<size_t>(area)]->show();
    cmdReplace->setEnabled(false);
}

void frmFindReplace::optSearch_Click(int index) {
    restart(index);
}

void frmFindReplace::optRegion_Click(int index) {
    Globals().FindRegion = index;
    restart(Globals().FindSearchArea);
    ShowCurrentRecordDate();
}

void frmFindReplace::chkMatchCase_Click() {
    Globals().FindMatchCase = chkMatchCase->isChecked();
    restart(Globals().FindSearchArea);
}

void frmFindReplace::chkWholeWord_Click() {
    Globals().FindWholeWord = chkWholeWord->isChecked();
    restart(Globals().FindSearchArea);
}

void frmFindReplace::txtFind_Change() {
    const bool haveText = !txtFind->text().isEmpty();
    cmdFind->setEnabled(haveText);
    cmdReplaceAll->setEnabled(haveText);
    restart(Globals().FindSearchArea);
}

void frmFindReplace::txtReplace_Change() {
    restart(Globals().FindSearchArea);
}

// The commands.

void frmFindReplace::cmdFind_Click() {
    ProgramState& g = Globals();
    UiState& ui = Ui();
    frmSchedule* page = frmSchedule::IfLoaded();
    if (!page || g.BlankDataBase) {
        return;
    }
    // The page's own corner is where the hits are measured from.
    if (QWidget* window = page->parentWidget()) {
        window->move(0, 0);
    }
    ui.DialogFindText = txtFind->text();
    g.FindText = ui.DialogFindText;
    m_searchActive = true;
    const int area = qBound(0, g.FindSearchArea, 3);
    switch (area) {
    case kAreaTimeLines:
        FindInTimeLines(g.FindText);
        break;
    case kAreaSubjectLines:
        FindInSubjectLines(g.FindText);
        break;
    case kAreaDetails:
        FindInDetails(g.FindText);
        break;
    default:
        FindInNotes(g.FindText);
        break;
    }
    QLabel* count = lblCount[static_cast<size_t>(area)];
    count->setText(QString::number(m_pass.FoundCount));
    count->show();
    UpdateSearchProgress();
    // The end of the pass.
    if (!m_searchFound && !m_replaceAllRunning) {
        if (m_pass.FoundCount == 0) {
            Inform(NotFoundMessage(area));
            m_searchActive = false;
        } else {
            Inform(PassCompleteMessage(m_replaceMode, m_replaceMode ? m_replacedCount : m_pass.FoundCount));
            m_pass.FoundCount = 0;
            m_replacedCount = 0;
            m_searchActive = false;
            m_replaceMode = false;
        }
    }
    if (m_pass.FoundCount < 1) {
        cmdReplace->setEnabled(false);
        m_replaceMode = false;
    } else {
        cmdReplace->setEnabled(true);
    }
}

void frmFindReplace::cmdReplace_Click() {
    ProgramState& g = Globals();
    UiState& ui = Ui();
    if (!frmSchedule::IfLoaded() || g.BlankDataBase) {
        return;
    }
    ui.DialogReplaceText = txtReplace->text();
    g.ReplaceText = ui.DialogReplaceText;
    m_replaceMode = true;
    if (!m_searchActive) {
        cmdFind_Click();
    }
    if (!m_searchFound) {
        m_searchActive = false;
        return;
    }
    if (!hitStillShown()) {
        // The dialog does not wait: the teacher may have gone to another day or changed the
        // cell since the hit. Nothing is written; the search looks at the hit's cell again
        // and shows what it finds there or after it.
        GoToDate(m_hitDate);
        m_pass.retryHit = true;
        --m_pass.FoundCount;
        cmdFind_Click();
        return;
    }
    replaceHit(!m_replaceAllRunning);
    cmdFind_Click();
}

void frmFindReplace::replaceHit(bool storeNow) {
    const ProgramState& g = Globals();
    const UiState& ui = Ui();
    frmSchedule& page = *frmSchedule::IfLoaded();
    const int area = qBound(0, g.FindSearchArea, 3);
    const FindHit& hit = m_pass.hits[static_cast<size_t>(area)];
    ++m_replacedCount;
    const QString text = ReplacedCellText(hit, g.FindMatchCase, g.FindText, g.ReplaceText, ui.DialogFindText,
                                          ui.DialogReplaceText);
    switch (area) {
    case kAreaTimeLines:
        page.lblTime[hit.HitRow]->setCaption(text);
        break;
    case kAreaSubjectLines:
        page.lblSubject[hit.HitRow]->setCaption(text);
        break;
    case kAreaDetails:
        page.lblDetails[hit.HitRow]->setCaption(text);
        break;
    default:
        page.txtNotes->setText(text);
        break;
    }
    if (storeNow) {
        // A replacement is written to the file at once, and the day's entry texts (which undo
        // and the notes' Cancel go back to) are what the file now holds. Replace All stores
        // its days as it leaves them, in one transaction.
        Recordset& days = DayRecords();
        if (days.Update()) {
            page.RememberEntryTexts(page.datLumenleaf);
        }
    }
}

void frmFindReplace::cmdReplaceAll_Click() {
    ProgramState& g = Globals();
    if (!frmSchedule::IfLoaded() || g.BlankDataBase) {
        return;
    }
    const int area = qBound(0, g.FindSearchArea, 3);
    m_replaceAllRunning = true;
    restart(area);
    // Every day changed is stored together or not at all.
    Recordset& days = DayRecords();
    const bool inTransaction = days.BeginTrans();
    // The dialog is painted once at the end: a progress bar repaints itself at once on every
    // step, which would cost more than the replacing.
    setUpdatesEnabled(false);
    cmdFind_Click();
    while (m_searchFound) {
        cmdReplace_Click();
    }
    setUpdatesEnabled(true);
    bool stored = days.StorePending();
    QString reason = days.LastError();
    if (inTransaction) {
        if (stored) {
            stored = days.CommitTrans();
            reason = days.LastError();
        } else {
            days.RollbackTrans();
        }
    }
    const qint32 replaced = m_replacedCount;
    m_replaceAllRunning = false;
    m_replaceMode = false;
    m_searchActive = false;
    m_pass.FoundCount = 0;
    m_replacedCount = 0;
    cmdReplace->setEnabled(false);
    if (!stored) {
        GoToDate(m_searchStartDate);
        ReportDatabaseFailure(
            QStringLiteral("The replacements could not be saved; the book is as it was.\r\n\r\n") + reason);
        return;
    }
    Inform(replaced != 0 ? PassCompleteMessage(true, replaced) : NothingReplacedMessage(area));
}

void frmFindReplace::cmdCancel_Click() {
    frmFindReplace::Unload();
    if (MainFrame* main = MainFrame::IfLoaded()) {
        main->show();
        main->activateWindow();
    }
}

void frmFindReplace::cmdHelp_Click() {
    HtmlHelp(this, Globals().HelpFile, HH_HELP_CONTEXT, kHelpContext);
}

// The search procedures.

void frmFindReplace::FindInTimeLines(QString& text) {
    findInArea(kAreaTimeLines, text);
}

void frmFindReplace::FindInSubjectLines(QString& text) {
    findInArea(kAreaSubjectLines, text);
}

void frmFindReplace::FindInDetails(QString& text) {
    findInArea(kAreaDetails, text);
}

void frmFindReplace::FindInNotes(QString& text) {
    findInArea(kAreaNotes, text);
}

QString frmFindReplace::shownCell(int area, int row) const {
    frmSchedule& page = *frmSchedule::IfLoaded();
    switch (area) {
    case kAreaTimeLines:
        return page.lblTime[row]->Caption();
    case kAreaSubjectLines:
        return page.lblSubject[row]->Caption();
    case kAreaDetails:
        return page.lblDetails[row]->Caption();
    default:
        return page.txtNotes->Text();
    }
}

bool frmFindReplace::hitStillShown() const {
    frmSchedule* page = frmSchedule::IfLoaded();
    if (!page || !DayRecords().HasCurrentRow()) {
        return false;
    }
    const int area = qBound(0, Globals().FindSearchArea, 3);
    return ShownDate(*page) == m_hitDate &&
           shownCell(area, m_pass.hits[static_cast<size_t>(area)].HitRow) == m_hitCell;
}

void frmFindReplace::findInArea(int area, QString& text) {
    const ProgramState& g = Globals();
    frmSchedule& page = *frmSchedule::IfLoaded();
    const bool rowMarkers = area == kAreaTimeLines || area == kAreaSubjectLines;
    if (m_pass.FoundCount > 0) {
        (rowMarkers ? page.imgFound2 : page.imgFound1)->hide();
    }
    m_pass.area = area;
    m_pass.region = g.FindRegion;
    m_pass.matchCase = g.FindMatchCase;
    m_pass.wholeWord = g.FindWholeWord;
    m_pass.searchStart = m_searchStartDate;
    const bool found = FindStep(m_pass, text, [this](int a, int row) { return shownCell(a, row); });
    if (!found) {
        if (m_pass.FoundCount >= 1) {
            // The pass has run out of hits: its markers go, and so does a notes panel that
            // was shown only for a hit.
            page.imgFound1->hide();
            if (area != kAreaDetails) {
                page.imgFound2->hide();
            }
            if (area == kAreaNotes && !g.NotesShow) {
                ShowNotesFrame(page);
            }
        }
        m_searchFound = false;
        return;
    }
    const int row = m_pass.hits[static_cast<size_t>(area)].HitRow;
    m_hitDate = ShownDate(page);
    m_hitCell = shownCell(area, row);
    if (area == kAreaNotes) {
        showNotesHit(page);
    } else {
        showRowHit(page, area, row);
    }
    m_searchFound = true;
}

void frmFindReplace::showRowHit(frmSchedule& page, int area, int row) {
    const QWidget* cell = area == kAreaTimeLines      ? page.lblTime[row]
                          : area == kAreaSubjectLines ? page.lblSubject[row]
                                                      : page.lblDetails[row];
    page.PutMarkersOn(&page);
    const TwipsRect box = TwGeometry(cell);
    const qint32 L = CLng(box.left);
    const qint32 W = CLng(box.width);
    const qint32 T = CLng(box.top);
    const qint32 H = CLng(box.height);
    ShowFoundItem(row, L, W, T, H);
    const double arrowHeight = TwHeight(page.imgFound1);
    if (area == kAreaDetails) {
        // The arrow stands over the row's start, where the Time cell's middle would be.
        PlaceMarker(page.imgFound1, DetailsMarker(L, T, TwWidth(page.lblTime[row]), arrowHeight).at);
        return;
    }
    const MarkerSpot spot = RowMarker(row, L, W, T, H, arrowHeight);
    if (spot.marker == FoundMarker::Ring) {
        PlaceMarker(page.imgFound2, spot.at);
        page.imgFound1->hide();
    } else {
        PlaceMarker(page.imgFound1, spot.at);
        page.imgFound2->hide();
    }
}

void frmFindReplace::showNotesHit(frmSchedule& page) {
    ProgramState& g = Globals();
    if (!g.NotesShow) {
        // Shown for the hit only: the teacher's setting stays as it is.
        g.NotesShow = true;
        ShowNotesFrame(page);
        g.NotesShow = false;
        raise(); // above the panel, which came up on top of the main window
    }
    page.PutMarkersOn(page.fraNotes->parentWidget());
    const TwipsRect panel = TwGeometry(page.fraNotes);
    PlaceMarker(page.imgFound1, NotesMarker(panel.left, panel.top).at);
    page.imgFound2->hide();
    ShowFoundItem(kNotesRow, CLng(panel.left), CLng(panel.width), CLng(panel.top), CLng(panel.height));
}

void frmFindReplace::ShowFoundItem(int row, qint32 left, qint32 width, qint32 top, qint32 height) {
    frmSchedule* page = frmSchedule::IfLoaded();
    if (!page) {
        return;
    }
    const DialogBox dialog{m_formLeft, m_formTop, TwipsX(this->width()), TwipsY(this->height())};
    const DialogMove move = PlaceDialogOffHit({row, double(left), double(width), double(top), double(height)},
                                              dialog, double(Ui().DayPageWidth), PageTop());
    if (!move.moved) {
        return;
    }
    moveWithin(move.to);
    if (move.markers.marker == FoundMarker::Arrow) {
        PlaceMarker(page->imgFound1, move.markers.at);
        page->imgFound2->hide();
    } else if (move.markers.marker == FoundMarker::Ring) {
        PlaceMarker(page->imgFound2, move.markers.at);
        page->imgFound1->hide();
    }
    // The next hit is measured against where the dialog is now, not where the timer last saw it.
    tmrFind_Timer();
}

void frmFindReplace::UpdateSearchProgress() {
    m_currentPosition = DayRecords().AbsolutePosition();
    pbrDBase->setValue(SearchProgress(m_currentPosition, m_recordTotal));
}

void frmFindReplace::ShowCurrentRecordDate() {
    if (frmSchedule* page = frmSchedule::IfLoaded()) {
        m_searchStartDate = ShownDate(*page);
    }
    lblDate->setText(FormatDate(m_searchStartDate, QStringLiteral("mmmm d, yyyy")));
    m_recordTotal = DayRecords().RecordCount();
    UpdateSearchProgress();
}

void frmFindReplace::hideMarkers() {
    if (frmSchedule* page = frmSchedule::IfLoaded()) {
        page->imgFound1->hide();
        page->imgFound2->hide();
    }
}

void ShowFindReplace() {
    if (Globals().BlankDataBase || !frmSchedule::IfLoaded()) {
        return;
    }
    frmFindReplace& form = frmFindReplace::Get();
    form.show();
    form.raise();
    form.Form_Activate();
}
