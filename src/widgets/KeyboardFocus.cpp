#include "KeyboardFocus.h"

#include <QApplication>
#include <QPainter>
#include <QRadioButton>
#include <QWidget>

#include <algorithm>

namespace {
// Of a set of options only the chosen one is a stop, as in any dialog; the arrow keys choose
// among them.
bool AnotherOptionChosen(const QWidget* widget) {
    const auto* option = qobject_cast<const QRadioButton*>(widget);
    if (option == nullptr || !option->autoExclusive() || option->isChecked()) {
        return false;
    }
    const QList<QRadioButton*> siblings =
        option->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    return std::any_of(siblings.cbegin(), siblings.cend(), [](const QRadioButton* sibling) {
        return sibling->autoExclusive() && sibling->isChecked();
    });
}

bool TakesTab(const QWidget* area, const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->focusProxy() == nullptr &&
           widget->isEnabled() && area->isAncestorOf(widget) && widget->isVisibleTo(area) &&
           !AnotherOptionChosen(widget);
}
} // namespace

bool FocusNextInside(QWidget* area, bool next) {
    QWidget* focus = QApplication::focusWidget();
    if (!area->isVisible() || focus == nullptr || !area->isAncestorOf(focus)) {
        return false;
    }
    // The window's focus chain is a ring; its part inside the area is walked from the focus on.
    for (QWidget* widget = next ? focus->nextInFocusChain() : focus->previousInFocusChain(); widget != focus;
         widget = next ? widget->nextInFocusChain() : widget->previousInFocusChain()) {
        if (TakesTab(area, widget)) {
            widget->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            break;
        }
    }
    return true;
}

void PaintFocusFrame(QWidget* widget, int lineWidth) {
    if (!widget->hasFocus()) {
        return;
    }
    QPainter painter(widget);
    painter.setPen(QPen(widget->palette().color(QPalette::Highlight), lineWidth, Qt::DotLine));
    painter.drawRect(QRectF(widget->rect())
                         .adjusted(lineWidth / 2.0, lineWidth / 2.0, -lineWidth / 2.0, -lineWidth / 2.0));
}
