// The fixed 16-colour palette of the pictures.
#pragma once

#include <cstdint>

namespace plot {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colour of palette index 0..15 (indices outside wrap into the range).
Rgb PaletteColour(int index);

}
