#pragma once

#include "DialogLook.h"
#include "widgets/FormAccess.h"

#include <array>

class ClickLabel;
class QLabel;
class QPushButton;

// The log-on of a book kept by two teachers: each clicks their own name, or reaches it with Tab
// or the arrow keys and presses Return. Closing the window any other way leaves LoggedOn False;
// the caller then ends the program in its own orderly way.
class frmLogOn : public CoverDialog, public FormAccess<frmLogOn> {
    Q_OBJECT
public:
    frmLogOn();
    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }

    // Which name the pointer at (x, y) of name label `index` (width by height) highlights: the
    // label itself, its right and bottom edges included, else none (0).
    static int HoveredName(int index, int x, int y, int width, int height);

    void lblName_MouseMove(int index, int x, int y);
    void Form_MouseMove();
    void lblName_Click(int index);
    void cmdExit_Click();
    // The name whose underline and check mark show (0: none).
    int Highlighted() const { return qMax(0, m_highlighted); }

    bool LoggedOn = false;

    QLabel* lblPrompt = nullptr;
    std::array<ClickLabel*, 3> lblName{};
    std::array<QLabel*, 3> imgCheck{};
    QPushButton* cmdExit = nullptr;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Highlight(int index);
    int m_highlighted = -1; // nothing applied yet
};
