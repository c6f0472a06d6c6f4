#include "TopLevelWindows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {
QPointer<QWidget> g_main;

bool IsShownWindow(const QWidget* widget) {
    return widget != nullptr && widget->isWindow() && widget->isVisible();
}

// The window types the window manager stacks over their transient parent.
bool IsDialogType(const QWidget* window) {
    const Qt::WindowType type = window->windowType();
    return type == Qt::Dialog || type == Qt::Sheet || type == Qt::Tool;
}
} // namespace

void SetMainWindow(QWidget* main) {
    g_main = main;
}

QWidget* MainWindow() {
    return g_main;
}

QWidget* FrontWindow() {
    for (QWidget* candidate :
         {QApplication::activeModalWidget(), QApplication::activeWindow(), g_main.data()}) {
        if (IsShownWindow(candidate)) {
            return candidate;
        }
    }
    return nullptr;
}

QWidget* TopmostWindow() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (IsShownWindow(window) && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            return window;
        }
    }
    return nullptr;
}

void KeepInFrontOf(QWidget* window, const QWidget* owner) {
    KeepInFrontOf(window, owner != nullptr ? owner->window()->windowHandle() : nullptr);
}

void KeepInFrontOf(QWidget* window, QWindow* owner) {
    if (!IsDialogType(window)) {
        window->setWindowFlags((window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    }
    window->winId(); // the transient parent belongs to the native window
    window->windowHandle()->setTransientParent(owner != window->windowHandle() ? owner : nullptr);
}

void KeepInFront(QWidget* window) {
    QWidget* owner = TopmostWindow();
    if (owner != nullptr) {
        window->setWindowFlag(Qt::WindowStaysOnTopHint);
    } else {
        owner = FrontWindow();
    }
    KeepInFrontOf(window, owner);
}

void HideInPlace(QWidget* window) {
    const bool shown = window->isVisible();
    // The inside, which the window system always tells; the frame around it may not be known.
    const QRect inside = window->geometry();
    window->hide();
    if (shown) {
        window->setGeometry(inside); // placed by the program, it is shown there again
    }
}

void SettleShown(QWidget* window) {
    // The window manager maps a new window some time after show(); until the window has been
    // told so, nothing of it is painted.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 1000 && !window->testAttribute(Qt::WA_Mapped)) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
