#include "link/PortWatcher.h"

#include <windows.h>
#include <dbt.h>

#include <QTimer>

namespace alvetra {

namespace {

const wchar_t kWindowClass[] = L"AlvetraPortWatcher";

// GUID_DEVINTERFACE_COMPORT, spelt out: mingw-w64's ntddser.h declares it only for drivers.
constexpr GUID kComPortInterface = {0x86e0d1e0, 0x8089, 0x11d0, {0x9c, 0xe4, 0x08, 0x00, 0x3e, 0x30, 0x1f, 0x73}};

bool aboutPorts(WPARAM event, LPARAM data)
{
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE)
        return false;
    const auto *header = reinterpret_cast<const DEV_BROADCAST_HDR *>(data);
    return header
        && (header->dbch_devicetype == DBT_DEVTYP_PORT || header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE);
}

} // namespace

// A hidden top-level window: the system sends port arrivals and removals (DBT_DEVTYP_PORT) to
// every top-level window, and COM port interfaces (USB adapters) to the windows registered for
// them. A message-only window would miss the first. Its messages come through the UI thread's
// event loop like Qt's own.
struct PortWatcher::Source {
    explicit Source(PortWatcher *watcher)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Source::procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWindowClass;
        RegisterClassW(&windowClass);   // fails harmlessly when a second watcher registers it again
        window = CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
        if (!window)
            return;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(watcher));
        DEV_BROADCAST_DEVICEINTERFACE_W filter{};
        filter.dbcc_size = sizeof(filter);
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        filter.dbcc_classguid = kComPortInterface;
        registration = RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    }

    ~Source()
    {
        if (registration)
            UnregisterDeviceNotification(registration);
        if (window)
            DestroyWindow(window);
    }

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_DEVICECHANGE || !aboutPorts(wParam, lParam))
            return DefWindowProcW(window, message, wParam, lParam);
        if (auto *watcher = reinterpret_cast<PortWatcher *>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            watcher->announced();
        return TRUE;
    }

    HWND window = nullptr;
    HDEVNOTIFY registration = nullptr;
};

PortWatcher::PortWatcher(QObject *parent)
    : QObject(parent), settle_(makeSettleTimer()), source_(std::make_unique<Source>(this))
{
}

PortWatcher::~PortWatcher() = default;

QString PortWatcher::source() const
{
    return QStringLiteral("WM_DEVICECHANGE");
}

} // namespace alvetra
