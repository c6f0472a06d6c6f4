#pragma once

class QWidget;

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
