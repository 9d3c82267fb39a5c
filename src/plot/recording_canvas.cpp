#include "plot/recording_canvas.h"
