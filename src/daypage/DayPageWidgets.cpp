#include "DayPageWidgets.h"

#include "platform/Twips.h"
#include "widgets/Artwork.h"
#include "widgets/Colours.h"
#include "widgets/TwipsGeometry.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

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

QFont CaretFont(QFont font) {
    font.setPixelSize(8);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -1);
    return font;
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

CellLabel::CellLabel(int index, QWidget* parent) : BoundLabel(parent), m_index(index) {}

void CellLabel::mousePressEvent(QMouseEvent* event) {
    Q_EMIT MouseDown(m_index, event->button());
}

void CellLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Q_EMIT DblClick(m_index);
    }
}

namespace {
QPointF TwipsAt(const QMouseEvent* event) {
    return QPointF(TwipsX(event->position().x()), TwipsY(event->position().y()));
}
} // namespace

PanelTitle::PanelTitle(const QString& caption, QWidget* parent, int index)
    : QLabel(caption, parent), m_index(index) {
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

void PanelTitle::mousePressEvent(QMouseEvent* event) {
    Q_EMIT MouseDown(m_index, event->button(), TwipsAt(event));
}

void PanelTitle::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && event->buttons() != Qt::NoButton) {
        Q_EMIT DragOver(m_index, TwipsAt(event));
    } else {
        Q_EMIT MouseMove(m_index);
    }
}

void PanelTitle::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragging) {
        m_dragging = false;
        Q_EMIT DragDrop(m_index, TwipsAt(event));
    }
}

GridCell::GridCell(int index, QWidget* parent) : QLabel(parent), m_index(index) {
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    setMouseTracking(true);
    setContentsMargins(3, 0, 2, 0);
}

void GridCell::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    PaintCellBorder(this);
}

void GridCell::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) {
        Q_EMIT MouseMove(m_index);
    }
}
