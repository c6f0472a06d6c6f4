#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The program's windows that the main window closes when it closes. A window says how to close
// it while it is open; closing one that is not open does nothing.
void RegisterOpenWindow(const QString& name, std::function<void()> close);
void ForgetOpenWindow(const QString& name);
bool IsWindowOpen(const QString& name);
// Closes the open ones among these, in this order.
void CloseOpenWindows(const QStringList& names);
