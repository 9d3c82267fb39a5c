#include "numeric/closures.h"
