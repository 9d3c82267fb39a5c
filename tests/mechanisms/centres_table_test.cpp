// The table of instant centres read back: its cells against the links' own centres and rates,
// the four-bar's fixed pivots as the centres of crank and rocker, and the slider's translating
// piston as empty cells.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "mechanism_test_support.h"
#include "mechanisms/four_bar.h"
#include "mechanisms/slider_crank.h"
#include "run/centres_table.h"

namespace {

constexpr int kSteps = 40;
constexpr double kCycle = 2.5;

// The table's lines, each cut at its tabs; every line must end in CR LF.
std::vector<std::vector<std::string>> Cells(const std::string& text)
{
    std::vector<std::vector<std::string>> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos);
        if (end == std::string::npos)
            break;
        std::vector<std::string> cells;
        std::stringstream line(text.substr(start, end - start));
        std::string cell;
        while (std::getline(line, cell, '\t'))
            cells.push_back(cell);
        if (text[end - 1] == '\t')
            cells.emplace_back();
        lines.push_back(cells);
        start = end + 2;
    }
    return lines;
}

std::optional<double> Number(const std::string& cell)
{
    if (cell.empty())
        return std::nullopt;
    return std::stod(cell);
}

TEST(CentresTable, CellsAreTheLinksCentresAndRatesAtEveryStep)
{
    const auto run = RunOf(ComputeWith(mechanisms::FourBar(), Context(kSteps), {{"L4", "0.68"}}));
    ASSERT_TRUE(run);
    const auto lines = Cells(sim::FormatCentresTable(*run, kSteps, kCycle));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kSteps) + 2);
    const std::vector<std::string> header{
        "sec",         "crank.icx",    "crank.icy",     "crank.omega",   "crank.alpha",
        "coupler.icx", "coupler.icy",  "coupler.omega", "coupler.alpha", "rocker.icx",
        "rocker.icy",  "rocker.omega", "rocker.alpha"};
    EXPECT_EQ(lines[0], header);
    // At rest at both ends of the cycle no link has a centre: the cells are empty.
    for (std::size_t c : {1, 2, 5, 6, 9, 10}) {
        EXPECT_EQ(lines[1][c], "");
        EXPECT_EQ(lines.back()[c], "");
    }
    for (int k : {7, 20, 33}) {
        SCOPED_TRACE(k);
        const auto& cells = lines[static_cast<std::size_t>(k) + 1];
        ASSERT_EQ(cells.size(), header.size());
        EXPECT_EQ(cells[0], numeric::FormatNumber(kCycle * k / kSteps));
        const auto links = run->movingLinks(k);
        ASSERT_EQ(links.size(), 3U);
        for (std::size_t l = 0; l < 3; ++l) {
            const auto centre = sim::InstantCentre(links[l]);
            ASSERT_TRUE(centre);
            EXPECT_EQ(Number(cells[1 + 4 * l]), centre->x);
            EXPECT_EQ(Number(cells[2 + 4 * l]), centre->y);
            EXPECT_EQ(Number(cells[3 + 4 * l]), links[l].omega);
            EXPECT_EQ(Number(cells[4 + 4 * l]), links[l].alpha);
        }
        // The crank turns about its pivot D = (L4, 0), the rocker about O = (0, 0).
        EXPECT_NEAR(*Number(cells[1]), 0.68, 1e-9);
        EXPECT_NEAR(*Number(cells[2]), 0, 1e-9);
        EXPECT_NEAR(*Number(cells[9]), 0, 1e-9);
        EXPECT_NEAR(*Number(cells[10]), 0, 1e-9);
    }

    const auto slider = RunOf(ComputeWith(mechanisms::SliderCrank(), Context(kSteps)));
    ASSERT_TRUE(slider);
    const auto sliderLines = Cells(sim::FormatCentresTable(*slider, kSteps, kCycle));
    ASSERT_EQ(sliderLines.size(), static_cast<std::size_t>(kSteps) + 2);
    EXPECT_EQ(sliderLines[0][9], "piston.icx");
    for (int k = 0; k <= kSteps; ++k) {
        const auto& cells = sliderLines[static_cast<std::size_t>(k) + 1];
        ASSERT_EQ(cells.size(), 13U);
        EXPECT_EQ(cells[9], "");
        EXPECT_EQ(cells[10], "");
        EXPECT_EQ(Number(cells[11]), 0.0);
    }
}

}
