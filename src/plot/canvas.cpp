#include "plot/canvas.h"
