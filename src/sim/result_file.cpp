#include "sim/result_file.h"
