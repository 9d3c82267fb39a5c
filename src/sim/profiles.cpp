#include "sim/profiles.h"
