#pragma once
// The exit statuses of alvetra-cli: what a script can tell apart without reading the messages.
// The same table stands in the help text, the manual page and the manual.

namespace alvetra::cli {

enum class ExitStatus {
    Ok = 0,
    Differences = 1,     // diff: the files differ
    Usage = 2,           // the command line is wrong
    NotAnswering = 3,    // the unit does not answer (also when --timeout ran out)
    WrongPassword = 4,   // the unit refused the PC access password
    Refused = 5,         // the unit or the program refused: armed, a block active, another unit,
                         // a file for another layout, a group not written
    BadFile = 6,         // a settings file that cannot be read, or one that cannot be written
    PortMissing = 7,     // no such port, or it cannot be opened at the chosen speed
    PortBusy = 8,        // another program holds the port
    PortNoPermission = 9 // this user may not open the port
};

inline int code(ExitStatus status) { return static_cast<int>(status); }

} // namespace alvetra::cli
