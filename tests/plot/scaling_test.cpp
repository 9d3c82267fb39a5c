// Axis scaling: full scales rounded to one digit, 1-2-5 ranges, the fitted world window and a
// drawing scale that is always finite and positive.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "plot/scaling.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

TEST(AbsMaxScale, RoundsTheMaximumUpToOneDigit)
{
    struct Row {
        std::vector<double> a;
        double fullScale, unit;
    } rows[] = {
        {{0, -3.7, 2}, 4, 1}, {{0, 0, 0}, 1, 1},       {{0.0123, 0.0123}, 0.02, 0.01},
        {{41, -12}, 50, 10},  {{-0.5, 0.2}, 0.5, 0.1}, {{123456, 1}, 200000, 100000},
    };
    for (const Row& row : rows) {
        double f = 0, u = 0;
        plot::AbsMaxScale(static_cast<int>(row.a.size()) - 1, row.a, f, u);
        EXPECT_DOUBLE_EQ(f, row.fullScale) << row.a[0];
        EXPECT_DOUBLE_EQ(u, row.unit) << row.a[0];
    }
}

TEST(AbsMaxScale, StartsFromTheGivenFullScale)
{
    const std::vector<double> a = {1, 2};
    double f = 7, u = 0;
    plot::AbsMaxScale(1, a, f, u);
    EXPECT_EQ(f, 7);
    EXPECT_EQ(u, 1);
}

// Whatever the series holds, the full scale comes back finite and positive, and every finite
// value lies within it.
TEST(AbsMaxScale, NonFiniteAndExtremeValuesGiveAFiniteScale)
{
    const std::vector<std::vector<double>> rows = {
        {kNaN, 3.7},
        {kInf, -kInf, 2},
        {kNaN, kNaN},
        {1.7e308, 1},
        {std::numeric_limits<double>::denorm_min(), 0},
        {1e-320},
    };
    for (const auto& a : rows) {
        double f = 0, u = 0;
        plot::AbsMaxScale(static_cast<int>(a.size()) - 1, a, f, u);
        EXPECT_TRUE(std::isfinite(f) && f > 0) << f;
        EXPECT_TRUE(std::isfinite(u) && u > 0) << u;
        for (double v : a) {
            if (std::isfinite(v)) {
                EXPECT_LE(std::abs(v), f);
            }
        }
    }
}

struct RangeRow {
    const char* name;
    std::vector<double> a;
    double lower, upper, step;
};

TEST(RangeScale, OneTwoFiveStepsAndOutwardBounds)
{
    const RangeRow rows[] = {
        {"-30..24.4", {-30, 3, 24.4}, -30, 30, 10},
        {"-10..28.56", {28.56, -10}, -10, 30, 5},
        {"r = 1.5", {1.5}, 0, 1.6, 0.2},
        {"r = 3", {3}, 0, 3, 0.5},
        {"r = 7", {-7}, -7, 0, 1},
        {"all zero", {0, 0}, 0, 0, 1},
        {"fractional", {0.13, 0.57}, 0, 0.6, 0.1},
    };
    for (const RangeRow& row : rows) {
        SCOPED_TRACE(row.name);
        double m = 0, M = 0, step = 0;
        plot::RangeScale(static_cast<int>(row.a.size()) - 1, row.a, m, M, step);
        EXPECT_NEAR(step, row.step, 1e-12);
        EXPECT_NEAR(m, row.lower, 1e-12);
        EXPECT_NEAR(M, row.upper, 1e-12);
    }
}

// The fitted range covers every value, its bounds are multiples of the step, and the step
// cuts the values' span into 4 to 10 intervals (the outward bounds add at most two).
TEST(RangeScale, CoversTheValuesWithFewIntervals)
{
    for (double lo : {-523.1, -0.04, 0.0, 3.3}) {
        for (double span : {0.007, 0.9, 1.0, 2.5, 49.0, 1000.0, 12345.0}) {
            const std::vector<double> a = {lo, lo + span};
            double m = lo, M = lo, step = 0;
            plot::RangeScale(1, a, m, M, step);
            EXPECT_LE(m, lo);
            EXPECT_GE(M, lo + span);
            EXPECT_NEAR(m / step, std::round(m / step), 1e-9);
            EXPECT_NEAR(M / step, std::round(M / step), 1e-9);
            EXPECT_LT((M - m) / step, 12.0) << lo << " " << span;
            EXPECT_GE(span / step, 4.0 - 1e-9) << lo << " " << span;
            EXPECT_LE(span / step, 10.0 + 1e-9) << lo << " " << span;
        }
    }
}

