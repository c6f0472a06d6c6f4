// The "Menu Styles" tab of the options dialog: the menu's style and the colours of its themes.
// The colour labels show what each style's chosen theme gives; the save stores what they show.
#include "OptionControls.h"
#include "frmOptions.h"

#include "core/MenuThemes.h"
#include "platform/Twips.h"
#include "widgets/Colours.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include <initializer_list>
#include <tuple>
#include <utility>

namespace {
// Black or white, whichever reads on the colour (by its perceived brightness).
QColor CaptionColourOn(const QColor& back) {
    const int brightness = (back.red() * 299 + back.green() * 587 + back.blue() * 114) / 1000;
    return brightness >= 128 ? QColor(Qt::black) : QColor(Qt::white);
}
} // namespace

ColourLabel::ColourLabel(const QString& caption, QWidget* parent) : PreviewLabel(0, parent) {
    setText(caption);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    const int textWidth = caption.isEmpty() ? 0 : fontMetrics().horizontalAdvance(caption);
    setMinimumSize(qMax(PxX(600), textWidth + PxX(240)), qMax(PxY(315), fontMetrics().height() + 8));
    setBackColor(m_back);
}

void ColourLabel::setBackColor(BgrColour back) {
    m_back = back;
    const QColor colour = ColorFromBgr(back);
    SetBackColor(this, colour);
    // A disabled caption fades into the colour, which itself stays as it is.
    const QColor caption = CaptionColourOn(colour);
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, caption);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, caption);
    pal.setColor(QPalette::Disabled, QPalette::WindowText,
                 QColor((caption.red() + colour.red()) / 2, (caption.green() + colour.green()) / 2,
                        (caption.blue() + colour.blue()) / 2));
    setPalette(pal);
}

void ColourLabel::changeEvent(QEvent* event) {
    // Only a label that can be clicked invites a click.
    if (event->type() == QEvent::EnabledChange) {
        if (isEnabled()) {
            setCursor(Qt::PointingHandCursor);
        } else {
            unsetCursor();
        }
    }
    PreviewLabel::changeEvent(event);
}

