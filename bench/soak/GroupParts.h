#pragma once
// Which bytes and flag bits of the settings image belong to which settings group. Several groups
// send the whole flags word, but each owns only its own bits of it; a group reported written
// must have put exactly the program's values into its own parts of the unit's memory.

#include "alarm/Layout.h"
#include "alarm/SettingsImage.h"
#include "ops/WriteGroups.h"

#include <QStringList>
#include <cstdint>
#include <vector>

namespace alvetra::soak {

struct GroupParts {
    std::vector<int> bytes;        // addresses the group alone writes
    std::uint32_t flagBits = 0;    // its bits of the 24-bit flags word
};

GroupParts partsOf(WriteGroup group, const Layout &layout);

// Where `unit` differs from `intended` in the group's parts, as readable lines; empty when equal.
QStringList differences(WriteGroup group, const Layout &layout, const ImageBytes &unit, const ImageBytes &intended);

QString groupName(WriteGroup group);

} // namespace alvetra::soak
