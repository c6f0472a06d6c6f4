#pragma once

#include "widgets/FormAccess.h"

#include <QDate>
#include <QMargins>
#include <QWidget>

#include <array>

class GridCell;
class PanelTitle;
class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;
class QToolButton;
class RichTextBox;

// The print preview: nearly the whole screen, showing what the print dialog's item will print,
// the composed day page or the timetable grid. A range can be stepped through day by day. Every
// way of closing it takes the day page back to the day the print dialog was opened on.
class frmPrintPreview : public QWidget, public FormAccess<frmPrintPreview> {
    Q_OBJECT
public:
    frmPrintPreview();
    ~frmPrintPreview() override;

    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }

    RichTextBox* rtbPrint = nullptr;
    QFrame* picTimeTable = nullptr;
    std::array<PanelTitle*, 8> lblHeader{};
    std::array<GridCell*, 96> lblRow{};
    QToolButton* cmdPrev = nullptr;
    QToolButton* cmdNext = nullptr;
    QPushButton* cmdPrintNow = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblPrinter = nullptr;

    void cmdPrev_Click();
    void cmdNext_Click();
    void cmdPrintNow_Click();
    void cmdPrint_Click();
    void cmdClose_Click();

    // What the print dialog opened the preview with: the range to step through and the day to
    // go back to. While the dialog is open its own values count; these stand in once it closes.
    void OpenedWith(const QDate& rangeStart, const QDate& rangeEnd, const QDate& returnDate);
    QDate RangeStart() const;
    QDate RangeEnd() const;
    QDate ReturnDate() const;
    // The days of the range, as the print prints them.
    QList<QDate> RangeDays() const;
    // The stepping buttons are offered only for a range of different dates.
    void ShowSteppingButtons();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTimeTable();
    void fitToScreen();
    // The window manager's frame around the window; none before it has framed it.
    QMargins frameMargins() const;
    void settleFrame();
    void placeContent();
    void step(bool forward);
    void enableStepping();
    // Left and Right step the days; no arrow key moves the focus between the buttons. True when
    // the key was taken.
    bool arrowKeyPressed(QObject* watched, const QKeyEvent& key);

    QDate m_rangeStart;
    QDate m_rangeEnd;
    QDate m_returnDate;
    bool m_unloading = false;
    QMargins m_fittedMargins;
    bool m_frameSettled = false;
};
