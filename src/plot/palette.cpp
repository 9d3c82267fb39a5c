// The 16 fixed colours: indices 0..7 dark, 8..15 bright, index 7 the light grey.
#include "plot/palette.h"

#include <array>

namespace plot {

Rgb PaletteColour(int index)
{
    static constexpr std::array<Rgb, 16> kColours{{
        {0, 0, 0},
        {0, 0, 128},
        {0, 128, 0},
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {128, 128, 0},
        {192, 192, 192},
        {128, 128, 128},
        {0, 0, 255},
        {0, 255, 0},
        {0, 255, 255},
        {255, 0, 0},
        {255, 0, 255},
        {255, 255, 0},
        {255, 255, 255},
    }};
    const int wrapped = ((index % 16) + 16) % 16;
    return kColours[static_cast<std::size_t>(wrapped)];
}

}
