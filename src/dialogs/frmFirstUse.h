#pragma once

#include "DialogLook.h"
#include "widgets/FormAccess.h"

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

// The welcome shown once, before the first set-up: what the set-up will ask for.
class frmFirstUse : public CoverDialog, public FormAccess<frmFirstUse> {
    Q_OBJECT
public:
    frmFirstUse();
    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }
    void OKButton_Click();

    QGroupBox* fraIntro = nullptr;
    std::array<QLabel*, 3> lblDescription{};
    QPushButton* OKButton = nullptr;
};
