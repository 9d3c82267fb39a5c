// Every mechanism of the program, in menu order; the forms and the command line look them up here.
#pragma once

#include <string_view>
#include <vector>

#include "run/mechanism.h"

namespace mechanisms {

const std::vector<const sim::Mechanism*>& AllMechanisms();
const sim::Mechanism* FindMechanism(std::string_view command);

}
