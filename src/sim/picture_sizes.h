// Inner sizes of a mechanism form's three pictures, in logical pixels at 96 dpi (the form's
// design: Picture1 and Picture2 side by side above the large Picture3).
#pragma once

namespace sim {

struct PixelSize {
    int width = 0, height = 0;
};

inline constexpr PixelSize kPicture1Size{277, 228};
inline constexpr PixelSize kPicture2Size{273, 228};
inline constexpr PixelSize kPicture3Size{549, 422};

}
