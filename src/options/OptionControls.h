#pragma once

#include <QAbstractButton>
#include <QCheckBox>

#include <functional>

// How the options dialog's code sets its check boxes and option buttons.

// A check box's value as stored: 1 ticked, 0 not.
inline int Value(const QCheckBox* box) {
    return box->isChecked() ? 1 : 0;
}

// A value set from code runs the control's click handling as a click does. When the value is
// already the one asked for, the handling runs all the same, so that what depends on the value
// is in step with it.
inline void SetChecked(QAbstractButton* button, bool on, const std::function<void()>& handler) {
    if (button->isChecked() == on) {
        handler();
    } else {
        button->setChecked(on);
    }
}

// The index of an option button row for a stored value; a value no button stands for takes the
// first button's place.
inline int OptionIndex(int value, int first, int last) {
    return value >= first && value <= last ? value : first;
}
