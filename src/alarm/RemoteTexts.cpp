#include "alarm/RemoteTexts.h"

#include "alarm/AlarmTexts.h"

namespace alvetra {

namespace {

// The last four decimal digits, most significant first, zeros included.
QString fourDigits(std::uint32_t value)
{
    return QString::asprintf("%04u", value % 10000);
}

// One digit or, for a "tens" value of 10 and more, all of its digits, as the unit's day field
// (which can exceed 99) has always been shown.
QString digitsOf(int value) { return QString::number(value); }

int productionYear(int code) { return code <= 4 ? 2006 + code : 1990 + code; }

Record recordAt(const SettingsImage &image, int position)
{
    Record record{};
    for (int i = 0; i < kRecordSize; ++i)
        record[i] = image.at(position + i);
    return record;
}

} // namespace

QString remoteText(int slot, const Record &b)
{
    QString text = QString::asprintf("%d. ", slot);
    if (b[5] != 0)
        text += texts::kProductionDate + QString::asprintf("%4d.", productionYear(b[5] & 0x0F));
    if (b[4] != 0) {
        const int month = b[4] >> 4;
        text += digitsOf(month / 10) + digitsOf(month % 10) + u'.';
    }
    if (b[4] != 0 || b[3] != 0) {
        const int day = (b[4] & 0x0F) * 16 + (b[3] >> 4);
        text += digitsOf(day / 10) + digitsOf(day % 10) + QStringLiteral("  ");
    }
    if (b[3] != 0 || b[2] != 0)
        text += texts::kSerialNumber + fourDigits((b[3] & 0x0Fu) * 256 + b[2]);
    if (b[1] != 0 || b[0] != 0)
        text += texts::kEmissionNumber + fourDigits(b[1] * 256u + b[0]);
    return text;
}

QString tokenText(int slot, const Record &b)
{
    QString text = QString::asprintf("%d. ", slot);
    if (b[5] != 0 || b[4] != 0 || b[3] != 0)
        text += texts::kSerialNumber + fourDigits((b[5] & 0x0Fu) * 65536 + b[4] * 256u + b[3]);
    if (b[2] != 0 || b[1] != 0 || b[0] != 0)
        text += texts::kEmissionNumber + fourDigits(b[2] * 65536u + b[1] * 256u + b[0]);
    return text;
}

RemoteAndTokenTexts remoteAndTokenTexts(const SettingsImage &image, const Layout &layout)
{
    RemoteAndTokenTexts out;
    for (int i = 0; i < kRemoteSlots; ++i)
        out.remotes[i] = remoteText(i + 1, recordAt(image, layout.remotes + i * kRecordSize));
    for (int i = 0; i < kTokenSlots; ++i)
        out.tokens[i] = tokenText(i + 1, recordAt(image, layout.tokens + i * kRecordSize));
    return out;
}

std::vector<ByteWrite> eraseRecordsPlan(const Layout &layout, RecordGroup group)
{
    const int start = group == RecordGroup::Remotes ? layout.remotes : layout.tokens;
    std::vector<ByteWrite> plan;
    for (int i = 0; i < kRemoteSlots * kRecordSize; ++i)
        plan.push_back({start + i, 0});
    return plan;
}

} // namespace alvetra
