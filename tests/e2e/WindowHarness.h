#pragma once
// The real main window against the simulated unit: the window's own serial link, reader thread,
// supervision and operations, with the program's data (car databases, lock diagrams) beside it
// in a folder of its own, message boxes and file dialogs answered by RecordingDialogs, and
// protocol time running 50 times faster.

#include "../ui/Connecting.h"
#include "../ui/RecordingDialogs.h"

#include "link/Frame.h"
#include "ui/HandlerError.h"
#include "ops/OperationState.h"
#include "link/SerialLink.h"
#include "link/SerialTransport.h"
#include "ui/tabs/SettingsTabs.h"
#include "sim/SimulatedTransport.h"
#include "sim/SimulatedUnit.h"
#include "ui/StatusLine.h"
#include "ui/MainWindow.h"
#include "ui/widgets/LedIndicator.h"
#include "link/Wait.h"
#include "QtPrinters.h"
#include "WaitFor.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace alvetra::test {

class WindowTest : public ::testing::Test {
protected:
    static constexpr double kSpeedup = 50;
    static constexpr std::uint32_t kCounter = 0x012345;
    static inline const QString kSimulator = QString::fromLatin1(sim::kSimulatorPortName);

    static sim::UnitConfig unitConfig(const QString &identification = QStringLiteral("MZRv1.61"))
    {
        sim::UnitConfig config;
        config.identification = identification;
        config.lineSpeed = 0;   // protocol time runs faster; the line must not hold it back
        config.minuteCounter = kCounter;
        config.minuteLength = std::chrono::hours(24);
        config.learningTime = std::chrono::milliseconds(300);
        return config;
    }

    void SetUp() override
    {
        previousSpeedup_ = TimeBase::speedup();
        TimeBase::setSpeedup(kSpeedup);
        copyProgramData();
        unit = std::make_unique<sim::SimulatedUnit>(unitConfig());
        shell.stored.showComInformation = false;
    }

    void TearDown() override
    {
        window.reset();
        TimeBase::setSpeedup(previousSpeedup_);
        setApplicationTerminating(false);
    }

    // The window with the given ports, started as the program starts it; waits until the
    // selected port is open.
    MainWindow &start(const QStringList &ports = {kSimulator}, ShellHooks *shellHooks = nullptr)
    {
        WindowSetup setup;
        setup.portNames = ports;
        setup.programFolder = programDir.path();
        setup.dialogs = &dialogs;
        setup.shell = shellHooks ? shellHooks : &shell;
        setup.openUrl = [this](const QUrl &url) {
            openedUrls.push_back(url);
            return true;
        };
        setup.transports = [this](const QString &name, int speed) -> std::unique_ptr<Transport> {
            if (name == kSimulator)
                return std::make_unique<sim::SimulatedTransport>(*unit);
            return std::make_unique<SerialTransport>(devicePathForPort(name), name, speed);
        };
        setup.reportError = [this](std::exception_ptr error) {
            dialogs.showMessage(window.get(), handlerErrorMessage(error), QMessageBox::Ok);
        };
        setup.clock = [] { return QDateTime(QDate(2024, 3, 1), QTime(12, 0)); };
        setup.trafficLogPath = trafficLogPath;
        setup.trafficLogSecrets = trafficLogSecrets;
        setup.scanPorts = scanPorts;
        window = std::make_unique<MainWindow>(setup);
        window->startUp();
        EXPECT_TRUE(waitFor([&] { return panel(0) == QStringLiteral("Port otwarty"); })) << panel(0).toStdString();
        return *window;
    }

    // Types the password and connects; the unit's frame log and the boxes start afresh after it.
    void connect(const QString &password = QStringLiteral("1234"))
    {
        ASSERT_TRUE(connectAsTheFitterDoes(*window, dialogs, password)) << statusText().toStdString();
        unit->clearFrameLog();
    }

