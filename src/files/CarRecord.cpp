#include "files/CarRecord.h"
