#include "plot/qt/picture_box.h"
