#pragma once

// Starting the program when the user logs on.
void AddRunAtStartup();
void RemoveRunAtStartup();
