// Inner sizes of a mechanism window's three pictures (the two graphs and the large view), in
// logical pixels at 96 dpi. The design gives each picture's outer size in twips (1/1440 inch,
// 15 to a pixel at 96 dpi); the sunken border takes 2 pixels on every side, so the drawable inner
// area is 4 pixels narrower and lower.
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

inline constexpr PixelSize kGraph1Size = InnerOfDesign(4152, 3420);   // 273 x 224
inline constexpr PixelSize kGraph2Size = InnerOfDesign(4092, 3420);   // 269 x 224
inline constexpr PixelSize kViewSize = InnerOfDesign(8232, 6336);     // 545 x 418

}
