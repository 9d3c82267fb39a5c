// What a four-bar's lengths and poses tell beyond its motion: its Grashof class and its
// transmission angle.
#pragma once

#include <string>

#include "plot/scaling.h"

namespace mechanisms {

enum class GrashofClass {
    CrankRocker,    // s + l < p + q, the crank or the rocker shortest: one of them turns fully
    DoubleCrank,    // s + l < p + q, the ground shortest: crank and rocker both turn fully
    DoubleRocker,   // s + l < p + q with the coupler shortest, or s + l > p + q: no link turns
    ChangePoint,    // s + l = p + q: the links line up at some pose and the motion may branch
};

// The class from the crank, coupler, rocker and ground lengths (s shortest, l longest, p and q
// the others); s + l = p + q within rounding counts as a change point.
GrashofClass ClassifyGrashof(double crank, double coupler, double rocker, double ground);

// The class's name in Japanese, e.g. "てこクランク機構".
std::string GrashofName(GrashofClass grashof);

// The transmission angle at the coupler-rocker joint P between the coupler P->B and the
// rocker P->O, radians in [0, pi]; 0 where P coincides with B or O.
double TransmissionAngle(plot::WorldPoint crankTip, plot::WorldPoint rockerTip,
                         plot::WorldPoint rockerPivot);

// The smallest and largest of a cycle's values and the first steps where they occur, taken
// step by step so that a run streamed a block at a time knows them too.
struct Extremes {
    double min = 0, max = 0;
    int minStep = 0, maxStep = 0;
    int steps = 0;   // values taken so far

    void take(double value)
    {
        if (steps == 0 || value < min) {
            min = value;
            minStep = steps;
        }
        if (steps == 0 || value > max) {
            max = value;
            maxStep = steps;
        }
        ++steps;
    }
};

}
