#pragma once

#include "support/TestSupport.h"

#include <QByteArray>
#include <QDate>
#include <QElapsedTimer>
#include <QtGlobal>

#include <algorithm>
#include <vector>

// What the benchmarks share: they run headless unless told otherwise, build the same full
// school year and report medians.

inline void RunHeadlessUnlessTold() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

// A year of 365 days from 2026-09-01, with times and subjects in all twelve rows; the number
// of day rows written.
inline int BuildFullYear() {
    YearPlan plan;
    plan.terms = {{QDate(2026, 9, 1), QDate(2027, 8, 31)}};
    plan.timeRows = 12;
    return BuildYear(plan);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median time of a piece of work, in milliseconds.
template <class Work> double MedianMs(int runs, Work work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return Median(times);
}
