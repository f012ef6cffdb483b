#pragma once
// The alarm unit's 256-byte configuration memory as the program holds it.
//
// The reader thread stores the bytes of read replies straight into the image while the UI thread
// owns every other access; each byte is therefore an atomic so that a late reply can never tear
// or race with the UI. Ordering between a reply's bytes and its flag comes from the flag itself
// (release on store, acquire on load).

#include <array>
#include <atomic>
#include <cstdint>

namespace alvetra {

constexpr int kImageSize = 256;
using ImageBytes = std::array<std::uint8_t, kImageSize>;

// The unit keeps its numbers of 2 and 3 bytes little-endian. `get(address)` and
// `set(address, byte)` reach the bytes, so the settings image and the simulated unit's plain
// memory share one byte order.
template <typename Get> std::uint32_t loadLittleEndian(Get get, int address, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | std::uint32_t(get(address + i));
    return value;
}
template <typename Set> void storeLittleEndian(Set set, int address, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        set(address + i, static_cast<std::uint8_t>(value >> 8 * i & 0xFF));
}

class SettingsImage {
public:
    SettingsImage() { fill(0); }
    explicit SettingsImage(const ImageBytes &bytes) { assign(bytes); }
    SettingsImage(const SettingsImage &other) { assign(other.bytes()); }
    SettingsImage &operator=(const SettingsImage &other) { assign(other.bytes()); return *this; }

    std::uint8_t at(int address) const { return bytes_[index(address)].load(std::memory_order_relaxed); }
    void set(int address, std::uint8_t value) { bytes_[index(address)].store(value, std::memory_order_relaxed); }

    // Little-endian numbers of 2 and 3 bytes starting at `address`.
    std::uint16_t word16(int address) const { return static_cast<std::uint16_t>(load(address, 2)); }
    void setWord16(int address, std::uint16_t v) { store(address, v, 2); }
    std::uint32_t word24(int address) const { return load(address, 3); }
    void setWord24(int address, std::uint32_t v) { store(address, v, 3); }

    ImageBytes bytes() const
    {
        ImageBytes out{};
        for (int i = 0; i < kImageSize; ++i) out[i] = at(i);
        return out;
    }
    void assign(const ImageBytes &in) { for (int i = 0; i < kImageSize; ++i) set(i, in[i]); }
    void fill(std::uint8_t value) { for (int i = 0; i < kImageSize; ++i) set(i, value); }

    bool operator==(const SettingsImage &other) const { return bytes() == other.bytes(); }

private:
    // Addresses wrap like the unit's 8-bit addresses do.
    static int index(int address) { return address & 0xFF; }
    std::uint32_t load(int address, int size) const
    {
        return loadLittleEndian([this](int a) { return at(a); }, address, size);
    }
    void store(int address, std::uint32_t value, int size)
    {
        storeLittleEndian([this](int a, std::uint8_t b) { set(a, b); }, address, value, size);
    }

    std::array<std::atomic<std::uint8_t>, kImageSize> bytes_;
};

// The same numbers in plain memory (the simulated unit's).
inline std::uint32_t word24(const ImageBytes &memory, int address)
{
    return loadLittleEndian([&](int a) { return memory[static_cast<std::size_t>(a)]; }, address, 3);
}
inline void setWord16(ImageBytes &memory, int address, std::uint16_t value)
{
    storeLittleEndian([&](int a, std::uint8_t b) { memory[static_cast<std::size_t>(a)] = b; }, address, value, 2);
}
inline void setWord24(ImageBytes &memory, int address, std::uint32_t value)
{
    storeLittleEndian([&](int a, std::uint8_t b) { memory[static_cast<std::size_t>(a)] = b; }, address, value, 3);
}

} // namespace alvetra
