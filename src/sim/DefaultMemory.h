#pragma once
// The memory of a unit as a fitter typically finds it: a few settings made, two remotes and a
// token learnt, and some history. The PC access password is "1234".

#include "sim/HistoryRing.h"
#include "alarm/Layout.h"
#include "alarm/SettingsImage.h"

#include <cstdint>

namespace alvetra::sim {

inline constexpr char kDefaultPassword[] = "1234";
inline constexpr std::uint32_t kDefaultMinuteCounter = 123456;   // about 86 days of running

ImageBytes defaultMemory(const Layout &layout, EventTable events, std::uint32_t counter = kDefaultMinuteCounter);

// Stores the four password bytes (code page 1250 characters, first at the lowest address).
void storePassword(ImageBytes &memory, const Layout &layout, const QByteArray &password);

} // namespace alvetra::sim