TEST(RangeScale, CountZeroTakesOneValue)
{
    const double value = 24.4;
    double m1 = -30, M1 = -30, s1 = 0;
    plot::RangeScale(0, std::span<const double>(&value, 1), m1, M1, s1);
    const std::vector<double> one = {24.4, 24.4};
    double m2 = -30, M2 = -30, s2 = 0;
    plot::RangeScale(1, one, m2, M2, s2);
    EXPECT_EQ(m1, m2);
    EXPECT_EQ(M1, M2);
    EXPECT_EQ(s1, s2);
    EXPECT_EQ(M1, 30);
}

TEST(RangeScale, NonFiniteInputsGiveFiniteBounds)
{
    struct Row {
        const char* name;
        std::vector<double> a;
        double lower, upper;
    } rows[] = {
        {"NaN value", {kNaN, 24.4, -30}, 0, 0},
        {"infinite values", {kInf, -kInf, 3}, 0, 0},
        {"only NaN", {kNaN}, 0, 0},
        {"NaN bounds", {3, 7}, kNaN, kNaN},
        {"infinite bounds", {3, 7}, -kInf, kInf},
        {"huge span", {-1.7e308, 1.7e308}, 0, 0},
        {"denormal span", {0, std::numeric_limits<double>::denorm_min()}, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        double m = row.lower, M = row.upper, step = 0;
        plot::RangeScale(static_cast<int>(row.a.size()) - 1, row.a, m, M, step);
        EXPECT_TRUE(std::isfinite(m) && std::isfinite(M)) << m << " " << M;
        EXPECT_TRUE(std::isfinite(step) && step > 0) << step;
        EXPECT_LE(m, M);
        for (double v : row.a) {
            if (std::isfinite(v)) {
                EXPECT_LE(m, v);
                EXPECT_GE(M, v);
            }
        }
    }
}

// Fitting two paths in turn widens the window over both; the last call's steps are kept.
TEST(FitWorldWindow, WidensOverEveryPath)
{
    const std::vector<double> ax = {0, 12}, ay = {0, 3};
    const std::vector<double> bx = {-30, 24.4}, by = {-10, 28.56};
    plot::WorldWindow w = plot::WorldWindow::AtPoint(0, 0);
    plot::FitWorldWindow(1, ax, ay, w);
    EXPECT_EQ(w.xmax, 12);
    EXPECT_EQ(w.xstep, 2);
    plot::FitWorldWindow(1, bx, by, w);
    EXPECT_EQ(w.xmin, -30);
    EXPECT_EQ(w.xmax, 30);
    EXPECT_EQ(w.xstep, 10);
    EXPECT_EQ(w.ymin, -10);
    EXPECT_EQ(w.ymax, 30);
    EXPECT_EQ(w.ystep, 5);

    plot::WorldWindow p = plot::WorldWindow::AtPoint(0, 0);
    plot::FitWorldWindow(-7.5, 2, p);
    EXPECT_EQ(p.xmin, -8);
    EXPECT_EQ(p.xmax, 0);
    EXPECT_EQ(p.ymax, 2);
}

TEST(DrawingScale, SmallerOfTheTwoRatios)
{
    plot::WorldWindow w{-30, 30, -10, 30, 10, 5, 1};
    EXPECT_DOUBLE_EQ(plot::DrawingScale(140, 100, w), 2);    // 120 / 60 against 88 / 40
    EXPECT_DOUBLE_EQ(plot::DrawingScale(200, 72, w), 1.5);   // 180 / 60 against 60 / 40
}

// The scale stays finite and positive for degenerate windows and pictures.
TEST(DrawingScale, DegenerateWindows)
{
    struct Row {
        const char* name;
        plot::WorldWindow w;
        double width, height, scale;
    } rows[] = {
        {"zero width uses the height", {5, 5, -10, 30, 1, 5, 1}, 140, 100, 2.2},
        {"zero height uses the width", {-30, 30, 7, 7, 10, 1, 1}, 140, 100, 2},
        {"single point: 1 mm per unit", {5, 5, 7, 7, 1, 1, 1}, 140, 100, 1},
        {"picture narrower than the margin", {0, 10, 0, 10, 2, 2, 1}, 15, 100, 8.8},
        {"picture smaller than both margins", {0, 10, 0, 10, 2, 2, 1}, 15, 10, 1},
        {"NaN window", {kNaN, kNaN, kNaN, kNaN, 1, 1, 1}, 140, 100, 1},
        {"infinite extent", {-kInf, kInf, 0, 10, 1, 1, 1}, 140, 100, 8.8},
        {"denormal extent",
         {0, std::numeric_limits<double>::denorm_min(), 0, 40, 1, 1, 1},
         140,
         100,
         2.2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const double scale = plot::DrawingScale(row.width, row.height, row.w);
        EXPECT_DOUBLE_EQ(scale, row.scale);
    }
}

}
