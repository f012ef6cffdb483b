#pragma once
// One single-byte write of an operation that changes the unit's memory byte by byte.

#include <cstdint>

namespace alvetra {

struct ByteWrite {
    int address = 0;
    std::uint8_t value = 0;
    bool operator==(const ByteWrite &) const = default;
};

} // namespace alvetra
