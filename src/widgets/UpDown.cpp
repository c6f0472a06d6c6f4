#include "UpDown.h"

#include "KeyboardFocus.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// Room around the arrows for the focus frame.
constexpr int kFocusMargin = 2;
} // namespace

UpDown::UpDown(int min, int max, QWidget* parent) : QWidget(parent), m_min(min), m_max(max), m_value(min) {
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kFocusMargin, kFocusMargin, kFocusMargin, kFocusMargin);
    layout->setSpacing(0);
    auto arrow = [this, layout](Qt::ArrowType type, bool up) {
        auto* button = new QToolButton(this);
        button->setArrowType(type);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(18, 11);
        connect(button, &QToolButton::clicked, this, [this, up] { Step(up); });
        layout->addWidget(button);
        return button;
    };
    m_up = arrow(Qt::UpArrow, true);
    m_down = arrow(Qt::DownArrow, false);
    setFixedSize(18 + 2 * kFocusMargin, 22 + 2 * kFocusMargin);
}

void UpDown::setValue(int value) {
    m_value = std::clamp(value, m_min, m_max);
}

void UpDown::Step(bool up) {
    const int next = std::clamp(m_value + (up ? 1 : -1), m_min, m_max);
    if (next != m_value) {
        m_value = next;
        Q_EMIT Change(m_value);
    }
}

void UpDown::SetBuddy(QWidget* box) {
    if (m_buddy) {
        m_buddy->removeEventFilter(this);
    }
    m_buddy = box;
    if (box) {
        box->installEventFilter(this);
    }
}

bool UpDown::stepByKey(int key) {
    if (key != Qt::Key_Up && key != Qt::Key_Down) {
        return false;
    }
    if (isEnabled()) {
        Step(key == Qt::Key_Up);
    }
    return true;
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    if (!stepByKey(event->key())) {
        QWidget::keyPressEvent(event);
    }
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_buddy && event->type() == QEvent::KeyPress &&
        stepByKey(static_cast<QKeyEvent*>(event)->key())) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::paintEvent(QPaintEvent*) {
    PaintFocusFrame(this, kFocusMargin);
}
