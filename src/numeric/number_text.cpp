#include "numeric/number_text.h"
