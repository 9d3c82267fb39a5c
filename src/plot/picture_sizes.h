// Inner sizes of a mechanism form's three pictures, in logical pixels at 96 dpi. The form's
// design gives each picture's outer size in twips (15 to a pixel); the sunken border takes
// 2 pixels on every side, so the drawable inner area is 4 pixels narrower and lower.
#pragma once

namespace plot {

struct PixelSize {
    int width = 0, height = 0;
};

// Pixels of a design length in twips, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

inline constexpr int kPictureBorder = 2;   // sunken frame, pixels on each side

constexpr PixelSize InnerOfDesign(int widthTwips, int heightTwips)
{
    return {TwipsToPixels(widthTwips) - 2 * kPictureBorder,
            TwipsToPixels(heightTwips) - 2 * kPictureBorder};
}

inline constexpr PixelSize kPicture1Size = InnerOfDesign(4152, 3420);   // 273 x 224
inline constexpr PixelSize kPicture2Size = InnerOfDesign(4092, 3420);   // 269 x 224
inline constexpr PixelSize kPicture3Size = InnerOfDesign(8232, 6336);   // 545 x 418

}
