#include "SettingsTabs.h"

namespace alvetra {

SettingsTabs::SettingsTabs(const std::array<QWidget *, kPageCount> &, QObject *parent) : QObject(parent) {}

} // namespace alvetra
