#pragma once

class DayPageHost;

// The real windows around packing, unpacking and switching files: the progress window, the
// day page closed and loaded again, and the main window brought up to date.
DayPageHost& DayPageWindows();
