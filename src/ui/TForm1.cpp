#include "TForm1.h"
