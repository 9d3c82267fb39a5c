#include "plot/graphs.h"
