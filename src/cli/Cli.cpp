#include "cli/Cli.h"

#include "alarm/FileError.h"
#include "cli/CliTexts.h"
#include "cli/FileCommands.h"
#include "cli/PortCommands.h"
#include "cli/SheetCommand.h"
#include "cli/UnitSession.h"
#include "files/FirmwareFamilies.h"
#include "files/SettingsFile.h"
#include "link/Wait.h"
#include "ops/Login.h"
#include "ops/OpsTexts.h"
#include "ops/UnitRequests.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace alvetra::cli {

namespace {

ExitStatus info(UnitSession &session, Console &console)
{
    const bool granted = LoginProcedure(session.operations().context(), LoginPurpose::Reading).run(kLoginDelayMs);
    const QString line = session.view().identification;
    if (line.isEmpty())
        return session.failureStatus();
    const QString identification = identificationOf(line);
    const std::optional<FirmwareFamily> family = familyForIdentification(identification);
    const ReplyState &replies = session.link().replies();
    console.result(clitexts::kInfoIdentification.arg(identification));
    console.result(clitexts::kInfoFamily.arg(family ? QString::number(family->familyCode) : clitexts::kInfoFamilyUnknown));
    console.result(clitexts::kInfoFirstText.arg(replies.identificationText(IdentificationText::First)));
    console.result(clitexts::kInfoSecondText.arg(replies.identificationText(IdentificationText::Second)));
    console.result(clitexts::kInfoAccess.arg(granted ? clitexts::kAccessFull : clitexts::kAccessMonitorOnly));
    return granted ? ExitStatus::Ok : session.failureStatus();
}

ExitStatus read(UnitSession &session, Console &console, const CliOptions &options)
{
    if (session.operations().readAll() != OperationOutcome::Done)
        return session.failureStatus();
    QString fileName = options.output;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += dialogDefaultsForFamily(session.state().familyCode).defaultExtension;
    // The unit's memory exactly as read, as its backup holds it (not rebuilt from the settings,
    // which would drop bits no setting covers); written through a temporary file that replaces
    // the old one only when complete.
    saveSettingsFile(fileName, *session.state().unitMemory);
    console.result(clitexts::kSaved.arg(QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath())));
    return ExitStatus::Ok;
}

ExitStatus history(UnitSession &session, Console &console)
{
    if (session.operations().readAll() != OperationOutcome::Done)
        return session.failureStatus();
    for (const HistoryRow &row : session.view().history)
        console.result(row.number + QLatin1Char('\t') + row.time + QLatin1Char('\t') + row.event);
    return ExitStatus::Ok;
}

// The chosen groups one by one, as writing all groups goes through them: in its order, and
// stopping at the first login that fails.
OperationOutcome writeGroups(UnitSession &session, const std::vector<WriteGroup> &groups)
{
    OperationState &state = session.state();
    int written = 0;
    state.loginOk = true;
    for (WriteGroup group : groups) {
        if (!state.loginOk)
            break;
        state.writeOk = false;
        if (session.operations().writeGroup(group) == OperationOutcome::Done)
            ++written;
    }
    const int total = static_cast<int>(groups.size());
    if (written > 0)
        session.view().showStatus(written < total ? texts::kWrittenSome.arg(written).arg(total) : texts::kWrittenAll,
                                  kFinalStatusWidth, StatusColour::WindowText);
    return written == total ? OperationOutcome::Done : OperationOutcome::Failed;
}

