#pragma once

class QWidget;
class QWindow;

// Our top-level windows: which stays in front of which, and showing one so that it is seen.
//
// An X11 window manager keeps a window in front of another only when it is a dialog-type window
// whose transient parent (WM_TRANSIENT_FOR) is that other window: a plain top-level window drops
// behind whatever the teacher clicks, and a window that locks the main window would hide behind
// the very window that answers nothing.

// The main window, which every window that locks it stays in front of.
void SetMainWindow(QWidget* main);
QWidget* MainWindow();

// The window a window opened now belongs in front of: the modal window on top, else our active
// window, else the main window (null when none is shown).
QWidget* FrontWindow();

// A shown window of ours that stays on top of every other (the progress window, the splash).
QWidget* TopmostWindow();

// Makes `window` (a top-level window, before it is shown) a dialog-type window in front of the
// window of `owner`; null leaves it with no owner. It is not made the owner's child: it may
// outlive the owner.
void KeepInFrontOf(QWidget* window, const QWidget* owner);
void KeepInFrontOf(QWidget* window, QWindow* owner);

// Makes `window` (before it is shown) stay in front of the window it opens over: over a window
// that stays on top it stays on top as well, in front of that one, or it would hide behind it;
// else in front of the front window.
void KeepInFront(QWidget* window);

// Hides a top-level window so that, shown again, it comes back where its frame stood: a window
// shown again is otherwise placed afresh by the window manager.
void HideInPlace(QWidget* window);

// After show(): waits until the window system has mapped the window (a second at most) and lets
// pending window events run, so that the window is on the screen before work that keeps the
// event loop waiting.
void SettleShown(QWidget* window);
