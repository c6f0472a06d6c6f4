#pragma once

#include "DialogLook.h"
#include "widgets/FormAccess.h"

#include <QString>

#include <array>

class ClickLabel;
class QLabel;
class QPushButton;

// The about box: the program, its version and purpose, and the ways to reach the maker. Each
// of its actions closes it.
class frmAbout : public CoverDialog, public FormAccess<frmAbout> {
    Q_OBJECT
public:
    frmAbout();
    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }

    void lblEmail_Click();
    void lblWebSite_Click();
    void cmdViewReadMe_Click();
    void cmdCredits_Click();
    void cmdOK_Click();

    QLabel* lblDescription = nullptr;
    ClickLabel* lblEmail = nullptr;
    ClickLabel* lblWebSite = nullptr;
    QLabel* lblThankyou = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdViewReadMe = nullptr;
    QPushButton* cmdCredits = nullptr;
};

// The about box, shown modal.
void ShowAboutBox();
// The maker's web page (Help > Updates opens it too).
QString MakerWebPage();
// Opens a link or a file through the desktop; when no program could open it, the teacher is told
// so, with what it was (named as the teacher would look for it).
void OpenForTheTeacher(const QString& target, const QString& what, const QString& named);
void OpenMakerWebPage();