QWidget* frmOptions::buildMenuStylesTab() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);

    auto onClick = [this](ColourLabel* label, void (frmOptions::*handler)()) {
        connect(label, &PreviewLabel::MouseUp, this, [this, handler](int, Qt::MouseButton button) {
            if (button == Qt::LeftButton) {
                (this->*handler)();
            }
        });
    };
    // A row of option buttons whose handler hears the index of the one chosen.
    auto optionButton = [this](QGroupBox* frame, const QString& caption, int index,
                               void (frmOptions::*handler)(int)) {
        auto* button = new QRadioButton(caption, frame);
        connect(button, &QRadioButton::toggled, this, [this, index, handler](bool on) {
            if (on) {
                (this->*handler)(index);
            }
        });
        return button;
    };

    Frame15 = new QGroupBox(QStringLiteral("Menu Style"), page);
    auto* styles = new QVBoxLayout(Frame15);
    const std::pair<int, const char*> styleCaptions[] = {{MenuStyleOffice2000, "Office 2000 Style"},
                                                         {MenuStyleOfficeXP, "Office XP Style"},
                                                         {MenuStyle3D, "3D Style"}};
    for (const auto& [index, caption] : styleCaptions) {
        optMenuStyle[index] =
            optionButton(Frame15, QString::fromLatin1(caption), index, &frmOptions::optMenuStyle_Click);
        styles->addWidget(optMenuStyle[index]);
    }

    fraOffice2000 = new QGroupBox(QStringLiteral("Office 2000 Style"), page);
    auto* office2000 = new QGridLayout(fraOffice2000);
    chkGradientBar = new QCheckBox(QStringLiteral("Use Gradient Selection Bar"), fraOffice2000);
    chkVertical = new QCheckBox(QStringLiteral("Vertical"), fraOffice2000);
    chkLumenleafColours = new QCheckBox(QStringLiteral("Lumenleaf"), fraOffice2000);
    lblGradientLeft = new ColourLabel(QStringLiteral("Left Colour"), fraOffice2000);
    lblGradientRight = new ColourLabel(QStringLiteral("Right Colour"), fraOffice2000);
    office2000->addWidget(chkGradientBar, 0, 0, 1, 2);
    office2000->addWidget(lblGradientLeft, 1, 0);
    office2000->addWidget(lblGradientRight, 1, 1);
    office2000->addWidget(chkVertical, 2, 0);
    office2000->addWidget(chkLumenleafColours, 2, 1);
    connect(chkGradientBar, &QCheckBox::toggled, this, &frmOptions::chkGradientBar_Click);
    connect(chkVertical, &QCheckBox::toggled, this, &frmOptions::chkVertical_Click);
    connect(chkLumenleafColours, &QCheckBox::toggled, this, &frmOptions::chkLumenleafColours_Click);
    onClick(lblGradientLeft, &frmOptions::lblGradientLeft_Click);
    onClick(lblGradientRight, &frmOptions::lblGradientRight_Click);

    fraOfficeXP = new QGroupBox(QStringLiteral("Office XP Style"), page);
    auto* officeXP = new QVBoxLayout(fraOfficeXP);
    fraOfficeXPPreset = new QGroupBox(QStringLiteral("Preset Themes"), fraOfficeXP);
    auto* xpThemes = new QGridLayout(fraOfficeXPPreset);
    for (int i = 0; i < XPThemeCount; ++i) {
        optXPTheme[i] = optionButton(fraOfficeXPPreset, XPThemeCaption(i), i, &frmOptions::optXPTheme_Click);
        xpThemes->addWidget(optXPTheme[i], i % 3, i / 3);
    }
    officeXP->addWidget(fraOfficeXPPreset);
    auto* xpColours = new QGridLayout();
    officeXP->addLayout(xpColours);
    officeXP->addStretch(1);
    const std::tuple<ColourLabel**, QLabel**, const char*, void (frmOptions::*)()> xpRows[] = {
        {&lblXPLeftBackColour, &lblXPLeftBackColourText, "Menu Left Back Colour",
         &frmOptions::lblXPLeftBackColour_Click},
        {&lblXPRightBackColour, &lblXPRightBackColourText, "Menu Right Back Colour",
         &frmOptions::lblXPRightBackColour_Click},
        {&lblXPSelectedColour, &lblXPSelectedColourText, "Text Colour of Selected Item",
         &frmOptions::lblXPSelectedColour_Click},
        {&lblXPAllColour, &lblXPAllColourText, "Text Colour of All Items", &frmOptions::lblXPAllColour_Click},
        {&lblXPBarColour, &lblXPBarColourText, "Selection Bar Back Colour",
         &frmOptions::lblXPBarColour_Click},
    };
    int row = 0;
    for (const auto& [label, text, caption, handler] : xpRows) {
        *label = new ColourLabel(QString(), fraOfficeXP);
        *text = new QLabel(QString::fromLatin1(caption), fraOfficeXP);
        (*text)->setBuddy(*label);
        xpColours->addWidget(*label, row, 0);
        xpColours->addWidget(*text, row, 1);
        onClick(*label, handler);
        ++row;
    }
    xpColours->setColumnStretch(1, 1);

    fra3D = new QGroupBox(QStringLiteral("3D Style"), page);
    auto* threeD = new QVBoxLayout(fra3D);
    fra3DPreset = new QGroupBox(QStringLiteral("Preset Themes"), fra3D);
    auto* threeDThemes = new QVBoxLayout(fra3DPreset);
    for (int i = 0; i < ThreeDThemeCount; ++i) {
        opt3DTheme[i] = optionButton(fra3DPreset, ThreeDThemeCaption(i), i, &frmOptions::opt3DTheme_Click);
        threeDThemes->addWidget(opt3DTheme[i]);
    }
    threeD->addWidget(fra3DPreset);
    lbl3DTopColour = new ColourLabel(QStringLiteral("Top Colour"), fra3D);
    lbl3DMiddleColour = new ColourLabel(QStringLiteral("Middle Colour"), fra3D);
    lbl3DBottomColour = new ColourLabel(QStringLiteral("Bottom Colour"), fra3D);
    for (ColourLabel* label : {lbl3DTopColour, lbl3DMiddleColour, lbl3DBottomColour}) {
        threeD->addWidget(label);
    }
    threeD->addStretch(1);
    onClick(lbl3DTopColour, &frmOptions::lbl3DTopColour_Click);
    onClick(lbl3DMiddleColour, &frmOptions::lbl3DMiddleColour_Click);
    onClick(lbl3DBottomColour, &frmOptions::lbl3DBottomColour_Click);

    grid->addWidget(Frame15, 0, 0);
    grid->addWidget(fraOffice2000, 1, 0);
    grid->addWidget(fraOfficeXP, 0, 1, 3, 1);
    grid->addWidget(fra3D, 0, 2, 3, 1);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

