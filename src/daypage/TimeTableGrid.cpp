#include "TimeTableGrid.h"

#include "core/ProgramState.h"
#include "frmSchedule.h"
#include "platform/Rounding.h"
#include "platform/SettingsStore.h"
#include "widgets/Captions.h"
#include "widgets/Colours.h"
#include "widgets/TwipsGeometry.h"

TimeTableGridLayout ComputeTimeTableGrid(const TimeTableGridInput& in) {
    TimeTableGridLayout grid = in.previous;
    const int U = in.rowLabelWidth;
    const double left0 = in.left0;

    // Every body cell starts empty, so rows left over from an earlier, longer timetable do not
    // show through.
    grid.rowCaption.fill(QString());

    // 2.-3. Headers.
    grid.headerCaption[0] = QStringLiteral("Time");
    int N = 0;
    if (in.cycle == 0) {
        for (int i = 1; i <= 7; ++i) {
            grid.headerCaption[i] = QString::number(i);
        }
        grid.headerVisible[7] = false;
        N = 7;
    } else {
        int k = 0;
        for (int slot = 0; slot < 7; ++slot) {
            const QString day = in.wkDay.mid(slot * 3, 3);
            if (day.size() == 3 && day != QLatin1String("xxx")) {
                ++k;
                grid.headerCaption[k] = day;
            }
        }
        N = k + 1;
        for (int i = N; i <= 7; ++i) {
            grid.headerCaption[i] = QString::number(i);
            grid.headerVisible[i] = false;
        }
    }
    grid.N = N;

    // 4. Day columns share the width of seven columns of U between them. With no taught weekday
    // there is no day column to share it: the time column stands alone.
    const double w = N > 1 ? CLng(static_cast<double>(8 - N) * U / (N - 1) + U) : U;
    grid.w = w;

    // 5. Columns.
    auto columnLeft = [&](int c) { return left0 + (c - 1) * w - (c - 1) * 8; };
    for (int c = 1; c <= 7; ++c) {
        if (c < N) {
            grid.headerWidth[c] = w;
            grid.headerLeft[c] = columnLeft(c);
        }
        int r = 0;
        int d = 0;
        auto read = [&] {
            grid.rowCaption[d * 8] = in.setting(QStringLiteral("Time%1").arg(r + 1));
            grid.rowCaption[d * 8 + c] = in.setting(QStringLiteral("Subject%1%2").arg(c).arg(r + 1));
        };
        while (r <= 11) {
            read();
            while (grid.rowCaption[d * 8].isEmpty() && r <= 11) {
                ++r;
                read();
            }
            grid.rowWidth[d * 8 + c] = w;
            if (c < N) {
                grid.rowLeft[d * 8 + c] = columnLeft(c);
            } else {
                grid.rowVisible[d * 8 + c] = false;
            }
            ++d;
            ++r;
        }
    }

    // 6. Rows without a time are hidden; the panel counts the header and the shown rows.
    int D = 13;
    for (int d = 0; d <= 11; ++d) {
        const bool shown = !grid.rowCaption[d * 8].isEmpty();
        if (!shown) {
            --D;
        }
        for (int c = 0; c < N; ++c) {
            grid.rowVisible[d * 8 + c] = shown;
        }
    }
    for (int c = 0; c < N; ++c) {
        grid.headerVisible[c] = true;
    }
    grid.D = D;

    // 7.
    grid.panelHeight = D * in.cellHeight;
    grid.panelWidth = (N - 1) * w + in.timeColumnWidth - 28;
    return grid;
}

void BuildTimeTableGrid(frmSchedule& page) {
    TimeTableGridInput input;
    const QString section = QStringLiteral("Settings\\TimeTable");
    input.setting = [&section](const QString& key) { return CaptionText(ReadText(section, key)); };
    input.cycle = ReadInt(section, QStringLiteral("Cycle"), 0);
    input.wkDay = ReadText(section, QStringLiteral("WkDay"), QStringLiteral("xxxMonTueWedThuFrixxx"));
    input.rowLabelWidth = Globals().RowLabelWidth;
    const TimeTableGridLayout grid = ShowTimeTableGrid(page.lblHeader, page.lblRow, page.fraTimeTable, input);
    TwMove(page.fraTimeTable, TwLeft(page.fraTimeTable), TwTop(page.fraTimeTable), grid.panelWidth,
           grid.panelHeight);
    ColourTimeTableGrid(page);
}

TimeTableGridLayout ShowTimeTableGrid(const std::array<PanelTitle*, 8>& headers,
                                      const std::array<GridCell*, 96>& rows, QWidget* grid,
                                      TimeTableGridInput input) {
    input.left0 = CLng(TwLeft(rows[1]));
    input.timeColumnWidth = TwWidth(rows[0]);
    input.cellHeight = TwHeight(headers[0]);
    for (int c = 0; c < 8; ++c) {
        input.previous.headerCaption[c] = headers[c]->text();
        input.previous.headerVisible[c] = headers[c]->isVisibleTo(grid);
        input.previous.headerLeft[c] = TwLeft(headers[c]);
        input.previous.headerWidth[c] = TwWidth(headers[c]);
    }
    for (int i = 0; i < 96; ++i) {
        input.previous.rowVisible[i] = rows[i]->isVisibleTo(grid);
        input.previous.rowLeft[i] = TwLeft(rows[i]);
        input.previous.rowWidth[i] = TwWidth(rows[i]);
    }

    const TimeTableGridLayout layout = ComputeTimeTableGrid(input);

    for (int c = 0; c < 8; ++c) {
        QLabel* header = headers[c];
        header->setText(layout.headerCaption[c]);
        TwMove(header, layout.headerLeft[c], TwTop(header), layout.headerWidth[c], TwHeight(header));
        header->setVisible(layout.headerVisible[c]);
    }
    for (int i = 0; i < 96; ++i) {
        QLabel* cell = rows[i];
        cell->setText(layout.rowCaption[i]);
        TwMove(cell, layout.rowLeft[i], TwTop(cell), layout.rowWidth[i], TwHeight(cell));
        cell->setVisible(layout.rowVisible[i]);
    }
    return layout;
}

void ColourTimeTableGrid(frmSchedule& page) {
    const ProgramState& g = Globals();
    if (g.SetupTimeTable == 0) {
        return;
    }
    SetBackColor(page.fraTimeTable, ColorFromBgr(g.ColourBack[3]));
    for (QLabel* header : page.lblHeader) {
        SetBackColor(header, ColorFromBgr(g.ColourBack[0]));
    }
    for (QLabel* cell : page.lblRow) {
        SetBackColor(cell, ColorFromBgr(g.ColourBack[3]));
    }
}
