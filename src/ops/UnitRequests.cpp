#include "ops/UnitRequests.h"

#include "alarm/Cp1250.h"
#include "link/Frame.h"

namespace alvetra {

bool UnitRequests::send(std::uint8_t code, std::uint16_t delayMs, std::uint16_t repeatMs, std::uint16_t totalMs)
{
    // No data of its own: the default data block (four-byte address 0, count 0).
    return link_.sendRequest(kUnitAddress, kPcAddress, code, std::nullopt, delayMs, repeatMs, totalMs, 0, 0, 0,
                             false);
}

bool UnitRequests::sendHex(std::uint8_t code, const QString &hex, std::uint16_t delayMs, std::uint16_t repeatMs,
                           std::uint16_t totalMs)
{
    return link_.sendRequest(kUnitAddress, kPcAddress, code, hex, delayMs, repeatMs, totalMs, 0, 0, 0, false);
}

bool UnitRequests::identifyFirst(int delayMs)
{
    return send(request::kIdentifyFirst, static_cast<std::uint16_t>(delayMs), 2600, 2500);
}

bool UnitRequests::identifySecond() { return send(request::kIdentifySecond, 10, 2600, 2500); }

bool UnitRequests::login(const QString &password)
{
    return sendHex(request::kLogin, passwordHexText(password), 10, 2600, 2500);
}

void UnitRequests::disconnect()
{
    // A total wait of 1 ms and a repeat interval of 2 ms: one transmission, the reply not awaited.
    send(request::kDisconnect, 0, 2, 1);
}

bool UnitRequests::startLearning(bool tokens)
{
    return sendHex(request::kLearning, byteToHex(tokens ? 0x01 : 0x00), 0, 2600, 2500);
}

bool UnitRequests::confirm() { return send(request::kConfirm, 0, 1400, 3000); }

bool UnitRequests::confirmCan() { return send(request::kConfirmCan, 100, 1400, 3000); }

bool UnitRequests::readBlock(int address, int count)
{
    return link_.readBlock(kUnitAddress, static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(count));
}

std::uint8_t UnitRequests::writeBlock(int address, int count, const SettingsImage &image)
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
