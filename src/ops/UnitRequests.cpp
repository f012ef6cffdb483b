#include "ops/UnitRequests.h"

#include "alarm/Cp1250.h"
#include "link/Frame.h"

namespace alvetra {

// Requests without data of their own carry the default data block (four-byte address 0, count 0).

bool UnitRequests::identifyFirst(int delayMs)
{
    return link_.sendRequest({.code = request::kIdentifyFirst,
                              .delayMs = static_cast<std::uint16_t>(delayMs),
                              .repeatMs = 2600,
                              .totalMs = 2500});
}

bool UnitRequests::identifySecond()
{
    return link_.sendRequest({.code = request::kIdentifySecond, .delayMs = 10, .repeatMs = 2600, .totalMs = 2500});
}

bool UnitRequests::login(const QString &password)
{
    return link_.sendRequest({.code = request::kLogin,
                              .hexText = passwordHexText(password),
                              .delayMs = 10,
                              .repeatMs = 2600,
                              .totalMs = 2500});
}

void UnitRequests::disconnect()
{
    // A total wait of 1 ms and a repeat interval of 2 ms: one transmission, the reply not awaited.
    link_.sendRequest({.code = request::kDisconnect, .repeatMs = 2, .totalMs = 1});
}

bool UnitRequests::startLearning(bool tokens)
{
    return link_.sendRequest(
        {.code = request::kLearning, .hexText = byteToHex(tokens ? 0x01 : 0x00), .repeatMs = 2600, .totalMs = 2500});
}

bool UnitRequests::confirm()
{
    return link_.sendRequest({.code = request::kConfirm, .repeatMs = 1400, .totalMs = 3000});
}

bool UnitRequests::confirmCan()
{
    return link_.sendRequest({.code = request::kConfirmCan, .delayMs = 100, .repeatMs = 1400, .totalMs = 3000});
}

bool UnitRequests::readBlock(int address, int count)
{
    return link_.readBlock(kUnitAddress, static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(count));
}

WriteResult UnitRequests::writeBlock(int address, int count, const SettingsImage &image)
{
    return link_.writeBlock(kUnitAddress, static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(count),
                            image);
}

QString passwordHexText(const QString &password)
{
    const QByteArray characters = cp1250::encode(password);
    QString hex = byteToHex(static_cast<std::uint8_t>(characters.size()));
    for (char c : characters)
        hex += byteToHex(static_cast<std::uint8_t>(c));
    return hex;
}

} // namespace alvetra
