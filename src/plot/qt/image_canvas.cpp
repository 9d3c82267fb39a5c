#include "plot/qt/image_canvas.h"
