// The mechanisms in menu order.
#include "mechanisms/catalog.h"

#include "mechanisms/four_bar.h"
#include "mechanisms/parallel_mechanism.h"
#include "mechanisms/serial_2r.h"
#include "mechanisms/serial_3r.h"
#include "mechanisms/serial_3r_interpolation.h"
#include "mechanisms/slider_crank.h"

namespace mechanisms {

const std::vector<const sim::Mechanism*>& AllMechanisms()
{
    static const std::vector<const sim::Mechanism*> all{
        &Serial2R(),          &Serial3R(), &Serial3RLine(), &Serial3RArc(),
        &ParallelMechanism(), &FourBar(),  &SliderCrank(),
    };
    return all;
}

const sim::Mechanism* FindMechanism(std::string_view command)
{
    for (const sim::Mechanism* m : AllMechanisms())
        if (m->command == command)
            return m;
    return nullptr;
}

}
