#pragma once
// What the user is shown for an error that ended an event handler (a file that cannot be read or
// written, a missing car database or diagram): a box captioned with the application title.
//
// Qt's GUI libraries are built without exception cleanups, so an error must not unwind through
// their frames. The window's handlers therefore catch what their operation throws, after the
// operation's own guards have given the window back, and hand it to the application's general
// error handler, which shows this message.

#include "alarm/UserMessage.h"

#include <exception>

namespace alvetra {

UserMessage handlerErrorMessage(std::exception_ptr error);

} // namespace alvetra
