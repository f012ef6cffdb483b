#pragma once
// The serial link as the operations' UnitLink: every call is forwarded unchanged.

#include "link/SerialLink.h"
#include "ops/UnitLink.h"

namespace alvetra {

class SerialUnitLink final : public UnitLink {
public:
    explicit SerialUnitLink(SerialLink &link) : link_(link) {}

    bool portOpen() const override { return link_.portOpen(); }
    bool sendRequest(std::uint8_t destination, std::uint8_t source, std::uint8_t code,
                     const std::optional<QString> &hexText, std::uint16_t delayMs, std::uint16_t repeatMs,
                     std::uint16_t totalMs, std::uint32_t address, std::uint8_t count, std::uint64_t value,
                     bool threeByteAddress) override
    {
        return link_.sendRequest(destination, source, code, hexText, delayMs, repeatMs, totalMs, address, count, value,
                                 threeByteAddress);
    }
    bool readBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count) override
    {
        return link_.readBlock(destination, address, count);
    }
    std::uint8_t writeBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count,
                            const SettingsImage &image) override
    {
        return link_.writeBlock(destination, address, count, image);
    }
    std::uint8_t accessFlags() const override { return link_.accessFlags(); }
    const std::atomic<bool> &learningFlag() const override { return link_.learningFlag(); }
    std::uint8_t learnedCount() const override { return link_.learnedCount(); }
    void clearLoginReply() override { link_.clearLoginReply(); }

private:
    SerialLink &link_;
};

} // namespace alvetra
