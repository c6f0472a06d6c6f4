#include "UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

UpDown::UpDown(int min, int max, QWidget* parent) : QWidget(parent), m_min(min), m_max(max), m_value(min) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
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
    setFixedSize(18, 22);
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
