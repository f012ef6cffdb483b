#include "cli/UnitSession.h"

#include "link/PortSearch.h"

#include "ops/OpsTexts.h"
#include "link/Frame.h"
#include "link/Wait.h"
#include "sim/SimulatedTransport.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace alvetra::cli {

namespace {

// A reader thread opens a port within milliseconds; a device that hangs in open() is given up.
constexpr int kOpenLimitMs = 5000;

ExitStatus portStatus(Transport::OpenResult result)
{
    switch (result) {
    case Transport::OpenResult::InUse: return ExitStatus::PortBusy;
    case Transport::OpenResult::NoPermission: return ExitStatus::PortNoPermission;
    default: return ExitStatus::PortMissing;
    }
}

// The command-line tool leaves no backups of its own: the file it reads to is the fitter's.
OperationConfig sessionConfig(const QString &dataFolder)
{
    OperationConfig config;
    config.dataFolder = dataFolder;
    return config;
}

} // namespace

UnitSession::UnitSession(const CliOptions &options, const QString &dataFolder, Console &console)
    : options_(options),
      config_(sessionConfig(dataFolder)),
      view_(console, state_),
      events_(console, view_, state_),
      console_(console),
      link_(state_.image, events_, makeTransports()),
      unitLink_(link_),
      operations_(view_, unitLink_, state_, config_)
{
    view_.password = options.password;
    view_.reopen = [this] {
        link_.reopen(options_.port, options_.speedIndex);
        waitForPort();
    };
}

SerialLink::TransportFactory UnitSession::makeTransports()
{
    if (options_.port != QLatin1String(sim::kSimulatorPortName))
        return SerialLink::serialPorts();
    transports_ = std::make_unique<PortTransports>();
    return transports_->factory();
}

UnitSession::~UnitSession()
{
    // The unit's programming session ends here: the window's bare goodbye frame, not awaited.
    if (link_.portOpen() && !applicationTerminating())
        link_.sendFrame(makeFrame(kUnitAddress, request::kDisconnect, kPcAddress, {}));
    link_.stopReaderThread();
    link_.traffic().detach(&trafficLog_);
    trafficLog_.flush();
    if (!trafficLog_.error().isEmpty())
        console_.message(trafficLog_.error());
}

bool UnitSession::waitForPort()
{
    QElapsedTimer clock;
    clock.start();
    while (!events_.opened && !events_.failure && link_.hasReaderThread() && clock.elapsed() < kOpenLimitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return events_.opened;
}

ExitStatus UnitSession::open()
{
    if (!options_.trafficLog.isEmpty()) {
        if (const std::optional<QString> error = trafficLog_.open(options_.trafficLog, {}, options_.trafficLogSecrets)) {
            console_.message(*error);
            return ExitStatus::BadFile;
        }
        link_.traffic().attach(&trafficLog_);
    }
    if (link_.open(options_.port, options_.speedIndex) && waitForPort()) {
        adviseOnLatency();
        return ExitStatus::Ok;
    }
    if (events_.failure)
        return portStatus(*events_.failure);
    view_.showMessage({kCaptionWarning, texts::kPortNotOpen, MessageIcon::Exclamation});
    return ExitStatus::PortMissing;
}

void UnitSession::adviseOnLatency()
{
    const QString name = portNameForDevice(options_.port);
    for (const PortInfo &port : scanSerialPorts()) {
        if (port.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (const std::optional<QString> advice = latencyAdvice(port))
            console_.message(*advice);
        return;
    }
}

ExitStatus UnitSession::failureStatus() const
{
    // A request that left just before the reader saw the port go waits in vain for its reply:
    // the lost port, not the unit, is the reason.
    if (events_.lost)
        return ExitStatus::PortMissing;
    const QString failure = view_.lastFailure();
    if (failure == texts::kUnitNotAnswering)
        return ExitStatus::NotAnswering;
    if (failure == texts::kWrongAccessPassword)
        return ExitStatus::WrongPassword;
    if (failure == texts::kPortNotOpen || failure == texts::kPortNotOpenBox)
        return events_.failure ? portStatus(*events_.failure) : ExitStatus::PortMissing;
    return ExitStatus::Refused;
}

} // namespace alvetra::cli
