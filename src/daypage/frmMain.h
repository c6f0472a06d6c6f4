#pragma once

#include "widgets/FormAccess.h"

#include <QHash>
#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;

// The main window: a multiple-document frame whose client area holds the day page, with the
// menu bar above and the status bar below. The floating panels of the day page are placed on
// its client area.
class frmMain : public QMainWindow, public FormAccess<frmMain> {
    Q_OBJECT
public:
    frmMain();
    ~frmMain() override;

    void Form_Load();
    void Form_Unload();
    // Released once the event that closed it has finished with it.
    void ReleaseForm() { deleteLater(); }
    // Shows the window on the whole screen and waits (briefly) until the window system has
    // given it its size: the day page takes its width from it.
    void ShowMaximizedAndSettle();

    // The area below the menu bar and above the status bar, where panels float.
    QWidget* clientArea = nullptr;
    QMdiArea* mdiClient = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFExit = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuVCalendar = nullptr;
    QAction* mnuVNotes = nullptr;
    QAction* mnuVTimeTable = nullptr;
    // The cells' pop-up menus; their commands arrive with the cell editors.
    QMenu* mnuPopUpTime = nullptr;
    QMenu* mnuPopupSubject = nullptr;
    QMenu* mnuPopUpDetails = nullptr;

    // Status-bar panels by key: "Date", "Time", "TeacherName", "SchoolDays".
    QLabel* StatusPanel(const QString& key) const;

    // Measures in twips, as the layout formulas use them.
    double InnerWidthTw() const;
    double OuterWidthTw() const;
    double OuterHeightTw() const;
    double StatusBarHeightTw() const;

    void SetBackColour(qint32 bgr);

    void mnuFExit_Click();
    void mnuVCalendar_Click();
    void mnuVNotes_Click();
    void mnuVTimeTable_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void MDIForm_Load();
    void MDIForm_Unload();
    void addStatusPanel(const QString& key, int stretch);
    void storePendingEdits();
    QHash<QString, QLabel*> m_panels;
    QTimer* m_clock = nullptr;
    bool m_unloaded = false;
};
