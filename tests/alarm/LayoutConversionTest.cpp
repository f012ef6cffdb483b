// Settings of one layout carried into the other, for a settings file of the other layout.

#include "alarm/LayoutConversion.h"

#include <gtest/gtest.h>
#include <random>

using namespace alvetra;

namespace {

SettingsImage randomImage(unsigned seed)
{
    std::mt19937 random(seed);
    SettingsImage image;
    for (int i = 0; i < kImageSize; ++i)
        image.set(i, static_cast<std::uint8_t>(random()));
    return image;
}

// Every setting, from the remote records to the CAN group number, lies in one run of bytes:
// 8 to 81 in layout A, 6 to 79 in layout B.
constexpr int kFirstA = 8, kLastA = 81, kFirstB = 6, kLastB = 79;

} // namespace

TEST(LayoutConversion, EverySettingMovesToItsPlaceAndBackWhileTheUnitsOwnBytesStay)
{
    const SettingsImage fileA = randomImage(1);
    const SettingsImage unitB = randomImage(2);
    SettingsImage b = unitB;
    carrySettings(fileA, kLayoutA, b, kLayoutB);
    for (int i = 0; i < kImageSize; ++i) {
        const bool setting = i >= kFirstB && i <= kLastB;
        ASSERT_EQ(b.at(i), setting ? fileA.at(i + kFirstA - kFirstB) : unitB.at(i)) << "layout B byte " << i;
    }

    const SettingsImage unitA = randomImage(3);
    SettingsImage a = unitA;
    carrySettings(b, kLayoutB, a, kLayoutA);
    for (int i = 0; i < kImageSize; ++i) {
        const bool setting = i >= kFirstA && i <= kLastA;
        ASSERT_EQ(a.at(i), setting ? fileA.at(i) : unitA.at(i)) << "layout A byte " << i;
    }
}

TEST(LayoutConversion, AShortFileCarriesOnlyTheFieldsItHoldsWhole)
{
    const SettingsImage fileA = randomImage(4);
    const SettingsImage unitB = randomImage(5);
    SettingsImage b = unitB;
    // 61 bytes: the records and two code words whole (up to byte 59), the third code word cut.
    carrySettings(fileA, kLayoutA, b, kLayoutB, 61);
    for (int i = 0; i < kImageSize; ++i) {
        const bool carried = i >= kFirstB && i <= 57;
        ASSERT_EQ(b.at(i), carried ? fileA.at(i + 2) : unitB.at(i)) << "layout B byte " << i;
    }
}
