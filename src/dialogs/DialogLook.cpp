#include "DialogLook.h"

#include "core/ProductInfo.h"
#include "platform/Clock.h"
#include "ui/OpenWindows.h"
#include "widgets/Artwork.h"
#include "widgets/KeyboardFocus.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

ClickLabel::ClickLabel(int index, QWidget* parent) : QLabel(parent), m_index(index) {
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::StrongFocus);
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // Taken here, so that the dialog's own Return handling never sees it.
        event->accept();
        Q_EMIT Clicked(m_index);
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    PaintFocusFrame(this, 2);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click) {
        Q_EMIT Clicked(m_index);
    }
}

void ClickLabel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    event->accept();
    Q_EMIT MouseMoved(m_index, at.x(), at.y());
}

CoverBand::CoverBand(int pictureSize, QWidget* parent) : QWidget(parent), m_pictureSize(pictureSize) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

QSize CoverBand::sizeHint() const {
    return QSize(m_pictureSize + m_pictureSize / 2, m_pictureSize + m_pictureSize / 2);
}

void CoverBand::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient cover(0, 0, width(), height());
    cover.setColorAt(0, CoverTop());
    cover.setColorAt(1, CoverBottom());
    painter.fillRect(rect(), cover);
    // A thin page edge where the cover meets the dialog.
    painter.fillRect(QRect(width() - 3, 0, 3, height()), QColor(255, 255, 255, 90));
    const int margin = (width() - m_pictureSize) / 2;
    Artwork::PaintAppIcon(painter, QRectF(margin, margin, m_pictureSize, m_pictureSize));
}

QLabel* MakeLabel(const QString& text, QWidget* parent, qreal pointScale, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    if (pointScale != 1.0 && font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * pointScale);
    }
    font.setBold(bold);
    label->setFont(font);
    return label;
}

QLabel* MakeTitleLabel(QWidget* parent, qreal pointScale) {
    QLabel* title = MakeLabel(QStringLiteral("Quillmarsh"), parent, pointScale, true);
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, CoverBottom());
    title->setPalette(palette);
    return title;
}

QLabel* MakeNoticeLabel(const QString& text, QWidget* parent) {
    QLabel* notice = MakeLabel(text, parent, 0.85);
    notice->setWordWrap(true);
    QPalette palette = notice->palette();
    palette.setColor(QPalette::WindowText, QColor(0x5A, 0x64, 0x70));
    notice->setPalette(palette);
    return notice;
}

QString LabelText(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void StyleAsLink(QLabel* label) {
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x1A, 0x5C, 0xC8));
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
}

CoverDialog::CoverDialog() {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setModal(true);
    setWindowIcon(Artwork::AppIcon());
    m_line = fontMetrics().height();
    picLogo = new CoverBand(m_line * 5, this);
    lblTitle = MakeTitleLabel(this);
    lblVersion = MakeLabel(QString(), this);
    for (int i = 1; i <= 2; ++i) {
        lblNotice[i] = MakeNoticeLabel(QString(), this);
    }
    m_column = new QVBoxLayout;
    m_column->setContentsMargins(m_line * 3 / 2, m_line, m_line * 3 / 2, m_line);
    m_column->addWidget(lblTitle);
    m_column->addWidget(lblVersion);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(picLogo);
    layout->addLayout(m_column, 1);
}

void CoverDialog::FinishColumn(const QList<QPushButton*>& left, QPushButton* right) {
    m_column->addSpacing(m_line / 2);
    m_column->addWidget(lblNotice[1]);
    m_column->addWidget(lblNotice[2]);
    m_column->addSpacing(m_line / 2);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(m_line / 2);
    for (QPushButton* button : left) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    buttons->addWidget(right);
    m_column->addLayout(buttons);
}

void CoverDialog::LoadCover(const QString& name, std::function<void()> unload) {
    lblVersion->setText(VersionText());
    lblNotice[1]->setText(LegalNotice());
    lblNotice[2]->setText(YearNotice(Clock::Today().year()));
    CentreWindow(this);
    RegisterOpenWindow(name, std::move(unload));
}

void CoverDialog::UnloadCover(const QString& name) {
    ForgetOpenWindow(name);
    hide();
}

void CentreWindow(QWidget* window) {
    // Wrapped text needs the height that goes with the width the window takes.
    if (QLayout* layout = window->layout()) {
        layout->activate();
    }
    window->adjustSize();
    if (window->hasHeightForWidth()) {
        window->resize(window->width(), std::max(window->height(), window->heightForWidth(window->width())));
    }
    const QWidget* over = QApplication::activeWindow();
    QRect area;
    if (over != nullptr && over != window && over->isVisible()) {
        area = over->frameGeometry();
    } else if (const QScreen* screen = QApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) {
        const QSize size = window->frameGeometry().size();
        window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    }
}

QColor CoverTop() {
    return QColor(0x3A, 0x78, 0xC8);
}

QColor CoverBottom() {
    return QColor(0x1A, 0x47, 0x8A);
}
