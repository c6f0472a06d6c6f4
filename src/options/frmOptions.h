#pragma once

#include "core/ProgramState.h"
#include "widgets/FormAccess.h"

#include <QColor>
#include <QDialog>
#include <QLabel>
#include <QString>

#include <array>
#include <functional>

class PictureBox;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

// A label of the options' previews that reports the mouse button released over it, with its
// index in its row of labels.
class PreviewLabel : public QLabel {
    Q_OBJECT
public:
    PreviewLabel(int index, QWidget* parent);
    int Index() const { return m_index; }

Q_SIGNALS:
    void MouseUp(int index, Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_index;
};

// A colour label of the menu styles: it shows a colour as its back colour and keeps the value
// exactly, for the save to read back. A caption on it is drawn in black or white, whichever reads
// on the colour; the colour stays visible when the label is disabled.
class ColourLabel : public PreviewLabel {
    Q_OBJECT
public:
    ColourLabel(const QString& caption, QWidget* parent);
    BgrColour BackColor() const { return m_back; }
    void setBackColor(BgrColour back);

protected:
    void changeEvent(QEvent* event) override;

private:
    BgrColour m_back = 0;
};

// A font as the font dialog takes and gives it: the size may have a fraction.
struct FontChoice {
    QString name;
    double size = 0;
    bool bold = false;
    bool italic = false;
};

// The Options dialog (modal): the teacher's colours and fonts, colour schemes, binder and panel
// layout, start-up options, menu styles, holiday labels and the school year's statistics. It
// edits a working copy; OK and Apply store it and paint it onto the day page and the main window.
class frmOptions : public QDialog, public FormAccess<frmOptions> {
    Q_OBJECT
public:
    frmOptions();
    ~frmOptions() override;

    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }

    // The working copy.
    bool Dirty = false;
    bool SchemeInUse = false;
    BgrColour PickedColour = 0;
    std::array<BgrColour, 4> WorkColourBack{};
    std::array<BgrColour, 4> WorkColourFore{};
    std::array<QString, 3> WorkFontName;
    std::array<int, 3> WorkFontSize{};
    std::array<bool, 3> WorkFontBold{};
    std::array<bool, 3> WorkFontItalic{};
    std::array<QString, 21> WorkHolidayNames; // 1..20
    QString WorkScheme;
    BgrColour WorkGradientLeftColour = 0;
    BgrColour WorkGradientRightColour = 0;
    BgrColour WorkXPRightBackColourUser = 0;
    BgrColour WorkXPLeftBackColourUser = 0;
    BgrColour WorkXPSelectedColourUser = 0;
    BgrColour WorkXPAllColourUser = 0;
    BgrColour WorkXPBarColourUser = 0;
    BgrColour WorkTopColourUser = 0;
    BgrColour WorkMiddleColourUser = 0;
    BgrColour WorkBottomColourUser = 0;
    int WorkBinderStyle = 1;
    int WorkCalendarPosition = 0;
    int WorkNotesPosition = 0;
    int WorkMenuStyle = 0;
    int WorkXPTheme = 0;
    int WorkDTheme = 0;
    int WorkRunStartup = 0;

    // The frame.
    QTabWidget* SSTabOptions = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdApply = nullptr;
    QPushButton* cmdHelp = nullptr;

    // Tab 0, "Settings".
    QGroupBox* Frame9 = nullptr;
    std::array<QRadioButton*, 5> optBinderStyle{}; // 1..4
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 2> optCalendarPosition{};
    QGroupBox* Frame6 = nullptr;
    std::array<QRadioButton*, 2> optNotesPosition{};
    QGroupBox* Frame8 = nullptr;
    QLabel* lblTop = nullptr;
    std::array<QLabel*, 4> lblRowThin{};
    std::array<QLabel*, 4> lblRowTall{};
    std::array<QLabel*, 2> lblCalendarBox{};
    std::array<QLabel*, 2> lblNotesBox{};
    std::array<PictureBox*, 2> imgBinderStyle{};
    QGroupBox* Frame5 = nullptr;
    QCheckBox* chkRunStartup = nullptr;
    QCheckBox* chkShowSplash = nullptr;
    QCheckBox* chkPackRun = nullptr;
    QPushButton* cmdPackConfig = nullptr;
    QGroupBox* Frame10 = nullptr;
    QLabel* lblTeacher = nullptr;

