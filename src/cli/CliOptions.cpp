#include "cli/CliOptions.h"

#include "alarm/PaperTexts.h"
#include "cli/CliTexts.h"
#include "link/LineSpeed.h"
#include "sim/SimulatedTransport.h"

#include <QCommandLineParser>
#include <algorithm>
#include <array>
#include <utility>

namespace alvetra::cli {

namespace {

const std::array<std::pair<const char *, WriteGroup>, 9> kGroupNames{{
    {"pc-password", WriteGroup::PcPassword},
    {"codes", WriteGroup::Codes},
    {"turn-signals", WriteGroup::TurnSignals},
    {"central-locks", WriteGroup::CentralLocks},
    {"anti-theft", WriteGroup::AntiTheft},
    {"anti-hijack", WriteGroup::AntiHijack},
    {"rearming", WriteGroup::Rearming},
    {"can", WriteGroup::CanGroup},
    {"can-options", WriteGroup::CanOptions},
}};

const std::array<std::pair<const char *, Command>, 8> kCommandNames{{
    {"info", Command::Info},
    {"read", Command::Read},
    {"write", Command::Write},
    {"history", Command::History},
    {"show", Command::Show},
    {"diff", Command::Diff},
    {"ports", Command::Ports},
    {"sheet", Command::Sheet},
}};

bool needsUnit(Command command)
{
    return command == Command::Info || command == Command::Read || command == Command::Write
        || command == Command::History;
}

int fileCount(Command command)
{
    switch (command) {
    case Command::Write:
    case Command::Show:
    case Command::Sheet: return 1;
    case Command::Diff: return 2;
    default: return 0;
    }
}

// The groups of a comma-separated list, in the order writing all groups writes them.
bool parseGroups(const QString &list, std::vector<WriteGroup> &groups, QString &error)
{
    for (const QString &name : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const std::optional<WriteGroup> group = writeGroupNamed(name.trimmed());
        if (!group) {
            error = clitexts::kUnknownGroup.arg(name);
            return false;
        }
        if (std::find(groups.begin(), groups.end(), *group) == groups.end())
            groups.push_back(*group);
    }
    std::sort(groups.begin(), groups.end(), [](WriteGroup a, WriteGroup b) {
        return std::find(kWriteAllOrder.begin(), kWriteAllOrder.end(), a)
            < std::find(kWriteAllOrder.begin(), kWriteAllOrder.end(), b);
    });
    return true;
}

struct PaperOptions {
    QCommandLineOption codeCard{QStringLiteral("code-card"), QString(), QStringLiteral("FILE")};
    QCommandLineOption carMake{QStringLiteral("car-make"), QString(), QStringLiteral("MAKE")};
    QCommandLineOption carModel{QStringLiteral("car-model"), QString(), QStringLiteral("MODEL")};
    QCommandLineOption registration{QStringLiteral("registration"), QString(), QStringLiteral("NUMBER")};
    QCommandLineOption vin{QStringLiteral("vin"), QString(), QStringLiteral("VIN")};
    QCommandLineOption workshop{QStringLiteral("workshop"), QString(), QStringLiteral("NAME")};
    QCommandLineOption workshopAddress{QStringLiteral("workshop-address"), QString(), QStringLiteral("ADDRESS")};
    QCommandLineOption workshopPhone{QStringLiteral("workshop-phone"), QString(), QStringLiteral("PHONE")};
    QList<QCommandLineOption> all() const
    {
        return {codeCard, carMake, carModel, registration, vin, workshop, workshopAddress, workshopPhone};
    }
};

// The sheet's facts from the command line; a VIN is taken in capitals and must have its form.
bool takePaperOptions(const QCommandLineParser &parser, const PaperOptions &paper, CliOptions &options, QString &error)
{
    options.codeCard = parser.value(paper.codeCard);
    options.car = {parser.value(paper.carMake).trimmed(), parser.value(paper.carModel).trimmed(),
                   parser.value(paper.registration).trimmed(), vinAsTyped(parser.value(paper.vin))};
    options.workshop = {parser.value(paper.workshop).trimmed(), parser.value(paper.workshopAddress).trimmed(),
                        parser.value(paper.workshopPhone).trimmed()};
    if (options.command != Command::Sheet)
        return true;
    if (options.output.isEmpty()) {
        error = clitexts::kNoOutput;
        return false;
    }
    if (!options.car.vin.isEmpty() && !isWellFormedVin(options.car.vin)) {
        error = papertexts::kBadVin.arg(options.car.vin);
        return false;
    }
    return true;
}

} // namespace

std::optional<WriteGroup> writeGroupNamed(const QString &name)
{
    for (const auto &[text, group] : kGroupNames) {
        if (name == QLatin1String(text))
            return group;
    }
    return std::nullopt;
}

std::optional<CliOptions> parseCliArguments(const QStringList &arguments, QString &error)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("DEVICE"));
    const QCommandLineOption simulator(QStringLiteral("simulator"), QString());
    const QCommandLineOption password(QStringLiteral("password"), QString(), QStringLiteral("PW"));
    const QCommandLineOption passwordFile(QStringLiteral("password-file"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(), QStringLiteral("FILE"));
    const QCommandLineOption groups(QStringLiteral("groups"), QString(), QStringLiteral("LIST"));
    const QCommandLineOption json(QStringLiteral("json"), QString());
    const QCommandLineOption watch(QStringLiteral("watch"), QString());
    const QCommandLineOption speed(QStringLiteral("speed"), QString(), QStringLiteral("BPS"));
    const QCommandLineOption trafficLog(QStringLiteral("traffic-log"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption timeout(QStringLiteral("timeout"), QString(), QStringLiteral("SECONDS"));
    const QCommandLineOption trafficLogSecrets(QStringLiteral("traffic-log-secrets"), QString());
    const QCommandLineOption showSecrets(QStringLiteral("show-secrets"), QString());
    parser.addOptions({help, version, port, simulator, password, passwordFile, output, groups, json, watch, speed,
                       trafficLog, timeout, trafficLogSecrets, showSecrets});
    const PaperOptions paper;
    parser.addOptions(paper.all());
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }

    CliOptions options;
    if (parser.isSet(help))
        return options;
    if (parser.isSet(version)) {
        options.command = Command::Version;
        return options;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        error = clitexts::kNoCommand;
        return std::nullopt;
    }
    const QString name = positional.takeFirst();
    const auto known = std::find_if(kCommandNames.begin(), kCommandNames.end(),
                                    [&](const auto &entry) { return name == QLatin1String(entry.first); });
    if (known == kCommandNames.end()) {
        error = clitexts::kUnknownCommand.arg(name);
        return std::nullopt;
    }
    options.command = known->second;

    const int files = fileCount(options.command);
    if (files == 0 && !positional.isEmpty()) {
        error = clitexts::kUnexpectedArgument.arg(positional.constFirst());
        return std::nullopt;
    }
    if (positional.size() != files) {
        error = (files == 1 ? clitexts::kOneFileNeeded : clitexts::kTwoFilesNeeded).arg(name);
        return std::nullopt;
    }
    options.files = positional;

    if (needsUnit(options.command)) {
        options.port = parser.isSet(simulator) ? QString::fromLatin1(sim::kSimulatorPortName) : parser.value(port);
        if (options.port.isEmpty()) {
            error = clitexts::kNoPort;
            return std::nullopt;
        }
        if (parser.isSet(password))
            options.passwordSources.option = parser.value(password);
        options.passwordSources.file = parser.value(passwordFile);
    }
    options.output = parser.value(output);
    if (options.command == Command::Read && options.output.isEmpty()) {
        error = clitexts::kNoOutput;
        return std::nullopt;
    }
    if (parser.isSet(groups) && !parseGroups(parser.value(groups), options.groups, error))
        return std::nullopt;
    if (!takePaperOptions(parser, paper, options, error))
        return std::nullopt;
    options.json = parser.isSet(json);
    options.watch = parser.isSet(watch);
    if (parser.isSet(speed)) {
        const auto rate = std::find(kLineRates.begin(), kLineRates.end(), parser.value(speed).toInt());
        if (rate == kLineRates.end()) {
            error = clitexts::kUnknownSpeed.arg(parser.value(speed));
            return std::nullopt;
        }
        options.speedIndex = static_cast<int>(rate - kLineRates.begin());
    }
    options.trafficLog = parser.value(trafficLog);
    options.trafficLogSecrets = parser.isSet(trafficLogSecrets);
    options.showSecrets = parser.isSet(showSecrets);
    if (parser.isSet(timeout)) {
        bool ok = false;
        options.timeoutSeconds = parser.value(timeout).toInt(&ok);
        if (!ok || options.timeoutSeconds <= 0) {
            error = clitexts::kBadTimeout.arg(parser.value(timeout));
            return std::nullopt;
        }
    }
    return options;
}

} // namespace alvetra::cli
