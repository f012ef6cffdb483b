#include "alarm/PcPassword.h"

#include "alarm/Cp1250.h"

#include <algorithm>

namespace alvetra {

void storePcPassword(SettingsImage &image, const Layout &layout, const QString &password)
{
    const QByteArray bytes = cp1250::encode(password.left(kPcPasswordLength));
    const int count = std::min<int>(bytes.size(), kPcPasswordLength);
    for (int i = 0; i < count; ++i)
        image.set(layout.pcPassword + i, static_cast<std::uint8_t>(bytes.at(i)));
}

QString pcPasswordText(const SettingsImage &image, const Layout &layout)
{
    QByteArray bytes(kPcPasswordLength, '\0');
    for (int i = 0; i < kPcPasswordLength; ++i)
        bytes[i] = static_cast<char>(image.at(layout.pcPassword + i));
    return cp1250::decode(bytes);
}

} // namespace alvetra
