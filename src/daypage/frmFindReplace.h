#pragma once

#include "core/FindText.h"
#include "widgets/FormAccess.h"

#include <QDate>
#include <QFrame>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;
class frmSchedule;

// The find and replace dialog. It floats on the main window (a plain child the teacher drags
// by its title, never a child window of the page's kind: activating the page again would
// clear the undo) and drives the day page itself: each hit is shown by moving the page to its
// day, marking the cell and moving the dialog off it.
class frmFindReplace : public QFrame, public FormAccess<frmFindReplace> {
    Q_OBJECT
public:
    frmFindReplace();
    ~frmFindReplace() override;

    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }
    void Form_Activate();

    QLabel* lblTitle = nullptr; // the caption bar the dialog is dragged by
    QPushButton* cmdClose = nullptr;
    QLabel* lblFind = nullptr;
    QLineEdit* txtFind = nullptr;
    QLabel* lblReplace = nullptr;
    QLineEdit* txtReplace = nullptr;
    QGroupBox* fraSearch = nullptr;
    std::array<QRadioButton*, 4> optSearch{};
    std::array<QLabel*, 4> lblCount{};
    QGroupBox* fraOptions = nullptr;
    QCheckBox* chkMatchCase = nullptr;
    QCheckBox* chkWholeWord = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 3> optRegion{};
    QProgressBar* pbrDBase = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblDate = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdReplace = nullptr;
    QPushButton* cmdReplaceAll = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
    QTimer* tmrFind = nullptr;

    // Event handlers.
    void optSearch_Click(int index);
    void optRegion_Click(int index);
    void chkMatchCase_Click();
    void chkWholeWord_Click();
    void txtFind_Change();
    void txtReplace_Change();
    void cmdFind_Click();
    void cmdReplace_Click();
    void cmdReplaceAll_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void tmrFind_Timer();

    // The search procedures: each takes the next step in its area and shows the hit.
    void FindInTimeLines(QString& text);
    void FindInSubjectLines(QString& text);
    void FindInDetails(QString& text);
    void FindInNotes(QString& text);
    void ShowFoundItem(int row, qint32 left, qint32 width, qint32 top, qint32 height);
    void UpdateSearchProgress();
    void ShowCurrentRecordDate();

    // What the dialog knows of the pass (read by tests and the benchmark).
    bool SearchFound() const { return m_searchFound; }
    bool SearchActive() const { return m_searchActive; }
    qint32 FoundCount() const { return m_pass.FoundCount; }
    qint32 ReplacedCount() const { return m_replacedCount; }
    const FindHit& Hit(int area) const { return m_pass.hits[static_cast<size_t>(area)]; }
    QDate SearchStartDate() const { return m_searchStartDate; }
    double FormLeft() const { return m_formLeft; }
    double FormTop() const { return m_formTop; }
    // Where the day page's top lies on the main window's client area, in twips.
    static double PageTop();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void restart(int area);
    void findInArea(int area, QString& text);
    void showRowHit(frmSchedule& page, int area, int row);
    void showNotesHit(frmSchedule& page);
    void hideMarkers();
    void moveWithin(const QPointF& topLeftTwips);
    // The hit is still what the page shows: the same day, and the cell as it was hit.
    bool hitStillShown() const;
    QString shownCell(int area, int row) const;
    void replaceHit(bool storeNow);

    bool m_loading = false;
    bool m_searchFound = false;
    bool m_searchActive = false;
    bool m_replaceMode = false;
    bool m_replaceAllRunning = false;
    FindPass m_pass;
    qint32 m_replacedCount = 0;
    int m_currentPosition = 0;
    int m_recordTotal = 0;
    QDate m_searchStartDate;
    // The day and the cell's text of the last hit, for Replace.
    QDate m_hitDate;
    QString m_hitCell;
    bool m_savedNotesShow = false;
    double m_formLeft = 0;
    double m_formTop = 0;
    // A drag by the title: where the pointer took hold, inside the dialog.
    QPoint m_dragFrom;
    bool m_dragging = false;
};

// Shows the find and replace dialog without waiting.
void ShowFindReplace();
