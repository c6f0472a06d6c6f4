#pragma once

#include <QDate>
#include <QWidget>

class QCheckBox;
class QDateEdit;

// A date picker that may hold no date: a check box beside the date. A ticked box means the date
// is used; a cleared box means there is none, and the picker reads as Null (an invalid date)
// while still showing a date to start from.
class DatePicker : public QWidget {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

    bool HasDate() const;
    // The date, or an invalid date when the box is cleared.
    QDate Value() const;
    QDate ShownDate() const;
    // Sets both without a Changed signal: the caller runs the change handling itself.
    void setValue(const QDate& shown, bool checked);

    QCheckBox* box = nullptr;
    QDateEdit* edit = nullptr;

Q_SIGNALS:
    // The teacher ticked or cleared the box or chose another date.
    void Changed();

private:
    void showState();
    bool m_setting = false;
};
