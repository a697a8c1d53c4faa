// What every benchmark program needs: a millisecond clock, a message pump, order statistics
// and a fixed sequence of pseudo-random numbers, the same in every run.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

inline double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return 1000.0 * double(t.QuadPart) / double(frequency.QuadPart);
}

inline void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

inline double Median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

inline double Worst(const std::vector<double>& samples)
{
    return *std::max_element(samples.begin(), samples.end());
}

class Dice {
public:
    explicit Dice(unsigned seed = 20261211u) : m_state(seed) {}
    int Roll(int n) { return static_cast<int>((m_state = m_state * 1103515245u + 12345u) >> 16) % n; }

private:
    unsigned m_state;
};

} // namespace bench
