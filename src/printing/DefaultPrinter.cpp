#include "DefaultPrinter.h"

#include "core/ProgramState.h"

void GetDefaultPrinter() {
    // Printing arrives in a later step; until then no printer is offered.
    Globals().DefaultPrinterFound = false;
}
