#include "KeyboardFocus.h"

#include "TopLevelWindows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOptionFocusRect>
#include <QToolButton>
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

// The windows that float inside another as windows, each with the control that had its focus last.
struct FloatingWindow {
    QPointer<QWidget> area;
    QPointer<QWidget> focus;
};
QList<FloatingWindow>& FloatingWindows() {
    static QList<FloatingWindow> windows;
    return windows;
}

// Our windows, the one activated last first.
QList<QPointer<QWidget>>& ActivationOrder() {
    static QList<QPointer<QWidget>> windows;
    return windows;
}

void Remember(QWidget* focused) {
    for (FloatingWindow& floating : FloatingWindows()) {
        if (floating.area && floating.area->isAncestorOf(focused)) {
            floating.focus = focused;
        }
    }
}

void Activated(QWidget* window) {
    QList<QPointer<QWidget>>& order = ActivationOrder();
    order.removeIf([window](const QPointer<QWidget>& known) { return known.isNull() || known == window; });
    order.prepend(window);
}

bool IsReturn(const QKeyEvent* key) {
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

class KeyboardConventions : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            // Before the control repaints itself with the focus.
            if (auto* widget = qobject_cast<QWidget*>(watched)) {
                widget->window()->setAttribute(Qt::WA_KeyboardFocusChange);
                Remember(widget);
            }
        } else if (event->type() == QEvent::WindowActivate) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && widget->isWindow()) {
                Activated(widget);
            }
        } else if (event->type() == QEvent::KeyPress && IsReturn(static_cast<QKeyEvent*>(event))) {
            auto* button = qobject_cast<QAbstractButton*>(watched);
            const bool pressable = qobject_cast<QPushButton*>(watched) || qobject_cast<QToolButton*>(watched);
            if (pressable && button->hasFocus() && button->isEnabled()) {
                // A held key presses once, as a held Space does.
                if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
                    button->click();
                }
                return true;
            }
        }
        return false;
    }
};

// The toolkit's own focus frame is a faint tint of the selection colour, lost on the day page's
// blue and on a selected row: ours is a dotted line that stands out from what lies under it.
class FocusMarkStyle : public QProxyStyle {
public:
    explicit FocusMarkStyle(QStyle* base) : QProxyStyle(base) {}

    // The toolkit draws a focused push button as it draws the default one (the focus would not
    // show on OK, nor leave it for the file list), and a focused tab only a shade lighter.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override {
        QProxyStyle::drawControl(element, option, painter, widget);
        const bool marked = element == CE_PushButton || element == CE_TabBarTabLabel;
        if (marked && (option->state & State_HasFocus) && (option->state & State_KeyboardFocusChange)) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*option);
            focus.rect = option->rect.adjusted(3, 3, -3, -3);
            focus.backgroundColor = option->palette.color(QPalette::Button);
            drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override {
        if (element != PE_FrameFocusRect) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const auto* focus = qstyleoption_cast<const QStyleOptionFocusRect*>(option);
        // Item views tell what lies under the frame (the selection colour on a selected row).
        const QColor under = focus && focus->backgroundColor.isValid()
                                 ? focus->backgroundColor
                                 : option->palette.color(QPalette::Window);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(under.lightnessF() < 0.5 ? Qt::white : Qt::black, 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(1, 1, -2, -2));
        painter->restore();
    }
};

class EscapeAction : public QObject {
public:
    EscapeAction(QWidget* window, std::function<void()> action)
        : QObject(window), m_window(window), m_action(std::move(action)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The key reaches the window itself only when the control with the focus left it.
        if (watched == m_window && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
                m_action();
                return true;
            }
        }
        return false;
    }

private:
    QWidget* m_window;
    std::function<void()> m_action;
};

bool TakesTab(const QWidget* area, const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->focusProxy() == nullptr &&
           widget->isEnabled() && area->isAncestorOf(widget) && widget->isVisibleTo(area) &&
           !AnotherOptionChosen(widget);
}

// The control of a floating window that takes the focus back: the one that had it, else the one
// its window would give it, else its first stop.
QWidget* ControlInside(QWidget* area, QWidget* remembered) {
    for (QWidget* control : {remembered, area->window()->focusWidget()}) {
        if (control != nullptr && area->isAncestorOf(control) && control->isEnabled() &&
            control->isVisibleTo(area) && control->focusPolicy() != Qt::NoFocus) {
            return control;
        }
    }
    for (QWidget* widget = area->nextInFocusChain(); widget != area && area->isAncestorOf(widget);
         widget = widget->nextInFocusChain()) {
        if (TakesTab(area, widget)) {
            return widget;
        }
    }
    return area;
}

// Siblings stand in front of those before them.
bool InFrontOf(const QWidget* widget, const QWidget* other) {
    const QObjectList& siblings = widget->parent()->children();
    return siblings.indexOf(widget) > siblings.indexOf(other);
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

void FloatAsWindow(QWidget* area) {
    FloatingWindows().removeIf([](const FloatingWindow& floating) { return floating.area.isNull(); });
    FloatingWindows().append({area, nullptr});
}

QWidget* FocusToGoBackTo(const QWidget* closing) {
    auto open = [closing](const QWidget* window) {
        return window != nullptr && window != closing && window->isVisible() &&
               (closing == nullptr || !closing->isAncestorOf(window));
    };
    QWidget* front = QApplication::activeModalWidget();
    if (!open(front)) {
        const QList<QPointer<QWidget>>& order = ActivationOrder();
        const auto found = std::find_if(order.cbegin(), order.cend(), open);
        front = found != order.cend() ? found->data() : MainWindow();
    }
    if (!open(front)) {
        return nullptr;
    }
    const FloatingWindow* floating = nullptr;
    for (const FloatingWindow& candidate : FloatingWindows()) {
        if (open(candidate.area) && candidate.area->window() == front &&
            (floating == nullptr || InFrontOf(candidate.area, floating->area))) {
            floating = &candidate;
        }
    }
    if (floating != nullptr) {
        return ControlInside(floating->area, floating->focus);
    }
    if (front == MainWindow()) {
        return nullptr;
    }
    return front->focusWidget() != nullptr ? front->focusWidget() : front;
}

void GiveFocusTo(QWidget* control) {
    control->setFocus(Qt::OtherFocusReason);
    if (control->window() != QApplication::activeWindow()) {
        control->window()->activateWindow();
    }
}

HiddenForAWhile::HiddenForAWhile(QWidget* area) : m_area(area) {
    QWidget* focused = QApplication::focusWidget();
    if (area->isAncestorOf(focused)) {
        m_focus = focused;
    }
    area->hide();
}

HiddenForAWhile::~HiddenForAWhile() {
    m_area->show();
    if (m_focus) {
        m_focus->setFocus(Qt::OtherFocusReason);
    }
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

void InstallKeyboardConventions() {
    static KeyboardConventions* installed = nullptr;
    if (installed == nullptr) {
        installed = new KeyboardConventions;
        qApp->installEventFilter(installed);
        QStyle* base = QStyleFactory::create(QApplication::style()->name());
        QApplication::setStyle(
            new FocusMarkStyle(base ? base : QStyleFactory::create(QStringLiteral("Fusion"))));
    }
}

void OnEscape(QWidget* window, std::function<void()> action) {
    new EscapeAction(window, std::move(action));
}