ExitStatus write(UnitSession &session, Console &console, const CliOptions &options)
{
    const QString &fileName = options.files.constFirst();
    const std::optional<FirmwareFamily> fileFamily = familyForSettingsFileName(fileName);
    if (!fileFamily) {
        console.message(clitexts::kUnknownFileKind.arg(fileName));
        return ExitStatus::BadFile;
    }
    SettingsImage scratch;
    loadSettingsFile(fileName, scratch);   // an unreadable file costs no login

    AlarmOperations &operations = session.operations();
    if (const ExitStatus opened = session.open(); opened != ExitStatus::Ok)
        return opened;
    // The window's connect: the unit's settings and its family first; every group's login then
    // checks that the same unit is still there.
    if (operations.readAll() != OperationOutcome::Done)
        return session.failureStatus();
    if (!(fileFamily->layout() == session.state().layout)) {
        console.message(clitexts::kFileDoesNotFit.arg(fileName, identificationOf(session.view().identification)));
        return ExitStatus::Refused;
    }
    operations.openFile(fileName);

    TerminalView &view = session.view();
    view.clearStatuses();
    const OperationOutcome outcome =
        options.groups.empty() ? operations.writeAll() : writeGroups(session, options.groups);
    for (const TerminalView::Status &status : view.statuses()) {
        if (!status.text.isEmpty())
            console.result(status.text);
    }
    return outcome == OperationOutcome::Done ? ExitStatus::Ok : session.failureStatus();
}

ExitStatus runUnitCommand(CliOptions options, Console &console, const QString &dataFolder, PasswordTerminal &terminal)
{
    const PasswordOutcome password = resolvePassword(options.passwordSources, terminal);
    if (!password.password) {
        console.message(password.message);
        if (password.failure == ExitStatus::Usage)
            console.message(clitexts::kSeeHelp);
        return password.failure;
    }
    options.password = *password.password;
    UnitSession session(options, dataFolder, console);
    if (options.command == Command::Write)
        return write(session, console, options);
    if (const ExitStatus opened = session.open(); opened != ExitStatus::Ok)
        return opened;
    switch (options.command) {
    case Command::Info: return info(session, console);
    case Command::Read: return read(session, console, options);
    default: return history(session, console);
    }
}

ExitStatus run(const CliOptions &options, Console &console, const QString &dataFolder, PasswordTerminal &terminal)
{
    switch (options.command) {
    case Command::Help: console.result(clitexts::kHelp); return ExitStatus::Ok;
    case Command::Version:
        console.result(QStringLiteral("alvetra-cli %1").arg(QCoreApplication::applicationVersion()));
        return ExitStatus::Ok;
    case Command::Show: return showFile(options, console);
    case Command::Diff: return diffFiles(options, console);
    case Command::Ports: return listPorts(options, console);
    case Command::Sheet: return writeSheet(options, console);
    default: return runUnitCommand(options, console, dataFolder, terminal);
    }
}

} // namespace

int runCli(const QStringList &arguments, Console &console, const QString &dataFolder)
{
    StandardTerminal terminal;
    return runCli(arguments, console, dataFolder, terminal);
}

int runCli(const QStringList &arguments, Console &console, const QString &dataFolder, PasswordTerminal &terminal)
{
    QString error;
    const std::optional<CliOptions> options = parseCliArguments(arguments, error);
    if (!options) {
        console.message(error);
        console.message(clitexts::kSeeHelp);
        return code(ExitStatus::Usage);
    }

    setApplicationTerminating(false);
    bool timedOut = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&timedOut] {
        // Every wait of the link and the operations ends at once.
        timedOut = true;
        setApplicationTerminating(true);
    });
    if (options->timeoutSeconds > 0)
        deadline.start(options->timeoutSeconds * 1000);

    ExitStatus status = ExitStatus::Ok;
    try {
        status = run(*options, console, dataFolder, terminal);
    } catch (const FileError &e) {
        console.message(e.message());
        status = ExitStatus::BadFile;
    }
    // For a watch of the ports the time given is how long to watch, not a limit run into.
    if (timedOut && options->command != Command::Ports) {
        console.message(clitexts::kTimedOut.arg(options->timeoutSeconds));
        status = ExitStatus::NotAnswering;
    }
    setApplicationTerminating(false);
    return code(status);
}

} // namespace alvetra::cli
