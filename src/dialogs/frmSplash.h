#pragma once

#include "widgets/FormAccess.h"

#include <QWidget>

class ClickLabel;
class QLabel;

// The splash shown while the settings load: the program's picture, its name in large type, the
// version and the year's notice. A key press, or a click on the picture, closes it.
class frmSplash : public QWidget, public FormAccess<frmSplash> {
    Q_OBJECT
public:
    frmSplash();
    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }

    ClickLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblversion = nullptr;
    QLabel* lblNotice = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
