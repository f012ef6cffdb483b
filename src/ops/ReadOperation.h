#pragma once
// Reading the unit's whole configuration into the settings image and the tabs, and connecting,
// whose body that read is.

#include "ops/OperationState.h"

namespace alvetra {

class LoginProcedure;

class ReadOperation {
public:
    explicit ReadOperation(const OperationContext &context) : context_(context) {}

    // Login, the 32 blocks of 8 bytes, the fill, the counter written back, "Odczytano", the
    // connected state. Sets the connected flag on success only (Done), and then remembers the
    // unit the settings came from.
    OperationOutcome readAll();

    // The read, then full access, page 0, "Połączono z centralą." and the warning box when it
    // succeeded.
    OperationOutcome connect();

private:
    // True when every block arrived; a block that does not is asked for again after a new login.
    bool readBlocks(LoginProcedure &login);
    void showSettings();
    // The image as read into the backup folder. A failure never fails the read; returns whether
    // a failure is to be told now.
    bool writeBackup();

    OperationContext context_;
    bool backupFailureToTell_ = false;
};

} // namespace alvetra