// The load's step for the three check boxes, among the others of its kind.
void frmOptions::loadMenuStyleChecks() {
    const ProgramState& g = Globals();
    SetChecked(chkGradientBar, g.GradientBar != 0, [this] { chkGradientBar_Click(); });
    SetChecked(chkVertical, g.Vertical != 0, [this] { chkVertical_Click(); });
    SetChecked(chkLumenleafColours, g.LumenleafColours != 0, [this] { chkLumenleafColours_Click(); });
}

// The load's step for the option buttons: the style first, then the two themes. A stored number
// no button stands for (a settings file edited by hand) is shown as the first button's.
void frmOptions::loadMenuStyleOptions() {
    const ProgramState& g = Globals();
    const int style =
        g.MenuStyle == MenuStyleOfficeXP || g.MenuStyle == MenuStyle3D ? g.MenuStyle : MenuStyleOffice2000;
    SetChecked(optMenuStyle[style], true, [this, style] { optMenuStyle_Click(style); });
    const int xpTheme = OptionIndex(g.XPTheme, 0, XPThemeCount - 1);
    SetChecked(optXPTheme[xpTheme], true, [this, xpTheme] { optXPTheme_Click(xpTheme); });
    const int threeDTheme = OptionIndex(g.DTheme, 0, ThreeDThemeCount - 1);
    SetChecked(opt3DTheme[threeDTheme], true, [this, threeDTheme] { opt3DTheme_Click(threeDTheme); });
}

void frmOptions::showGradientColours() {
    const auto [left, right] = GradientShows(chkLumenleafColours->isChecked(), WorkColourBack,
                                             WorkGradientLeftColour, WorkGradientRightColour);
    lblGradientLeft->setBackColor(left);
    lblGradientRight->setBackColor(right);
}

// Fills the colour labels of the style WorkMenuStyle names from its theme. The "Lumenleaf"
// themes follow the working day-page colours, so a scheme chosen on the colours tab shows here.
void frmOptions::ShowThemeColours() {
    switch (WorkMenuStyle) {
    case MenuStyleOffice2000:
        showGradientColours();
        break;
    case MenuStyleOfficeXP: {
        const XPThemeColours user{WorkXPLeftBackColourUser, WorkXPRightBackColourUser,
                                  WorkXPSelectedColourUser, WorkXPAllColourUser, WorkXPBarColourUser};
        if (const auto shown = XPThemeShows(WorkXPTheme, WorkColourBack, user)) {
            lblXPLeftBackColour->setBackColor(shown->LeftBack);
            lblXPRightBackColour->setBackColor(shown->RightBack);
            lblXPSelectedColour->setBackColor(shown->Selected);
            lblXPAllColour->setBackColor(shown->All);
            lblXPBarColour->setBackColor(shown->Bar);
        }
        break;
    }
    case MenuStyle3D: {
        const ThreeDThemeColours user{WorkTopColourUser, WorkMiddleColourUser, WorkBottomColourUser};
        if (const auto shown = ThreeDThemeShows(WorkDTheme, WorkColourBack, user)) {
            lbl3DTopColour->setBackColor(shown->Top);
            lbl3DMiddleColour->setBackColor(shown->Middle);
            lbl3DBottomColour->setBackColor(shown->Bottom);
        }
        break;
    }
    default:
        break;
    }
}

