#include "plot/qt/raster_picture.h"
