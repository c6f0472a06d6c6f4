#include "DatePicker.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>

DatePicker::DatePicker(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    box = new QCheckBox(this);
    box->setToolTip(QStringLiteral("Tick to use this date"));
    edit = new QDateEdit(this);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("MMM d, yyyy"));
    // A plan book's years; a slip of the wheel cannot make a year of centuries.
    edit->setDateRange(QDate(2000, 1, 1), QDate(2099, 12, 31));
    layout->addWidget(box);
    layout->addWidget(edit, 1);
    connect(box, &QCheckBox::clicked, this, [this] {
        showState();
        Q_EMIT Changed();
    });
    connect(edit, &QDateEdit::dateChanged, this, [this] {
        if (!m_setting) {
            Q_EMIT Changed();
        }
    });
    showState();
}

bool DatePicker::HasDate() const {
    return box->isChecked();
}

QDate DatePicker::Value() const {
    return box->isChecked() ? edit->date() : QDate();
}

QDate DatePicker::ShownDate() const {
    return edit->date();
}

void DatePicker::setValue(const QDate& shown, bool checked) {
    m_setting = true;
    // A stored date outside the usual years is shown as it is, never moved into them.
    if (shown.isValid() && (shown < edit->minimumDate() || shown > edit->maximumDate())) {
        edit->setDateRange(qMin(shown, edit->minimumDate()), qMax(shown, edit->maximumDate()));
    }
    box->setChecked(checked);
    edit->setDate(shown);
    m_setting = false;
    showState();
}

void DatePicker::showState() {
    // A date that is not used is shown greyed, as a picker without its tick.
    edit->setEnabled(box->isChecked());
}