void frmOptions::RefreshAllThemeColours() {
    const int style = WorkMenuStyle;
    for (int s : {MenuStyleOffice2000, MenuStyleOfficeXP, MenuStyle3D}) {
        WorkMenuStyle = s;
        ShowThemeColours();
    }
    WorkMenuStyle = style;
}

// The chosen style's group is on, the others off. Controls inside a frame that is off stay off
// whatever the theme handlers below set on them, as Qt disables a frame's children with it.
void frmOptions::EnableMenuStyleFrames(int style) {
    const bool office2000 = style == MenuStyleOffice2000;
    for (QWidget* control :
         std::initializer_list<QWidget*>{fraOffice2000, chkGradientBar, lblGradientLeft, lblGradientRight,
                                         chkVertical, chkLumenleafColours}) {
        control->setEnabled(office2000);
    }
    const bool officeXP = style == MenuStyleOfficeXP;
    for (QWidget* control : std::initializer_list<QWidget*>{
             fraOfficeXP, fraOfficeXPPreset, lblXPLeftBackColour, lblXPRightBackColour, lblXPSelectedColour,
             lblXPAllColour, lblXPBarColour, lblXPLeftBackColourText, lblXPRightBackColourText,
             lblXPSelectedColourText, lblXPAllColourText, lblXPBarColourText}) {
        control->setEnabled(officeXP);
    }
    for (QRadioButton* option : optXPTheme) {
        option->setEnabled(officeXP);
    }
    const bool threeD = style == MenuStyle3D;
    for (QWidget* control : std::initializer_list<QWidget*>{fra3D, fra3DPreset, lbl3DTopColour,
                                                            lbl3DMiddleColour, lbl3DBottomColour}) {
        control->setEnabled(threeD);
    }
    for (QRadioButton* option : opt3DTheme) {
        option->setEnabled(threeD);
    }
    // The gradient's and the themes' own enabling and colours follow the new style.
    chkGradientBar_Click();
    opt3DTheme_Click(WorkDTheme);
    optXPTheme_Click(WorkXPTheme);
}

void frmOptions::optMenuStyle_Click(int index) {
    markDirty();
    WorkMenuStyle = index;
    EnableMenuStyleFrames(index);
}

void frmOptions::optXPTheme_Click(int index) {
    markDirty();
    // Only the "User" theme's colours can be picked.
    const bool user = optXPTheme[XPThemeUser]->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{
             lblXPLeftBackColour, lblXPRightBackColour, lblXPSelectedColour, lblXPAllColour, lblXPBarColour,
             lblXPLeftBackColourText, lblXPRightBackColourText, lblXPSelectedColourText, lblXPAllColourText,
             lblXPBarColourText}) {
        control->setEnabled(user);
    }
    WorkXPTheme = index;
    ShowThemeColours();
}

void frmOptions::opt3DTheme_Click(int index) {
    markDirty();
    const bool user = opt3DTheme[ThreeDThemeUser]->isChecked();
    for (QWidget* control :
         std::initializer_list<QWidget*>{lbl3DTopColour, lbl3DMiddleColour, lbl3DBottomColour}) {
        control->setEnabled(user);
    }
    WorkDTheme = index;
    ShowThemeColours();
}

void frmOptions::chkGradientBar_Click() {
    markDirty();
    // The bar's colours and options count only for Office 2000 with the bar in use.
    const bool on = WorkMenuStyle == MenuStyleOffice2000 && chkGradientBar->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{lblGradientLeft, lblGradientRight, chkVertical,
                                                            chkLumenleafColours}) {
        control->setEnabled(on);
    }
}

