// Motion profiles: values at the ends and the middle, derivatives against central differences,
// and the driven value's units.
#include <gtest/gtest.h>

#include <cmath>

#include "numeric/constants.h"
#include "run/profiles.h"

namespace {

using sim::ProfileKind;
using sim::ProfileTriple;

struct ProfileRow {
    const char* name;
    ProfileKind kind;
    ProfileTriple atStart, atMiddle, atEnd;
};

const ProfileRow kProfiles[] = {
    {"quintic", ProfileKind::Quintic, {0, 0, 0}, {0.5, 1.875, 0}, {1, 0, 0}},
    {"cubic", ProfileKind::Cubic, {0, 0, 6}, {0.5, 1.5, 0}, {1, 0, -6}},
    {"linear", ProfileKind::Linear, {0, 1, 0}, {0.5, 1, 0}, {1, 1, 0}},
};

void ExpectTriple(const ProfileTriple& got, const ProfileTriple& want, const char* where)
{
    SCOPED_TRACE(where);
    EXPECT_DOUBLE_EQ(got.s, want.s);
    EXPECT_DOUBLE_EQ(got.ds, want.ds);
    EXPECT_NEAR(got.dds, want.dds, 1e-12);
}

TEST(Profiles, EndConditionsAndMiddle)
{
    for (const ProfileRow& row : kProfiles) {
        SCOPED_TRACE(row.name);
        ExpectTriple(sim::EvaluateProfile(row.kind, 0), row.atStart, "tau = 0");
        ExpectTriple(sim::EvaluateProfile(row.kind, 0.5), row.atMiddle, "tau = 0.5");
        ExpectTriple(sim::EvaluateProfile(row.kind, 1), row.atEnd, "tau = 1");
    }
}

// s' and s'' must be the derivatives of s: compared with central differences of s (and of
// s') over the whole interval, ends included.
TEST(Profiles, DerivativesMatchCentralDifferences)
{
    const double h = 1e-5;
    for (const ProfileRow& row : kProfiles) {
        SCOPED_TRACE(row.name);
        for (int k = 0; k <= 20; ++k) {
            const double t = k / 20.0;
            const ProfileTriple p = sim::EvaluateProfile(row.kind, t);
            const ProfileTriple before = sim::EvaluateProfile(row.kind, t - h);
            const ProfileTriple after = sim::EvaluateProfile(row.kind, t + h);
            EXPECT_NEAR(p.ds, (after.s - before.s) / (2 * h), 1e-8) << "tau " << t;
            EXPECT_NEAR(p.dds, (after.s - 2 * p.s + before.s) / (h * h), 1e-4) << "tau " << t;
            EXPECT_NEAR(p.dds, (after.ds - before.ds) / (2 * h), 1e-7) << "tau " << t;
        }
    }
}

TEST(Profiles, PositionRisesMonotonicallyFromZeroToOne)
{
    for (const ProfileRow& row : kProfiles) {
        SCOPED_TRACE(row.name);
        double previous = 0;
        for (int k = 1; k <= 200; ++k) {
            const double s = sim::EvaluateProfile(row.kind, k / 200.0).s;
            EXPECT_GT(s, previous);
            EXPECT_LE(s, 1.0);
            previous = s;
        }
    }
}

TEST(DriveValue, HalfTurnAtConstantVelocity)
{
    // 0 to 180 degrees in 10 s: pi / 10 rad/s at every step, no acceleration.
    for (int i = 0; i <= 200; ++i) {
        const auto q = sim::DriveValue(0, numeric::kPi, sim::LinearProfile(i / 200.0), 10);
        EXPECT_NEAR(q.value, numeric::kPi * i / 200.0, 1e-15);
        EXPECT_DOUBLE_EQ(q.rate, numeric::kPi / 10);
        EXPECT_EQ(q.accel, 0);
    }
}

TEST(DriveValue, EqualStartAndFinalStandStill)
{
    for (const ProfileRow& row : kProfiles) {
        SCOPED_TRACE(row.name);
        for (int k = 0; k <= 10; ++k) {
            const auto q = sim::DriveValue(0.7, 0.7, sim::EvaluateProfile(row.kind, k / 10.0), 10);
            EXPECT_EQ(q.value, 0.7);
            EXPECT_EQ(q.rate, 0);
            EXPECT_EQ(q.accel, 0);
        }
    }
}

// The time derivatives of q(t) = q(t / T) must follow from central differences in t, which
// checks the 1/T and 1/T^2 factors.
TEST(DriveValue, RatesArePerSecond)
{
    const double T = 4, qs = -1.2, qf = 2.5, h = 1e-5;
    for (const ProfileRow& row : kProfiles) {
        SCOPED_TRACE(row.name);
        auto at = [&](double t) {
            return sim::DriveValue(qs, qf, sim::EvaluateProfile(row.kind, t / T), T);
        };
        for (double t : {0.3, 1.0, 2.0, 3.7}) {
            const auto q = at(t);
            EXPECT_NEAR(q.rate, (at(t + h).value - at(t - h).value) / (2 * h), 1e-8);
            EXPECT_NEAR(q.accel, (at(t + h).rate - at(t - h).rate) / (2 * h), 1e-8);
        }
    }
}

}
