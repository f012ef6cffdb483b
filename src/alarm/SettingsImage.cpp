#include "SettingsImage.h"
