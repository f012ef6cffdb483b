// Code page 1250 from Windows itself: MultiByteToWideChar and WideCharToMultiByte, with Windows'
// best fit for characters the code page lacks and 0x1A where there is none.

#include "alarm/SystemCodePage.h"

#include <windows.h>

namespace alvetra::cp1250::system {

namespace {
constexpr UINT kCodePage = 1250;
constexpr char kSubstitute[] = "\x1A";
}

bool available() { return IsValidCodePage(kCodePage) != 0; }

QString decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    const int size = static_cast<int>(bytes.size());
    QString text(MultiByteToWideChar(kCodePage, 0, bytes.constData(), size, nullptr, 0), Qt::Uninitialized);
    MultiByteToWideChar(kCodePage, 0, bytes.constData(), size, reinterpret_cast<wchar_t *>(text.data()),
                        static_cast<int>(text.size()));
    return text;
}

QByteArray encode(QStringView text, bool *fits)
{
    *fits = true;
    if (text.isEmpty())
        return {};
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int size = static_cast<int>(text.size());
    QByteArray bytes(WideCharToMultiByte(kCodePage, 0, wide, size, nullptr, 0, kSubstitute, nullptr),
                     Qt::Uninitialized);
    BOOL substituted = FALSE;
    WideCharToMultiByte(kCodePage, 0, wide, size, bytes.data(), static_cast<int>(bytes.size()), kSubstitute,
                        &substituted);
    *fits = substituted == FALSE;
    return bytes;
}

} // namespace alvetra::cp1250::system
