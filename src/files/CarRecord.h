#pragma once
// One car of the car database: make and model as the lists show them and the CAN group the
// unit needs for that car.

#include <QString>
#include <cstdint>
#include <vector>

namespace alvetra {

struct CarRecord {
    std::uint16_t key = 0;     // make number * 256 + model number
    QString make;
    QString model;
    std::uint8_t group = 0;    // CAN group number

    std::uint8_t makeNumber() const { return static_cast<std::uint8_t>(key >> 8); }
    std::uint8_t modelNumber() const { return static_cast<std::uint8_t>(key & 0xFF); }
    bool operator==(const CarRecord &) const = default;
};

using CarTable = std::vector<CarRecord>;

} // namespace alvetra
