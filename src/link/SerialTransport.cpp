#include "link/SerialTransport.h"

#include "link/LineSpeed.h"

namespace alvetra {

SerialTransport::SerialTransport(const QString &devicePath, const QString &portName, int speedIndex)
    : lineRate_(lineRateForIndex(speedIndex)), port_(makeSystemSerialPort(devicePath, portName, lineRate_))
{
}

} // namespace alvetra
