#pragma once

#include <QWidget>

class QToolButton;

// An up-down control: two arrow buttons that step a whole number between limits. It holds no
// text; its owner writes each step into the box it works on.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(int min, int max, QWidget* parent = nullptr);
    int Value() const { return m_value; }
    // Setting the value from code raises no Change.
    void setValue(int value);
    int Min() const { return m_min; }
    int Max() const { return m_max; }
    // One step as a press of an arrow makes it (up: +1).
    void Step(bool up);

Q_SIGNALS:
    void Change(int value);

private:
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    int m_min;
    int m_max;
    int m_value;
};
