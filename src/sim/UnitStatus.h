#pragma once
// The simulated unit's inputs and the four status bytes S0..S3 that report them.
//
// Every input has one bit in the status report (door switch and bonnet share the door/bonnet
// bit). The S0 bits (remote buttons, car-remote buttons, low remote battery) are momentary: a
// press is reported by the next status report and then forgotten. Bits that no input drives
// are kept as they were last set through the raw bytes, so raw bytes read back unchanged.

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>

namespace alvetra::sim {

enum class Input {
    Ignition,             // S2.0
    DoorSwitch,           // S2.1 (shared with Bonnet)
    DriverDoor,           // S2.2
    UltrasonicSensor,     // S2.3
    CanTurnSignals,       // S2.4
    BootBlockWire,        // S2.5
    Button,               // S2.7
    Armed,                // S1.1
    CanIgnition,          // S1.2
    CanDoor,              // S1.3
    RadioActivity,        // S1.5
    CanActivity,          // S1.6
    SirenShort,           // S1.7
    AntiTheftActive,      // S3.0
    Service,              // S3.1
    AntiHijackActive,     // S3.2
    AntiHijackTriggered,  // S3.3
    AntiTheftPresent,     // S3.4
    AntiHijackPresent,    // S3.5
    Relay,                // S3.6
    Bonnet,               // S2.1 (shared with DoorSwitch)
    Count
};
constexpr int kInputCount = static_cast<int>(Input::Count);

// Momentary S0 events.
enum class Press {
    LowRemoteBattery,   // S0.0
    CarRemoteLock,      // S0.1
    CarRemoteUnlock,    // S0.2
    CarRemoteBoot,      // S0.3
    RemoteButton1,      // S0.4
    RemoteButton2,      // S0.5
    RemoteButton3,      // S0.6
    RemoteButton4,      // S0.7
};

using StatusBytes = std::array<std::uint8_t, 4>;   // S0, S1, S2, S3

struct StatusBit {
    int byte = 0;   // 0 for S0 ... 3 for S3
    int bit = 0;
};

StatusBit statusBitOf(Input input);
StatusBit statusBitOf(Press press);

class InputState {
public:
    bool operator[](Input input) const { return on_.test(index(input)); }
    void set(Input input, bool on) { on_.set(index(input), on); }

    void press(Press p);
    std::uint8_t pendingPresses() const { return presses_; }
    void clearPresses() { presses_ = 0; }

    // The report as the next status reply carries it.
    StatusBytes statusBytes() const;
    // Takes the inputs, presses and undriven bits from a raw report. The door/bonnet bit sets
    // the door switch and clears the bonnet.
    void setStatusBytes(const StatusBytes &bytes);

    bool operator==(const InputState &) const = default;

private:
    static std::size_t index(Input input) { return static_cast<std::size_t>(input); }

    std::bitset<kInputCount> on_;
    std::uint8_t presses_ = 0;
    StatusBytes undriven_{};   // bits of the raw report that no input drives
};

// Bits of each status byte that some input or press drives.
StatusBytes drivenStatusMask();

} // namespace alvetra::sim
