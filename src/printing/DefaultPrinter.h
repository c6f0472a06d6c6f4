#pragma once

// Looks up the system's default printer and sets DefaultPrinterFound.
void GetDefaultPrinter();
