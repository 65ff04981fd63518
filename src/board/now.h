// Whole seconds from a steady clock. A wall-clock form (day of month × 86400 + time of
// day) jumps back at the end of a month and at clock changes; this one never does.
#pragma once

#include <chrono>
#include <cstdint>

namespace qv {

// Where now() reads the time; tests put a clock of their own here (nullptr: the steady
// clock).
using ClockSource = int32_t (*)();
inline ClockSource& clock_source() {
    static ClockSource source = nullptr;
    return source;
}

inline int32_t now() {
    if (const ClockSource source = clock_source()) return source();
    using namespace std::chrono;
    return static_cast<int32_t>(
        duration_cast<seconds>(steady_clock::now().time_since_epoch()).count() & 0x3fffffff);
}

// Milliseconds from the same clock, for animations and the computer's blink.
inline int64_t now_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace qv