    // Tab 1, "Colours and Fonts".
    QGroupBox* Frame2 = nullptr;
    PreviewLabel* lblDate = nullptr;
    std::array<PreviewLabel*, 2> lblTime{};
    std::array<PreviewLabel*, 2> lblSubject{};
    std::array<PreviewLabel*, 2> lblDetails{};
    std::array<PreviewLabel*, 2> lblNotes{};
    PreviewLabel* lblCalendar = nullptr;
    std::array<QLabel*, 14> lblBox{};
    QGroupBox* Frame3 = nullptr;
    std::array<PreviewLabel*, 3> lblFont{};
    QGroupBox* Frame7 = nullptr;
    QCheckBox* chkUseScheme = nullptr;
    QComboBox* cboScheme = nullptr;
    QPushButton* cmdDefaultColours = nullptr;
    QPushButton* cmdDefaultFonts = nullptr;

    // Tab 2, "Menu Styles".
    QGroupBox* Frame15 = nullptr;
    std::array<QRadioButton*, 5> optMenuStyle{}; // 0, 2 and 4 only
    QGroupBox* fraOffice2000 = nullptr;
    QCheckBox* chkGradientBar = nullptr;
    QCheckBox* chkVertical = nullptr;
    QCheckBox* chkLumenleafColours = nullptr;
    ColourLabel* lblGradientLeft = nullptr;
    ColourLabel* lblGradientRight = nullptr;
    QGroupBox* fraOfficeXP = nullptr;
    QGroupBox* fraOfficeXPPreset = nullptr;
    std::array<QRadioButton*, 6> optXPTheme{};
    ColourLabel* lblXPLeftBackColour = nullptr;
    ColourLabel* lblXPRightBackColour = nullptr;
    ColourLabel* lblXPSelectedColour = nullptr;
    ColourLabel* lblXPAllColour = nullptr;
    ColourLabel* lblXPBarColour = nullptr;
    QLabel* lblXPLeftBackColourText = nullptr;
    QLabel* lblXPRightBackColourText = nullptr;
    QLabel* lblXPSelectedColourText = nullptr;
    QLabel* lblXPAllColourText = nullptr;
    QLabel* lblXPBarColourText = nullptr;
    QGroupBox* fra3D = nullptr;
    QGroupBox* fra3DPreset = nullptr;
    std::array<QRadioButton*, 7> opt3DTheme{};
    ColourLabel* lbl3DTopColour = nullptr;
    ColourLabel* lbl3DMiddleColour = nullptr;
    ColourLabel* lbl3DBottomColour = nullptr;

    // Tab 3, "Holiday/Inservice Labels".
    QGroupBox* Frame4 = nullptr;
    std::array<QLineEdit*, 21> txtHolidayNames{}; // 1..20

    // Tab 4, "Statistics".
    QGroupBox* fraStatistics = nullptr;
    std::array<QLabel*, 13> lblMonth{}; // 1..12
    std::array<QLabel*, 5> lblTerm{};   // 1..4
    QLabel* lblTotalSD = nullptr;
    QGroupBox* fraSYInfo = nullptr;
    QLabel* lblTotalDays = nullptr;
    QLabel* lblFirstDay = nullptr;
    QLabel* lblLastDay = nullptr;
    QLabel* lblPast = nullptr;
    QLabel* lblDaysPast = nullptr;
    QLabel* lblAhead = nullptr;
    QLabel* lblDaysAhead = nullptr;

    // The frame's handlers.
    void cmdOK_Click();
    void cmdApply_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void SSTabOptions_Click(int previousTab);
    void SetApplyButtonState();
    void SaveOptions();

