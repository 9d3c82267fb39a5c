// Gauss-Jordan solver: known solutions and inverses, the cyclic pivot search, failure that
// stops in place and never touches the coefficient matrix.
#include <gtest/gtest.h>
#include <limits>
#include <vector>

#include "numeric/linear_system.h"

using namespace numeric;

namespace {

Matrix FromRows(const std::vector<std::vector<double>>& rows)
{
    const int n = static_cast<int>(rows.size());
    Matrix m = MakeMatrix(n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            m[i][j] = rows[i - 1][j - 1];
    return m;
}

Vector FromValues(const std::vector<double>& values)
{
    Vector v = MakeVector(static_cast<int>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        v[i + 1] = values[i];
    return v;
}

}

TEST(LinearSystem, SolvesAndInverts)
{
    struct Row {
        const char* name;
        std::vector<std::vector<double>> a;
        std::vector<double> v, x;
    };
    const Row rows[] = {
        {"plain 2x2", {{1, 2}, {3, 1}}, {1, 1}, {0.2, 0.4}},
        {"zero first pivot, one rotation", {{0, 1}, {1, 0}}, {5, 7}, {7, 5}},
        {"1x1", {{4}}, {2}, {0.5}},
        {"3x3 needing two rotations", {{0, 0, 1}, {0, 2, 0}, {3, 0, 0}}, {1, 4, 9}, {3, 2, 1}},
        {"3x3 dense", {{2, 1, -1}, {-3, -1, 2}, {-2, 1, 2}}, {8, -11, -3}, {2, 3, -1}},
    };
    for (const Row& r : rows) {
        const int n = static_cast<int>(r.a.size());
        const Matrix a = FromRows(r.a);
        Vector v = FromValues(r.v);
        Matrix inv = MakeMatrix(n);
        ASSERT_EQ(SolveLinearSystem(n, a, v, inv), Status::Ok) << r.name;
        for (int i = 1; i <= n; ++i)
            EXPECT_NEAR(v[i], r.x[i - 1], 1e-12) << r.name << " x" << i;
        // inv must be the inverse of a: a * inv = identity.
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                double sum = 0;
                for (int k = 1; k <= n; ++k)
                    sum += a[i][k] * inv[k][j];
                EXPECT_NEAR(sum, i == j ? 1 : 0, 1e-12) << r.name << " (" << i << "," << j << ")";
            }
    }
}

TEST(LinearSystem, KnownInverse)
{
    const Matrix a = FromRows({{1, 2}, {3, 1}});
    Vector v = FromValues({1, 1});
    Matrix inv = MakeMatrix(2);
    ASSERT_EQ(SolveLinearSystem(2, a, v, inv), Status::Ok);
    EXPECT_NEAR(inv[1][1], -0.2, 1e-15);
    EXPECT_NEAR(inv[1][2], 0.4, 1e-15);
    EXPECT_NEAR(inv[2][1], 0.6, 1e-15);
    EXPECT_NEAR(inv[2][2], -0.2, 1e-15);
}

TEST(LinearSystem, SingularStopsWhereThePivotSearchFails)
{
    const Matrix a = FromRows({{1, 2}, {2, 4}});
    const Matrix original = a;
    Vector v = FromValues({1, 1});
    Matrix inv = MakeMatrix(2);
    EXPECT_EQ(SolveLinearSystem(2, a, v, inv), Status::Error);
    EXPECT_EQ(a, original);
    // Column 1 was eliminated before column 2 failed: v = (1, 1 - 2 * 1), inv row 2 = (-2, 1).
    EXPECT_EQ(v[1], 1.0);
    EXPECT_EQ(v[2], -1.0);
    EXPECT_EQ(inv[2][1], -2.0);
    EXPECT_EQ(inv[2][2], 1.0);
}

TEST(LinearSystem, ZeroOneByOneFailsWithoutRotation)
{
    const Matrix a = FromRows({{0}});
    Vector v = FromValues({3});
    Matrix inv = MakeMatrix(1);
    EXPECT_EQ(SolveLinearSystem(1, a, v, inv), Status::Error);
    EXPECT_EQ(v[1], 3.0);
    EXPECT_EQ(inv[1][1], 1.0);
}

TEST(LinearSystem, ZeroColumnIsErrorAfterTryingEveryRow)
{
    const Matrix a = FromRows({{0, 1, 2}, {0, 3, 4}, {0, 5, 7}});
    const Matrix original = a;
    Vector v = FromValues({1, 2, 3});
    Matrix inv = MakeMatrix(3);
    EXPECT_EQ(SolveLinearSystem(3, a, v, inv), Status::Error);
    EXPECT_EQ(a, original);
    // Two rotations brought rows 2 and 3 to the top in turn; the third attempt gives up.
    EXPECT_EQ(v[1], 3.0);
    EXPECT_EQ(v[2], 1.0);
    EXPECT_EQ(v[3], 2.0);
    EXPECT_EQ(inv[1][3], 1.0);
}

TEST(LinearSystem, OverflowAndNonFiniteInputAreNotOk)
{
    // Regression: a tiny accepted pivot next to a huge entry overflowed to infinity and the
    // solver still said "ok".
    const Matrix a = FromRows({{1e-300, 1e300}, {1, 1}});
    Vector v = FromValues({1, 1});
    Matrix inv = MakeMatrix(2);
    EXPECT_EQ(SolveLinearSystem(2, a, v, inv), Status::Error);

    const Matrix b = FromRows({{1, std::numeric_limits<double>::quiet_NaN()}, {0, 1}});
    Vector w = FromValues({1, 1});
    EXPECT_EQ(SolveLinearSystem(2, b, w, inv), Status::Error);
    EXPECT_EQ(w[1], 1.0);
}
