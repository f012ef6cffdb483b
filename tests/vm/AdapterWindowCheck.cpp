// The window over the kernel's USB-serial driver, run inside the test guest by
// tests/vm/guest-checks.sh (step window) with udev's daemon running: connected to the unit on the
// host through the emulated adapter, which the host pulls out and plugs back in when this check
// prints ALVETRA-VM-STEP=pull and ALVETRA-VM-STEP=plug. The loss is told once, the same adapter
// is found again by its /dev/serial/by-id name, and the window works on without a restart.
// Not one of the suites: it needs the guest's adapter.

#include "WindowHarness.h"

#include "link/PortSearch.h"
#include "link/PortWatcher.h"

#include <QComboBox>

#include <algorithm>
#include <cstdio>

using namespace alvetra;
using namespace alvetra::test;

namespace {

const QString kAdapter = QStringLiteral("ttyUSB0");
// The guest's emulated processor is many times slower than a real one.
constexpr int kGuestLimitMs = 30000;

void askTheHost(const char *step)
{
    std::printf("ALVETRA-VM-STEP=%s\n", step);
    std::fflush(stdout);
}

} // namespace

TEST_F(WindowTest, APulledOutAdapterIsToldOnceAndFoundAgainByItsStableName)
{
    TimeBase::setSpeedup(1);   // a real line to a unit on the host
    const std::vector<PortInfo> found = scanSerialPorts();
    const auto adapter = std::find_if(found.begin(), found.end(), [](const PortInfo &p) { return p.name == kAdapter; });
    ASSERT_NE(adapter, found.end());
    ASSERT_FALSE(adapter->stableName.isEmpty()) << "no /dev/serial/by-id link: is udev's daemon running?";

    scanPorts = scanSerialPorts;
    start({kAdapter});
    PortWatcher watcher;
    QObject::connect(&watcher, &PortWatcher::portsChanged, window.get(), &MainWindow::refreshPorts);
    auto *ports = find<QComboBox>("CMB_port");
    ASSERT_TRUE(connectAsTheFitterDoes(*window, dialogs)) << statusText().toStdString();

    askTheHost("pull");
    ASSERT_TRUE(waitFor([&] { return !dialogs.messages.empty(); }, kGuestLimitMs));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Port ttyUSB0 został odłączony."));
    EXPECT_TRUE(waitFor([&] { return panel(0) == QStringLiteral("Port zamknięty"); }, kGuestLimitMs));
    // Gone from the list once closed: nothing is selected by its name any more.
    ASSERT_TRUE(waitFor([&] { return ports->findText(kAdapter) < 0; }, kGuestLimitMs)) << ports->currentText().toStdString();

    askTheHost("plug");
    ASSERT_TRUE(waitFor([&] { return panel(0) == QStringLiteral("Port otwarty"); }, kGuestLimitMs)) << panel(0).toStdString();
    EXPECT_EQ(ports->currentText(), kAdapter);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    dialogs.messages.clear();
    EXPECT_TRUE(connectAsTheFitterDoes(*window, dialogs)) << statusText().toStdString();
    EXPECT_TRUE(dialogs.messages.empty());
}
