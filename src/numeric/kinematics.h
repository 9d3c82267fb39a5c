// Value types of planar kinematics: a moving point and a moving scalar (angle or length).
#pragma once

namespace numeric {

// A moving point: position, velocity and acceleration of x, then of y (length, /s, /s^2).
struct PointKinematics {
    double x = 0, vx = 0, ax = 0;
    double y = 0, vy = 0, ay = 0;

    static constexpr PointKinematics AtRest(double x, double y) { return {x, 0, 0, y, 0, 0}; }
    friend bool operator==(const PointKinematics&, const PointKinematics&) = default;
};

// A moving scalar with its first and second time derivative (for angles rad, rad/s, rad/s^2).
struct ValueTriple {
    double value = 0, rate = 0, accel = 0;
    friend bool operator==(const ValueTriple&, const ValueTriple&) = default;
};

}
