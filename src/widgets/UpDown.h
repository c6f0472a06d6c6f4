#pragma once

#include <QWidget>

class QToolButton;

// An up-down control: two arrow buttons that step a whole number between limits. It holds no
// text; its owner writes each step into the box it works on. It takes the focus by Tab, shows
// it with a frame, and steps with the Up and Down keys, as does the box it works on once that
// box is made its buddy.
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
    // The box the control works on: the Up and Down keys step it there too.
    void SetBuddy(QWidget* box);

Q_SIGNALS:
    void Change(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key was an Up or Down key, which has then stepped.
    bool stepByKey(int key);

    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    QWidget* m_buddy = nullptr;
    int m_min;
    int m_max;
    int m_value;
};
