#pragma once

#include <QString>

// The about box, shown modal.
void ShowAboutBox();
// The maker's web page (Help > Updates opens it too).
QString MakerWebPage();
