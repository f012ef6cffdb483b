#pragma once
// Setting a line speed on a serial descriptor (14400 and 128000 bit/s are no standard termios
// rates and go through termios2).

namespace alvetra {

// Sets input and output speed of `fd` to `bitsPerSecond` and reads back what the driver took.
// False (errno set) when the driver refuses or settles more than 3 % away from the rate asked
// for: such a port is not used at a speed the user did not choose.
bool setLineRate(int fd, int bitsPerSecond);

} // namespace alvetra
