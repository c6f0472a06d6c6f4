#pragma once

#include "widgets/FormAccess.h"

#include <QWidget>

class QLabel;

// The small progress window of the long operations (Pack To Go, UnPack, the rebuild of the
// school year): always on top, one line of text, as wide as its caption needs within the screen.
class frmPackMsg : public QWidget, public FormAccess<frmPackMsg> {
    Q_OBJECT
public:
    frmPackMsg();
    void Form_Load();
    void Form_Unload();
    void ReleaseForm() { deleteLater(); }

    QLabel* lblPackMsg = nullptr;

protected:
    void changeEvent(QEvent* event) override;
};

// Shows the progress window with this caption and text (an empty caption keeps the one the
// window gave itself), and returns once it is on the screen and painted, before the long work
// starts.
void ShowPackMsg(const QString& caption, const QString& text);
// Shows it for a moment; it closes by itself unless something else was shown in it meanwhile.
void ShowPackMsgBriefly(const QString& caption, const QString& text, int milliseconds);
void ClosePackMsg();
// The caption of Pack To Go's progress: the label of the drive PackPath is on.
QString PackDriveCaption();
