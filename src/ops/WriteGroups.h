#pragma once
// The settings groups that are written to the unit one at a time: which image bytes each sends,
// in which blocks, and what the user is told.

#include "alarm/Layout.h"
#include "alarm/WriteGroup.h"

#include <QString>
#include <optional>
#include <vector>

namespace alvetra {

struct WriteBlockSpec {
    int address = 0;
    int count = 0;
    bool operator==(const WriteBlockSpec &) const = default;
};

// The group's blocks at the layout's positions, in the order they are sent; one write request
// each, so the number of blocks is also the group's number of progress steps.
std::vector<WriteBlockSpec> groupBlocks(WriteGroup group, const Layout &layout);

struct GroupTexts {
    QString progress;       // while the group is written
    QString done;           // success
    QString failedBox;      // failure: message box
    QString failed;         // failure: red status text
};
const GroupTexts &groupTexts(WriteGroup group);

// The box that follows a successful write of a block or of re-arming switched on.
std::optional<QString> programmedNotice(WriteGroup group);

} // namespace alvetra
