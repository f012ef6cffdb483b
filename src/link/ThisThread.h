#pragma once
// The calling thread as the system sees it, one implementation per platform
// (ThisThread_unix.cpp, ThisThread_win.cpp).

namespace alvetra {

// Its name in debuggers and the system's thread lists ("rs232"; 15 characters at most).
void nameThisThread(const char *name);

// One step below the program's other threads: for a thread that sleeps in the kernel almost
// always and, when bytes come, must not take the processor from the window.
void lowerThisThreadsPriority();

} // namespace alvetra
