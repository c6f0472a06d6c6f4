#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QtGlobal>

#include <algorithm>
#include <vector>

// What the benchmarks share: a headless display unless another is asked for, and medians.
inline void UseOffscreenUnlessAsked() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
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
