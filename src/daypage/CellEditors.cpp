#include "CellEditors.h"

void ShowEditTime() {}

void ShowEditSubject() {}

void ShowEditDetails() {}

void ShowDetailsMagnify() {}
