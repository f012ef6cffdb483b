#include "ThhALed.h"
