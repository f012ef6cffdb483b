#include "alarm/LayoutConversion.h"

namespace alvetra {

namespace {

struct Field {
    int Layout::*position;
    int width;
};

constexpr int kRecordsWidth = 4 * 6;

constexpr Field kSettingsFields[] = {
    {&Layout::remotes, kRecordsWidth},
    {&Layout::tokens, kRecordsWidth},
    {&Layout::programmingCode, 2},
    {&Layout::antiHijackCode, 2},
    {&Layout::antiTheftCode, 2},
    {&Layout::emergencyCode, 2},
    {&Layout::pcPassword, 4},
    {&Layout::flags, 3},
    {&Layout::closePulseCount, 1},
    {&Layout::pauseAC1, 1},
    {&Layout::pulseC1, 1},
    {&Layout::pauseAC2, 1},
    {&Layout::pulseC2, 1},
    {&Layout::pauseC2E2, 1},
    {&Layout::pulseE2, 1},
    {&Layout::lockDelayAfterIgnition, 1},
    {&Layout::antiTheftDelay, 1},
    {&Layout::antiHijackDelay, 1},
    {&Layout::canGroup, 1},
};

} // namespace

void carrySettings(const SettingsImage &source, const Layout &from, SettingsImage &target, const Layout &to,
                   int sourceLength)
{
    for (const Field &field : kSettingsFields) {
        const int in = from.*field.position;
        if (in + field.width > sourceLength)
            continue;
        const int out = to.*field.position;
        for (int i = 0; i < field.width; ++i)
            target.set(out + i, source.at(in + i));
    }
}

} // namespace alvetra
