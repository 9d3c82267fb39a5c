#include "plot/primitives.h"
