#pragma once
// Line speeds: the thirteen rates offered in the speed box. Setting one on a port is the
// platform's (LineSpeed_unix.h: a serial descriptor).

#include <array>

namespace alvetra {

inline constexpr std::array<int, 13> kLineRates = {110,   300,   600,   1200,  2400,   4800,  9600,
                                                   14400, 19200, 38400, 57600, 115200, 128000};
inline constexpr int kDefaultSpeedIndex = 8;   // 19200 bit/s, the rate of the alarm unit

// The rate of a speed-box index; 0 for an index outside the table.
constexpr int lineRateForIndex(int index)
{
    return index >= 0 && index < static_cast<int>(kLineRates.size()) ? kLineRates[static_cast<std::size_t>(index)] : 0;
}

} // namespace alvetra
