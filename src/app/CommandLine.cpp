#include "app/CommandLine.h"

#include "app/AppTexts.h"
#include "link/PortSearch.h"
#include "sim/SimulatedTransport.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace alvetra {

namespace {

const QString kPortOption = QStringLiteral("port");
const QString kSimulatorOption = QStringLiteral("simulator");
const QString kTrafficLogOption = QStringLiteral("traffic-log");
const QString kTrafficLogSecretsOption = QStringLiteral("traffic-log-secrets");

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(apptexts::kCommandLineDescription);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                        apptexts::kHelpOptionDescription));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                        apptexts::kVersionOptionDescription));
    parser.addOption(QCommandLineOption(kPortOption, apptexts::kPortOptionDescription, apptexts::kPortValueName));
    parser.addOption(QCommandLineOption(kSimulatorOption, apptexts::kSimulatorOptionDescription));
    parser.addOption(QCommandLineOption(kTrafficLogOption, apptexts::kTrafficLogOptionDescription,
                                        apptexts::kTrafficLogValueName));
    parser.addOption(QCommandLineOption(kTrafficLogSecretsOption, apptexts::kTrafficLogSecretsOptionDescription));
    parser.addPositionalArgument(QStringLiteral("plik"), apptexts::kSettingsFileArgumentDescription,
                                 QStringLiteral("[plik]"));
}

CommandLineOptions optionsFrom(const QCommandLineParser &parser)
{
    CommandLineOptions options;
    options.extraPorts = parser.values(kPortOption);
    if (!options.extraPorts.isEmpty())
        options.selectedPort = portNameForDevice(options.extraPorts.constLast());
    if (parser.isSet(kSimulatorOption)) {
        options.extraPorts << QString::fromLatin1(sim::kSimulatorPortName);
        options.selectedPort = QString::fromLatin1(sim::kSimulatorPortName);
    }
    options.trafficLogPath = parser.value(kTrafficLogOption);
    options.trafficLogSecrets = parser.isSet(kTrafficLogSecretsOption);
    return options;
}

} // namespace

bool parseArguments(const QStringList &arguments, CommandLineOptions &options, QString &error)
{
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    // One settings file may be named: the system opens a double-clicked ".alm" that way.
    if (parser.positionalArguments().size() > 1) {
        error = QStringLiteral("Nieoczekiwany argument / unexpected argument: %1")
                    .arg(parser.positionalArguments().at(1));
        return false;
    }
    options = optionsFrom(parser);
    if (!parser.positionalArguments().isEmpty())
        options.settingsFile = parser.positionalArguments().constFirst();
    return true;
}

CommandLineOptions parseCommandLine(const QCoreApplication &app)
{
    QCommandLineParser parser;
    describe(parser);
    parser.process(app.arguments());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    CommandLineOptions options;
    QString error;
    if (!parseArguments(app.arguments(), options, error)) {
        fprintf(stderr, "%s\n", qPrintable(error));
        ::exit(1);
    }
    return options;
}

} // namespace alvetra
