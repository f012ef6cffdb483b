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

class SettingsImage {
public:
    SettingsImage() { fill(0); }
    explicit SettingsImage(const ImageBytes &bytes) { assign(bytes); }
    SettingsImage(const SettingsImage &other) { assign(other.bytes()); }
    SettingsImage &operator=(const SettingsImage &other) { assign(other.bytes()); return *this; }

    std::uint8_t at(int address) const { return bytes_[index(address)].load(std::memory_order_relaxed); }
    void set(int address, std::uint8_t value) { bytes_[index(address)].store(value, std::memory_order_relaxed); }

    // Little-endian numbers of 2 and 3 bytes starting at `address`.
    std::uint16_t word16(int address) const { return static_cast<std::uint16_t>(at(address) | at(address + 1) << 8); }
    void setWord16(int address, std::uint16_t v) { set(address, v & 0xFF); set(address + 1, v >> 8); }
    std::uint32_t word24(int address) const { return at(address) | at(address + 1) << 8 | std::uint32_t(at(address + 2)) << 16; }
    void setWord24(int address, std::uint32_t v) { set(address, v & 0xFF); set(address + 1, (v >> 8) & 0xFF); set(address + 2, (v >> 16) & 0xFF); }

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

    std::array<std::atomic<std::uint8_t>, kImageSize> bytes_;
};

} // namespace alvetra
