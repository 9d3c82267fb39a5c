#include "mechanisms/catalog.h"
