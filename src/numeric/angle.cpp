#include "numeric/angle.h"
