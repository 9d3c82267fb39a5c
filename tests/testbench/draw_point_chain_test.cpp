// DrawPointChain on a recorder: fitted window, end circles, links, no clearing.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/recording_canvas.h"
#include "testbench/draw_point_chain.h"

namespace {

TEST(DrawPointChain, DrawsOverWhatIsThereWithoutClearing)
{
    plot::RecordingCanvas canvas(80, 80);
    const double x[] = {0, 3, 6}, y[] = {0, 4, 0};
    testbench::DrawPointChain(canvas, 2, x, y, 2);
    const std::size_t once = canvas.lines.size();
    testbench::DrawPointChain(canvas, 2, x, y, 2);
    EXPECT_EQ(canvas.clearCount, 0);
    EXPECT_EQ(canvas.lines.size(), 2 * once);
    EXPECT_EQ(canvas.circles.size(), 4u);
}

TEST(DrawPointChain, LinksUseTheGivenColourAndTheEndCirclesColourOne)
{
    plot::RecordingCanvas canvas(80, 80);
    const double x[] = {0, 3, 6, 9}, y[] = {0, 4, 0, 4};
    testbench::DrawPointChain(canvas, 3, x, y, 4);
    int links = 0;
    for (const auto& l : canvas.lines)
        if (l.style == plot::PenStyle::Solid) {
            ++links;
            EXPECT_EQ(l.colour, plot::PaletteColour(4));
            // Each link is 5 units; window 0..9 by 0..4 (step 1): scale min(60/9, 68/4).
            EXPECT_NEAR(std::hypot(l.b.x - l.a.x, l.b.y - l.a.y), 5 * 60.0 / 9, 1e-9);
        }
    EXPECT_EQ(links, 3);
    ASSERT_EQ(canvas.circles.size(), 2u);
    EXPECT_EQ(canvas.circles[0].colour, plot::PaletteColour(1));
    EXPECT_NEAR(canvas.circles[1].centre.x, 70, 1e-9);   // x = 9 at the window's right edge
}

TEST(DrawPointChain, CountIsCutBackToTheArrays)
{
    plot::RecordingCanvas canvas(80, 80);
    const double x[] = {0, 1}, y[] = {0, 1};
    testbench::DrawPointChain(canvas, 5, x, y, 1);   // only one link exists
    int links = 0;
    for (const auto& l : canvas.lines)
        links += l.style == plot::PenStyle::Solid;
    EXPECT_EQ(links, 1);
    plot::RecordingCanvas empty(80, 80);
    testbench::DrawPointChain(empty, 2, std::span<const double>(), std::span<const double>(), 1);
    EXPECT_TRUE(empty.lines.empty());
    EXPECT_TRUE(empty.circles.empty());
}

}