    // Colours and fonts.
    void RefreshPreview();
    void ApplyColourScheme();
    void PickColour();
    void PickFont(int index);
    void ShowSchemeInUseMessage();
    void lblDate_MouseUp(Qt::MouseButton button);
    void lblTime_MouseUp(int index, Qt::MouseButton button);
    void lblSubject_MouseUp(int index, Qt::MouseButton button);
    void lblDetails_MouseUp(int index, Qt::MouseButton button);
    void lblNotes_MouseUp(int index, Qt::MouseButton button);
    void lblCalendar_MouseUp(Qt::MouseButton button);
    void lblFont_Click(int index);
    void cmdDefaultColours_Click();
    void cmdDefaultFonts_Click();
    void chkUseScheme_Click();
    void cboScheme_Click();
    // The scheme list's text: the chosen item, or the stored name that is no item of it.
    QString SchemeText() const;

    // Layout, start-up options and labels.
    void LayoutPreview();
    void NotesMove();
    void optBinderStyle_Click(int index);
    void optCalendarPosition_Click(int index);
    void optNotesPosition_Click(int index);
    void chkRunStartup_Click();
    void chkShowSplash_Click();
    void chkPackRun_Click();
    void cmdPackConfig_Click();
    void txtHolidayNames_Change(int index);

    // Menu styles (frmOptionsMenuStyles.cpp).
    void ShowThemeColours();
    void RefreshAllThemeColours();
    void EnableMenuStyleFrames(int style);
    void optMenuStyle_Click(int index);
    void optXPTheme_Click(int index);
    void opt3DTheme_Click(int index);
    void chkGradientBar_Click();
    void chkVertical_Click();
    void chkLumenleafColours_Click();
    void lblGradientLeft_Click();
    void lblGradientRight_Click();
    void lblXPRightBackColour_Click();
    void lblXPLeftBackColour_Click();
    void lblXPSelectedColour_Click();
    void lblXPAllColour_Click();
    void lblXPBarColour_Click();
    void lbl3DTopColour_Click();
    void lbl3DMiddleColour_Click();
    void lbl3DBottomColour_Click();
    // What the tab shows, its check boxes and the user colours go into the program's menu
    // settings, for the save to store.
    void StoreMenuTheme(ProgramState& g) const;

    // Statistics.
    void ShowSchoolYearStatistics();

protected:
    void reject() override;

private:
    enum class PreviewPart { Date, Time, Subject, Details, Notes, NotesBody, Calendar };

    QWidget* buildSettingsTab();
    QWidget* buildColoursTab();
    QWidget* buildMenuStylesTab();
    QWidget* buildHolidayLabelsTab();
    QWidget* buildStatisticsTab();
    void loadMenuStyleChecks();
    void loadMenuStyleOptions();
    void showGradientColours();
    void pickMenuColour(ColourLabel* label, BgrColour& userColour);
    void markDirty();
    void colourClick(PreviewPart part, Qt::MouseButton button);
    void enableSchemeList(bool enabled);

    // The teacher's own style as stored: what the working copy starts from and is compared with.
    std::array<BgrColour, 4> m_savedColourBack{};
    std::array<BgrColour, 4> m_savedColourFore{};
    int m_shownTab = 0;
};

// Shows the options dialog and waits until it is closed.
void ShowOptionsDialog();

// Tests answer the colour and font dialogs, and stand in for the log-on start entry and the
// Pack To Go set-up, instead of a person and the desktop. An empty function restores the real one.
namespace OptionsTestSeam {
// The colour dialog: given the colour it opens on, the colour chosen (the same on Cancel).
void SetColourDialog(std::function<QColor(const QColor&)> answer);
// The font dialog: given the font it opens on, the font chosen (the same on Cancel).
void SetFontDialog(std::function<FontChoice(const FontChoice&)> answer);
void SetRunAtStartup(std::function<void()> add, std::function<void()> remove);
void SetPackConfig(std::function<void()> showDialog, std::function<bool()> firstPack);
void Reset();
} // namespace OptionsTestSeam
