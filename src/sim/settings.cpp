#include "sim/settings.h"
