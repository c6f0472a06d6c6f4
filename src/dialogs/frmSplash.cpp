#include "frmSplash.h"

#include "DialogLook.h"
#include "core/ProductInfo.h"
#include "platform/Clock.h"
#include "widgets/Artwork.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

namespace {
void WhiteText(QLabel* label, int alpha = 255) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 255, 255, alpha));
    label->setPalette(palette);
}
} // namespace

frmSplash::frmSplash()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::BusyCursor);

    const int picture = fontMetrics().height() * 9;
    Image1 = new ClickLabel(0, this);
    Image1->setFixedSize(picture, picture);
    Image1->setPixmap(Artwork::AppIcon().pixmap(QSize(picture, picture), devicePixelRatioF()));
    connect(Image1, &ClickLabel::Clicked, this, [] { frmSplash::Unload(); });

    lblTitle = MakeTitleLabel(this, 3.2);
    WhiteText(lblTitle);
    lblversion = MakeLabel(QString(), this, 1.3, true);
    WhiteText(lblversion, 230);
    lblNotice = MakeNoticeLabel(QString(), this);
    WhiteText(lblNotice, 200);

    auto* text = new QVBoxLayout;
    text->addStretch(1);
    text->addWidget(lblTitle);
    text->addWidget(lblversion);
    text->addStretch(2);
    text->addWidget(lblNotice);

    auto* layout = new QHBoxLayout(this);
    const int margin = fontMetrics().height() * 2;
    layout->setContentsMargins(margin, margin, margin * 2, margin);
    layout->setSpacing(margin);
    layout->addWidget(Image1, 0, Qt::AlignVCenter);
    layout->addLayout(text, 1);
}

void frmSplash::Form_Load() {
    lblversion->setText(VersionText());
    lblNotice->setText(YearNotice(Clock::Today().year()));
    CentreWindow(this);
}

void frmSplash::Form_Unload() {
    hide();
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    event->accept();
    frmSplash::Unload();
}

void frmSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient cover(0, 0, width(), height());
    cover.setColorAt(0, CoverTop());
    cover.setColorAt(1, CoverBottom());
    painter.fillRect(rect(), cover);
    painter.setPen(QPen(QColor(255, 255, 255, 110), 2));
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}
