#include "plot/palette.h"
