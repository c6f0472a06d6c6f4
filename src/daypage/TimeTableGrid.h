#pragma once

#include <QString>

#include <array>
#include <functional>

// The timetable panel's grid: a header row ("Time" and the cycle's day names) and one row per
// lesson time with each cycle day's subject. Lessons without a time are left out and the rows
// below move up.
struct TimeTableGridLayout {
    std::array<QString, 8> headerCaption;
    std::array<bool, 8> headerVisible{};
    std::array<double, 8> headerLeft{};
    std::array<double, 8> headerWidth{};
    std::array<QString, 96> rowCaption;
    std::array<bool, 96> rowVisible{};
    std::array<double, 96> rowLeft{};
    std::array<double, 96> rowWidth{};
    int N = 0;    // visible columns, the time column included
    double w = 0; // width of a day column
    int D = 0;    // panel height in cell rows, the header included
    double panelWidth = 0;
    double panelHeight = 0;
};

struct TimeTableGridInput {
    // The settings of "Settings\TimeTable" by key ("Time3", "Subject312"); missing keys give "".
    std::function<QString(const QString&)> setting;
    int cycle = 0;
    QString wkDay;
    int rowLabelWidth = 768; // U
    double left0 = 1020;     // Left of the first day column
    double timeColumnWidth = 1020;
    double cellHeight = 228;
    // Cells keep what they showed before, apart from what the build writes.
    TimeTableGridLayout previous;
};

TimeTableGridLayout ComputeTimeTableGrid(const TimeTableGridInput& input);

class frmSchedule;
class GridCell;
class PanelTitle;
class QWidget;
void BuildTimeTableGrid(frmSchedule& page);
// Lays a grid of header and body cells out from the input (which takes the cells' present
// places as its starting point) and gives the layout; sizing the grid's container is the
// caller's.
TimeTableGridLayout ShowTimeTableGrid(const std::array<PanelTitle*, 8>& headers,
                                      const std::array<GridCell*, 96>& rows, QWidget* grid,
                                      TimeTableGridInput input);
void ColourTimeTableGrid(frmSchedule& page);
