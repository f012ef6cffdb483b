#pragma once
// The command line of alvetra-cli: the command, the port, the files and the common options.

#include "alarm/OwnerPapers.h"
#include "cli/PasswordInput.h"
#include "ops/WriteGroups.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace alvetra::cli {

enum class Command { Help, Version, Info, Read, Write, History, Show, Diff, Ports, Sheet };

struct CliOptions {
    Command command = Command::Help;
    QString port;                 // the device as given, or "Symulator" with --simulator
    PasswordSources passwordSources;   // --password, --password-file
    QString password;             // the one taken from them (resolvePassword), for the unit
    QString output;               // read, sheet: -o
    QString codeCard;             // sheet: --code-card, the owner's code card too
    CarIdentity car;              // sheet: --car-make, --car-model, --registration, --vin
    Workshop workshop;            // sheet: --workshop, --workshop-address, --workshop-phone
    QStringList files;            // write, show, sheet: one; diff: two
    std::vector<WriteGroup> groups;   // write: empty for all of them, as writing all does
    bool json = false;
    bool watch = false;           // ports: follow the ports coming and going
    int speedIndex = 8;           // into kLineRates (19200 bit/s)
    QString trafficLog;
    bool trafficLogSecrets = false;   // the PC password and the codes in clear in the log
    bool showSecrets = false;         // show and diff: the PC password and the codes in clear
    int timeoutSeconds = 0;       // 0: no limit
};

// The options, or nothing with `error` set (a Polish text) when the command line is wrong.
std::optional<CliOptions> parseCliArguments(const QStringList &arguments, QString &error);

// The group of a --groups name ("codes", "anti-theft", ...).
std::optional<WriteGroup> writeGroupNamed(const QString &name);

} // namespace alvetra::cli
