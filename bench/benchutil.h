#pragma once

#include <QElapsedTimer>
#include <QVector>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace vornel::bench {

// Runs fn `runs` times and returns the median wall time in milliseconds.
inline double medianMs(int runs, const std::function<void()> &fn)
{
    QVector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        fn();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void report(const char *name, double ms)
{
    std::printf("%-60s %10.3f ms\n", name, ms);
    std::fflush(stdout);
}

} // namespace vornel::bench
