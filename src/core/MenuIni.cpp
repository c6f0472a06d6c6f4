#include "MenuIni.h"

// The menu styles arrive with the options dialog; the file is written from then on.
void WriteMenuIni() {}
