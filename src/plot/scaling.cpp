#include "plot/scaling.h"
