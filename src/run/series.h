// Per-step series of a run: element i belongs to time T * i / N.
#pragma once

#include <cstddef>
#include <tuple>
#include <utility>
#include <vector>

#include "numeric/kinematics.h"
#include "plot/scaling.h"
#include "run/large_block_allocator.h"

namespace sim {

using Series = std::vector<double, LargeBlockAllocator<double>>;

// A value triple as three series (value, velocity, acceleration).
struct TripleSeries {
    Series value, rate, accel;

    void resize(std::size_t n)
    {
        value.assign(n, 0.0);
        rate.assign(n, 0.0);
        accel.assign(n, 0.0);
    }
    void store(std::size_t i, const numeric::ValueTriple& v)
    {
        value[i] = v.value;
        rate[i] = v.rate;
        accel[i] = v.accel;
    }
    numeric::ValueTriple at(std::size_t i) const { return {value[i], rate[i], accel[i]}; }
    template <typename Visit> void forEach(Visit&& visit)
    {
        for (Series* s : {&value, &rate, &accel})
            visit(*s);
    }
};

// A point triple set: six series in the order x, dx, ddx, y, dy, ddy.
struct PointSeries {
    Series x, vx, ax, y, vy, ay;

    void resize(std::size_t n)
    {
        for (Series* s : {&x, &vx, &ax, &y, &vy, &ay})
            s->assign(n, 0.0);
    }
    void store(std::size_t i, const numeric::PointKinematics& p)
    {
        x[i] = p.x;
        vx[i] = p.vx;
        ax[i] = p.ax;
        y[i] = p.y;
        vy[i] = p.vy;
        ay[i] = p.ay;
    }
    numeric::PointKinematics at(std::size_t i) const
    {
        return {x[i], vx[i], ax[i], y[i], vy[i], ay[i]};
    }
    plot::WorldPoint position(std::size_t i) const { return {x[i], y[i]}; }
    template <typename Visit> void forEach(Visit&& visit)
    {
        for (Series* s : {&x, &vx, &ax, &y, &vy, &ay})
            visit(*s);
    }
};

// The series a run keeps of its pose, declared once: `series` is a run's std::tie of its
// TripleSeries and PointSeries members, in the order its pose's values() lists the values.
template <typename... Kept> void ResizeSeries(std::tuple<Kept&...> series, std::size_t n)
{
    std::apply([n](auto&... s) { (s.resize(n), ...); }, series);
}

// Stores the pose values `values` (ValueTriple and PointKinematics, as a pose's values() ties
// them) into row `i` of the matching series.
template <typename... Kept, typename... Values>
void StoreSeries(std::tuple<Kept&...> series, std::size_t i, const std::tuple<Values&...>& values)
{
    static_assert(sizeof...(Kept) == sizeof...(Values),
                  "a run keeps one series for each value of its pose");
    [&]<std::size_t... k>(std::index_sequence<k...>)
    {
        (std::get<k>(series).store(i, std::get<k>(values)), ...);
    }
    (std::index_sequence_for<Kept...>{});
}

}
