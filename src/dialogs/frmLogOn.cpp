#include "frmLogOn.h"

#include "DialogLook.h"
#include "core/ProductInfo.h"
#include "core/ProgramState.h"
#include "widgets/Captions.h"
#include "widgets/CommandIcons.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

frmLogOn::frmLogOn() {
    setMouseTracking(true);
    const int line = Line();
    lblPrompt = MakeLabel(LogOnPrompt(), this, 1.1, true);

    auto* names = new QGridLayout;
    names->setHorizontalSpacing(line / 2);
    names->setVerticalSpacing(line / 2);
    const int check = line * 3 / 2;
    for (int i = 1; i <= 2; ++i) {
        imgCheck[i] = new QLabel(this);
        imgCheck[i]->setFixedSize(check, check);
        imgCheck[i]->setPixmap(
            Artwork::MenuIcon(QStringLiteral("Check")).pixmap(QSize(check, check), devicePixelRatioF()));
        QSizePolicy keepPlace = imgCheck[i]->sizePolicy();
        keepPlace.setRetainSizeWhenHidden(true);
        imgCheck[i]->setSizePolicy(keepPlace);

        // A name may be empty; its label keeps the size of a name so it can still be clicked.
        lblName[i] = new ClickLabel(i, this);
        QFont font = lblName[i]->font();
        font.setPointSizeF(font.pointSizeF() * 1.35);
        font.setBold(true);
        lblName[i]->setFont(font);
        lblName[i]->setMinimumSize(line * 16, QFontMetrics(font).height() + line / 2);
        lblName[i]->setMouseTracking(true);
        lblName[i]->setCursor(Qt::PointingHandCursor);
        lblName[i]->setAccessibleName(QStringLiteral("Teacher %1").arg(i));
        connect(lblName[i], &ClickLabel::MouseMoved, this,
                [this](int index, int x, int y) { lblName_MouseMove(index, x, y); });
        connect(lblName[i], &ClickLabel::Clicked, this, [this](int index) { lblName_Click(index); });
        lblName[i]->installEventFilter(this);
        names->addWidget(imgCheck[i], i, 0);
        names->addWidget(lblName[i], i, 1);
    }

    cmdExit = new QPushButton(QStringLiteral("Exit Program"), this);
    cmdExit->setAutoDefault(false);
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });

    QVBoxLayout* content = Column();
    content->addSpacing(line);
    content->addWidget(lblPrompt);
    content->addSpacing(line / 2);
    content->addLayout(names);
    content->addSpacing(line / 2);
    content->addStretch(1);
    FinishColumn({}, cmdExit);
}

void frmLogOn::Form_Load() {
    const ProgramState& g = Globals();
    setWindowTitle(CaptionText(g.AppTitle + QStringLiteral(" - Log On  ")));
    for (int i = 1; i <= 2; ++i) {
        ShowElided(lblName[i], g.TeacherNames[i], ScreenShare(this, 0.5));
    }
    LoggedOn = false;
    Highlight(0);
    // The keys start on the first name: Return there logs on, it never ends the program.
    lblName[1]->setFocus();
    LoadCover(QStringLiteral("frmLogOn"), [] { frmLogOn::Unload(); });
}

void frmLogOn::Form_Unload() {
    UnloadCover(QStringLiteral("frmLogOn"));
}

int frmLogOn::HoveredName(int index, int x, int y, int width, int height) {
    return x >= 0 && x <= width && y >= 0 && y <= height ? index : 0;
}

void frmLogOn::Highlight(int index) {
    if (index == m_highlighted) {
        return;
    }
    m_highlighted = index;
    for (int i = 1; i <= 2; ++i) {
        QFont font = lblName[i]->font();
        font.setUnderline(i == index);
        lblName[i]->setFont(font);
        imgCheck[i]->setVisible(i == index);
    }
}

void frmLogOn::lblName_MouseMove(int index, int x, int y) {
    if (index < 1 || index > 2) {
        return;
    }
    Highlight(HoveredName(index, x, y, lblName[index]->width(), lblName[index]->height()));
}

void frmLogOn::Form_MouseMove() {
    Highlight(0);
}

void frmLogOn::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

bool frmLogOn::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == lblName[1] || watched == lblName[2])) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            // Two names: an arrow either way goes to the other one.
            lblName[watched == lblName[1] ? 2 : 1]->setFocus(Qt::OtherFocusReason);
            return true;
        default:
            break;
        }
    }
    return CoverDialog::eventFilter(watched, event);
}

void frmLogOn::lblName_Click(int index) {
    if (index < 1 || index > 2) {
        return;
    }
    ProgramState& g = Globals();
    g.CurrentTeacherName = g.TeacherNames[index];
    g.CurrentTeacher = index;
    LoggedOn = true;
    accept();
}

void frmLogOn::cmdExit_Click() {
    reject();
}