void frmOptions::chkVertical_Click() {
    markDirty();
}

void frmOptions::chkLumenleafColours_Click() {
    markDirty();
    showGradientColours();
}

// A colour label's click: the colour dialog opens on the colour shown, and the colour chosen
// becomes the label's and the user's. Opening the dialog counts as an edit.
void frmOptions::pickMenuColour(ColourLabel* label, BgrColour& userColour) {
    PickedColour = label->BackColor();
    PickColour();
    label->setBackColor(PickedColour);
    userColour = PickedColour;
    markDirty();
}

void frmOptions::lblGradientLeft_Click() {
    // With "Lumenleaf" the gradient is the day page's: nothing to pick.
    if (!chkLumenleafColours->isChecked()) {
        pickMenuColour(lblGradientLeft, WorkGradientLeftColour);
    }
}

void frmOptions::lblGradientRight_Click() {
    if (!chkLumenleafColours->isChecked()) {
        pickMenuColour(lblGradientRight, WorkGradientRightColour);
    }
}

void frmOptions::lblXPRightBackColour_Click() {
    pickMenuColour(lblXPRightBackColour, WorkXPRightBackColourUser);
}

void frmOptions::lblXPLeftBackColour_Click() {
    pickMenuColour(lblXPLeftBackColour, WorkXPLeftBackColourUser);
}

void frmOptions::lblXPSelectedColour_Click() {
    pickMenuColour(lblXPSelectedColour, WorkXPSelectedColourUser);
}

void frmOptions::lblXPAllColour_Click() {
    pickMenuColour(lblXPAllColour, WorkXPAllColourUser);
}

void frmOptions::lblXPBarColour_Click() {
    pickMenuColour(lblXPBarColour, WorkXPBarColourUser);
}

void frmOptions::lbl3DTopColour_Click() {
    pickMenuColour(lbl3DTopColour, WorkTopColourUser);
}

void frmOptions::lbl3DMiddleColour_Click() {
    pickMenuColour(lbl3DMiddleColour, WorkMiddleColourUser);
}

void frmOptions::lbl3DBottomColour_Click() {
    pickMenuColour(lbl3DBottomColour, WorkBottomColourUser);
}

void frmOptions::StoreMenuTheme(ProgramState& g) const {
    g.MenuStyle = WorkMenuStyle;
    g.XPTheme = WorkXPTheme;
    g.DTheme = WorkDTheme;
    g.GradientBar = Value(chkGradientBar);
    g.Vertical = Value(chkVertical);
    g.LumenleafColours = Value(chkLumenleafColours);
    // The shown colours are what the labels show: a preset's, the day page's or the user's.
    g.GradientLeftColour = lblGradientLeft->BackColor();
    g.GradientRightColour = lblGradientRight->BackColor();
    g.XPRightBackColour = lblXPRightBackColour->BackColor();
    g.XPLeftBackColour = lblXPLeftBackColour->BackColor();
    g.XPSelectedColour = lblXPSelectedColour->BackColor();
    g.XPAllColour = lblXPAllColour->BackColor();
    g.XPBarColour = lblXPBarColour->BackColor();
    g.XPRightBackColourUser = WorkXPRightBackColourUser;
    g.XPLeftBackColourUser = WorkXPLeftBackColourUser;
    g.XPSelectedColourUser = WorkXPSelectedColourUser;
    g.XPAllColourUser = WorkXPAllColourUser;
    g.XPBarColourUser = WorkXPBarColourUser;
    g.TopColour = lbl3DTopColour->BackColor();
    g.MiddleColour = lbl3DMiddleColour->BackColor();
    g.BottomColour = lbl3DBottomColour->BackColor();
    g.TopColourUser = WorkTopColourUser;
    g.MiddleColourUser = WorkMiddleColourUser;
    g.BottomColourUser = WorkBottomColourUser;
}
