#!/usr/bin/env python3
"""Derives the coefficients of the engines' single-precision exponential.

engine/single_exp.cpp evaluates 2^f on |f| <= 1/2 by the polynomial of degree 8 that
equals 2^f at the nine Chebyshev nodes of that interval. This script computes that
polynomial: the Vandermonde system of the nodes, solved in double precision by Gaussian
elimination with partial pivoting, in the order written below (the order of the
operations decides the last bits). It prints the coefficients exactly as they stand in
the source, and the polynomial's largest relative error against 2^f on a fine grid of
the interval.

The coefficients are part of the engines' definition: a change of their last bits may
change written values, so compare every engine output before committing new ones.
Standard library only: python3 scripts/derive_exp_coefficients.py
"""

import math

DEGREE = 8
HALF_WIDTH = 0.5


def chebyshev_nodes():
    count = DEGREE + 1
    return [HALF_WIDTH * math.cos((2 * k + 1) * math.pi / (2 * count)) for k in range(count)]


def solve(matrix, values):
    """Gaussian elimination with partial pivoting, then back substitution."""
    n = len(values)
    a = [row[:] for row in matrix]
    b = values[:]
    for k in range(n):
        pivot = max(range(k, n), key=lambda i: abs(a[i][k]))
        a[k], a[pivot] = a[pivot], a[k]
        b[k], b[pivot] = b[pivot], b[k]
        for i in range(k + 1, n):
            factor = a[i][k] / a[k][k]
            for j in range(k, n):
                a[i][j] -= factor * a[k][j]
            b[i] -= factor * b[k]
    x = [0.0] * n
    for i in reversed(range(n)):
        x[i] = (b[i] - sum(a[i][j] * x[j] for j in range(i + 1, n))) / a[i][i]
    return x


def polynomial(coefficients, f):
    return sum(c * f**j for j, c in enumerate(coefficients))


def main():
    nodes = chebyshev_nodes()
    coefficients = solve([[x**j for j in range(DEGREE + 1)] for x in nodes], [2.0**x for x in nodes])
    print("constexpr std::array<double, %d> kCoefficients = {" % (DEGREE + 1))
    for c in coefficients:
        print("    %r," % c)
    print("};")
    grid = [-HALF_WIDTH + k * (2 * HALF_WIDTH) / 100000 for k in range(100001)]
    error = max(abs(polynomial(coefficients, f) / 2.0**f - 1.0) for f in grid)
    print("// largest relative error on |f| <= 1/2: %.2g" % error)


if __name__ == "__main__":
    main()