    // ---- the window
    template <typename T> T *find(const char *name) const
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char *button) { find<QAbstractButton>(button)->click(); }
    void trigger(const char *action) { find<QAction>(action)->trigger(); }
    QString panel(int index) const { return window->statusLine().panelText(index); }
    QString statusText() const { return find<QLabel>("LAB_progress")->text(); }
    QTabWidget *pages() const { return find<QTabWidget>("PGC_Programator"); }
    int visibleTabs() const
    {
        int n = 0;
        for (int i = 0; i < pages()->count(); ++i)
            n += pages()->isTabVisible(i);
        return n;
    }
    bool ledLit(const char *name) const { return find<LedIndicator>(name)->isShownLit(); }
    std::vector<QString> messageTexts() const
    {
        std::vector<QString> texts;
        for (const UserMessage &m : dialogs.messages)
            texts.push_back(m.text);
        return texts;
    }

    // ---- the unit
    // Request codes the unit received, status polls left out.
    std::vector<int> codesReceived() const
    {
        std::vector<int> codes;
        for (const Frame &f : unit->received())
            if (f.code != 0x08)
                codes.push_back(f.code);
        return codes;
    }
    // The frames with `code` the unit received (the status polls aside), a frame sent again right
    // after itself (a retransmission, when a slow machine such as a sanitizer build answers late)
    // counted once; every code when `code` is negative.
    std::vector<Frame> receivedWithoutRetransmissions(int code = -1) const
    {
        std::vector<Frame> frames;
        QByteArray previous;
        for (const Frame &f : unit->received()) {
            if (f.code == 0x08)
                continue;
            const QByteArray text = encodeFrame(f);
            if (text != previous && (code < 0 || f.code == code))
                frames.push_back(f);
            previous = text;
        }
        return frames;
    }
    std::vector<int> codesWithoutRetransmissions() const
    {
        std::vector<int> codes;
        for (const Frame &f : receivedWithoutRetransmissions())
            codes.push_back(f.code);
        return codes;
    }
    // (address, data bytes) of every write request the unit received.
    std::vector<std::pair<int, Bytes>> writesReceived() const { return unit->writesReceived(); }
    std::vector<int> writeAddresses() const
    {
        std::vector<int> addresses;
        for (const auto &[address, bytes] : writesReceived())
            addresses.push_back(address);
        return addresses;
    }

    QTemporaryDir programDir;
    QString trafficLogPath;   // --traffic-log of the next start(); empty: none
    bool trafficLogSecrets = false;   // --traffic-log-secrets
    std::function<std::vector<PortInfo>()> scanPorts;   // the system's ports; none: the given ones only
    std::vector<QUrl> openedUrls;   // what the window gave the system's viewers
    RecordingDialogs dialogs;
    MemoryShell shell;
    std::unique_ptr<sim::SimulatedUnit> unit;
    std::unique_ptr<MainWindow> window;

private:
    // The car databases and the lock diagrams the build puts beside the program.
    void copyProgramData()
    {
        const QDir data(QStringLiteral(ALVETRA_DATA_DIR));
        QDir program(programDir.path());
        for (const char *name : {"MZRAv14.txt", "MZRAv17.txt", "MZRAv18.txt", "MZRFv10.txt"})
            ASSERT_TRUE(QFile::copy(data.filePath(QString::fromLatin1(name)), program.filePath(QString::fromLatin1(name))))
                << name;
        ASSERT_TRUE(program.mkdir(QStringLiteral("Ikony")));
        const QDir icons(data.filePath(QStringLiteral("Ikony")));
        for (const QString &name : icons.entryList({QStringLiteral("*.bmp")}, QDir::Files))
            ASSERT_TRUE(QFile::copy(icons.filePath(name), program.filePath(QStringLiteral("Ikony/") + name)));
    }

    double previousSpeedup_ = 1;
};

inline const std::vector<int> kLoginCodes{0x06, 0x07, 0x01};

} // namespace alvetra::test
