#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

// What the keyboard needs of controls that Qt's own do not give: a focus mark on a control that
// paints itself, and Tab kept inside a window that floats within another.

// Draws the focus frame round the widget when it has the focus; called at the end of its paint.
void PaintFocusFrame(QWidget* widget, int lineWidth);

// Tab and Shift+Tab in a window that floats inside another as a plain child (the print and the
// find dialogs on the main window): the focus moves to the next or previous control inside
// `area` that takes Tab, round from the last to the first, and never onto what lies beneath.
// False, with nothing moved, while `area` is hidden or holds no focus; its owner then moves the
// focus as any widget would.
bool FocusNextInside(QWidget* area, bool next);

// Such a window counts as a window of its own when the focus goes back after another closes: the
// control that had the focus in it is remembered, as a window remembers its own.
void FloatAsWindow(QWidget* area);

// Where the focus goes back to once `closing` (a window, or one floating as a window; hidden by
// now) has closed: the control it had in the window in front that is still open (a modal one,
// else the one activated last, and in it the front one of the windows floating there). Null when
// that is the main window with nothing floating on it: the main window's own business.
QWidget* FocusToGoBackTo(const QWidget* closing);

// Gives the focus to `control` and makes its window the active one.
void GiveFocusTo(QWidget* control);

// Hides a window that floats inside another for a while (the print dialog while the screen is
// taken for a picture) and shows it again with the focus where it was: hidden, it would hand the
// focus on to whatever lies beneath it.
class HiddenForAWhile {
public:
    explicit HiddenForAWhile(QWidget* area);
    ~HiddenForAWhile();
    HiddenForAWhile(const HiddenForAWhile&) = delete;
    HiddenForAWhile& operator=(const HiddenForAWhile&) = delete;

private:
    QWidget* m_area;
    QPointer<QWidget> m_focus;
};

// The desktop's keys in every window of the program, installed once on the application: Return
// presses the button that has the focus (a push button or a picture button, in a dialog or not),
// and the control that has the focus always shows its mark. The toolkit shows the mark only after
// Tab in that window, so a focus the program sets (the day page's Next arrow after a dialog)
// would sit there unseen and a Space would act on it by surprise.
void InstallKeyboardConventions();

// Escape in `window`, when the control with the focus does not use it, does `action`: the Close
// or Cancel of a window that is not a dialog, as Escape is in a dialog.
void OnEscape(QWidget* window, std::function<void()> action);
