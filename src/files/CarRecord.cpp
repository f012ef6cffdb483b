#include "CarRecord.h"
