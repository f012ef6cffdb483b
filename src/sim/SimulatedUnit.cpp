#include "SimulatedUnit.h"
