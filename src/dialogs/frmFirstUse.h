#pragma once

#include "widgets/FormAccess.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

// The welcome shown once, before the first set-up: what the set-up will ask for.
class frmFirstUse : public QDialog, public FormAccess<frmFirstUse> {
    Q_OBJECT
public:
    frmFirstUse();
    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }
    void OKButton_Click();

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    std::array<QLabel*, 3> lblNotice{};
    QGroupBox* fraIntro = nullptr;
    std::array<QLabel*, 3> lblDescription{};
    QWidget* picLogo = nullptr;
    QPushButton* OKButton = nullptr;
};
