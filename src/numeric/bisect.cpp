#include "numeric/bisect.h"
