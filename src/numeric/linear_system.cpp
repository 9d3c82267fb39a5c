// Gauss-Jordan elimination: the first non-zero pivot in cyclic row order, no tolerance.
#include "numeric/linear_system.h"

#include <cmath>

namespace numeric {

Matrix MakeMatrix(int n)
{
    return Matrix(n + 1, Vector(n + 1, 0.0));
}

Vector MakeVector(int n)
{
    return Vector(n + 1, 0.0);
}

namespace {

void CopyMatrix(int n, const Matrix& source, Matrix& target)
{
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            target[i][j] = source[i][j];
}

void ZeroMatrix(int n, Matrix& m)
{
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            m[i][j] = 0;
}

void IdentityMatrix(int n, Matrix& m)
{
    ZeroMatrix(n, m);
    for (int i = 1; i <= n; ++i)
        m[i][i] = 1;
}

void MoveRowToBottom(int n, Matrix& w, Vector& v, Matrix& inv, int k)
{
    // s holds the row of w and, at n + 1, the right-hand side element; u the row of inv.
    Vector s(n + 2, 0.0);
    Vector u(n + 1, 0.0);
    for (int j = 1; j <= n; ++j) {
        s[j] = w[k][j];
        u[j] = inv[k][j];
    }
    s[n + 1] = v[k];
    for (int r = k; r <= n - 1; ++r) {
        for (int j = 1; j <= n; ++j) {
            w[r][j] = w[r + 1][j];
            inv[r][j] = inv[r + 1][j];
        }
        v[r] = v[r + 1];
    }
    for (int j = 1; j <= n; ++j) {
        w[n][j] = s[j];
        inv[n][j] = u[j];
    }
    v[n] = s[n + 1];
}

void NormalizePivotRow(int n, Matrix& w, Vector& v, Matrix& inv, int k)
{
    const double p = w[k][k];
    v[k] = v[k] / p;
    for (int j = 1; j <= n; ++j) {
        w[k][j] = w[k][j] / p;
        inv[k][j] = inv[k][j] / p;
    }
}

void EliminateColumn(int n, Matrix& w, Vector& v, Matrix& inv, int k)
{
    for (int i = 1; i <= n; ++i) {
        if (i == k)
            continue;
        const double f = w[i][k];
        v[i] = v[i] - f * v[k];
        for (int j = 1; j <= n; ++j) {
            w[i][j] = w[i][j] - f * w[k][j];
            inv[i][j] = inv[i][j] - f * inv[k][j];
        }
    }
}

bool RowsFinite(int n, const Matrix& m, const Vector& v)
{
    for (int i = 1; i <= n; ++i) {
        if (!std::isfinite(v[i]))
            return false;
        for (int j = 1; j <= n; ++j)
            if (!std::isfinite(m[i][j]))
                return false;
    }
    return true;
}

}

Status SolveLinearSystem(int n, const Matrix& a, Vector& v, Matrix& inv)
{
    // Non-finite coefficients cannot give a meaningful solution: refuse before touching v, inv.
    if (!RowsFinite(n, a, v))
        return Status::Error;

    Matrix w = MakeMatrix(n);
    CopyMatrix(n, a, w);
    IdentityMatrix(n, inv);
    for (int k = 1; k <= n; ++k) {
        // Each rotation brings the next remaining row to position k; after n - k of them
        // every candidate has been tried once.
        int t = 0;
        while (w[k][k] == 0) {
            ++t;
            if (t > n - k)
                return Status::Error;
            MoveRowToBottom(n, w, v, inv, k);
        }
        NormalizePivotRow(n, w, v, inv, k);
        EliminateColumn(n, w, v, inv, k);
        // A tiny pivot is accepted, but an overflow to infinity must not pass as a solution.
        if (!RowsFinite(n, w, v) || !RowsFinite(n, inv, v))
            return Status::Error;
    }
    return Status::Ok;
}

}
