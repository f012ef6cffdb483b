#include "cli/PasswordInput.h"

#include "cli/CliTexts.h"

#include <QDir>
#include <QFile>

namespace alvetra::cli {

namespace {

constexpr const char *kEnvironmentVariable = "ALVETRA_PASSWORD";

PasswordOutcome failed(ExitStatus status, const QString &message)
{
    return {std::nullopt, status, message};
}

PasswordOutcome fromFile(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(ExitStatus::BadFile, clitexts::kPasswordFileUnreadable.arg(shown, file.errorString()));
    if (othersMayRead(path))
        return failed(ExitStatus::BadFile, clitexts::kPasswordFileReadableByOthers.arg(shown, ownerOnlyCommand(shown)));
    // The first line, without its line end (LF or CR LF).
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return {QString::fromUtf8(line), ExitStatus::Ok, {}};
}

} // namespace

PasswordOutcome resolvePassword(const PasswordSources &sources, PasswordTerminal &terminal)
{
    if (sources.option && !sources.file.isEmpty())
        return failed(ExitStatus::Usage, clitexts::kTwoPasswordSources);
    if (sources.option)
        return {sources.option, ExitStatus::Ok, {}};
    if (!sources.file.isEmpty())
        return fromFile(sources.file);
    if (qEnvironmentVariableIsSet(kEnvironmentVariable))
        return {qEnvironmentVariable(kEnvironmentVariable), ExitStatus::Ok, {}};
    if (!terminal.isTerminal())
        return failed(ExitStatus::Usage, clitexts::kNoPassword);
    if (std::optional<QString> typed = terminal.ask(clitexts::kPasswordPrompt))
        return {typed, ExitStatus::Ok, {}};
    return failed(ExitStatus::Usage, clitexts::kNoPassword);
}

} // namespace alvetra::cli
