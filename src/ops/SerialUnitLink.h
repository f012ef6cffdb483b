#pragma once
// The serial link as the operations' UnitLink: every call is forwarded unchanged.

#include "link/SerialLink.h"
#include "ops/UnitLink.h"

namespace alvetra {

class SerialUnitLink final : public UnitLink {
public:
    explicit SerialUnitLink(SerialLink &link) : link_(link) {}

    bool portOpen() const override { return link_.portOpen(); }
    bool sendRequest(const Request &req) override { return link_.sendRequest(req); }
    bool readBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count) override
    {
        return link_.readBlock(destination, address, count);
    }
    WriteResult writeBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count,
                           const SettingsImage &image) override
    {
        return link_.writeBlock(destination, address, count, image);
    }
    std::uint8_t accessFlags() const override { return link_.accessFlags(); }
    const std::atomic<bool> &learningFlag() const override { return link_.learningFlag(); }
    std::uint8_t learnedCount() const override { return link_.learnedCount(); }
    void clearLoginReply() override { link_.clearLoginReply(); }
    void setUnitLayout(const Layout &layout) override { link_.traffic().setSecretLayout(layout); }

private:
    SerialLink &link_;
};

} // namespace alvetra
