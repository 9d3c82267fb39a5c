#include "numeric/linear_system.h"
