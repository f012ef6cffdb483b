#include "link/ThisThread.h"

#include <windows.h>

#include <string>

namespace alvetra {

void nameThisThread(const char *name)
{
    // SetThreadDescription is in kernel32 from Windows 10 1607 on, but not in the headers of
    // Debian 12's mingw-w64: looked up at run time, and skipped where it is missing.
    using SetDescription = HRESULT(WINAPI *)(HANDLE, PCWSTR);
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetThreadDescription");
    if (!found)
        return;
    const auto setDescription = reinterpret_cast<SetDescription>(reinterpret_cast<void (*)()>(found));
    const std::string narrow(name);   // the names are ASCII
    const std::wstring wide(narrow.begin(), narrow.end());
    setDescription(GetCurrentThread(), wide.c_str());
}

void lowerThisThreadsPriority()
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

} // namespace alvetra
