#include "OpenWindows.h"

#include <QHash>

namespace {
QHash<QString, std::function<void()>>& Windows() {
    static QHash<QString, std::function<void()>> windows;
    return windows;
}
} // namespace

void RegisterOpenWindow(const QString& name, std::function<void()> close) {
    Windows().insert(name, std::move(close));
}

void ForgetOpenWindow(const QString& name) {
    Windows().remove(name);
}

bool IsWindowOpen(const QString& name) {
    return Windows().contains(name);
}

void CloseOpenWindows(const QStringList& names) {
    for (const QString& name : names) {
        // Taken out first: closing a window may forget it, or open another.
        const std::function<void()> close = Windows().take(name);
        if (close) {
            close();
        }
    }
}
