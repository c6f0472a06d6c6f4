#include "frmAbout.h"

// The about box arrives with the start-up dialogs.
void ShowAboutBox() {}

QString MakerWebPage() {
    return QStringLiteral("https://quillmarsh.example.org/");
}
