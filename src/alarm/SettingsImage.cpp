#include "alarm/SettingsImage.h"
