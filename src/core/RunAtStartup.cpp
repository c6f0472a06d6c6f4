#include "RunAtStartup.h"

// The log-on start entry arrives with the about box and options; until then nothing is written.
void AddRunAtStartup() {}

void RemoveRunAtStartup() {}
