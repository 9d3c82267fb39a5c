// Gauss-Jordan elimination with cyclic row rotation for zero pivots; yields the solution
// and the inverse. Matrices and vectors use indices 1..n; index 0 exists and is ignored.
#pragma once

#include <vector>

#include "numeric/status.h"

namespace numeric {

using Vector = std::vector<double>;   // size >= n + 1
using Matrix = std::vector<Vector>;   // (row, column), each size >= n + 1

Matrix MakeMatrix(int n);   // zeroed (n + 1) x (n + 1)
Vector MakeVector(int n);   // zeroed n + 1

// Solves a x = v in place (v becomes x) and fills inv with a^-1. On Error it stops where the
// pivot search failed: v and inv keep the partly transformed values; a is never changed.
Status SolveLinearSystem(int n, const Matrix& a, Vector& v, Matrix& inv);

}
