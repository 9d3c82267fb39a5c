#include "sim/frame.h"
