#pragma once
// Where alvetra-cli takes the PC access password from, as command-line tools take secrets:
//
//   --password PW          kept for scripts; every user of the machine sees it in the process list
//   --password-file FILE   its first line; refused while other users may read FILE
//   ALVETRA_PASSWORD       the environment, which other users cannot read
//   the terminal           asked without echo when none of the above is given and the standard
//                          input is a terminal
//
// The first of them that is given is used; --password with --password-file is a usage error.

#include "cli/ExitStatus.h"

#include <QString>
#include <optional>

namespace alvetra::cli {

// The standard input as a terminal, and the file system's word on who may read a file; one
// implementation per platform.
class PasswordTerminal {
public:
    virtual ~PasswordTerminal() = default;
    virtual bool isTerminal() const = 0;
    // Shows `prompt` on the terminal, reads one line with echo off and puts the echo back;
    // nothing when the input ended or could not be read.
    virtual std::optional<QString> ask(const QString &prompt) = 0;
};

// The standard input and the standard error of this process.
class StandardTerminal : public PasswordTerminal {
public:
    bool isTerminal() const override;
    std::optional<QString> ask(const QString &prompt) override;
};

// True when users other than the file's owner may read it.
bool othersMayRead(const QString &path);
// The system's command that leaves the file `shown` to its owner alone.
QString ownerOnlyCommand(const QString &shown);

struct PasswordSources {
    std::optional<QString> option;   // --password
    QString file;                    // --password-file
};

struct PasswordOutcome {
    std::optional<QString> password;
    ExitStatus failure = ExitStatus::Ok;   // when there is no password
    QString message;                       // why, for the standard error
};

PasswordOutcome resolvePassword(const PasswordSources &sources, PasswordTerminal &terminal);

} // namespace alvetra::cli
