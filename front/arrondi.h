#pragma once

#include <cstdint>

// The rounding rule of channels, values and output codes: to the nearest
// integer, an exact half to the even neighbour, as a signed 64-bit integer;
// outside that range "EInvalidOp".
std::int64_t arrondir_64(long double x);

// The same, then the low 32 bits read in two's complement.
std::int32_t arrondir_32(long double x);

// To single precision, nearest, ties to even; "EOverflow" when the nearest
// single would exceed the largest finite one.
float en_simple(double x);

// A converted argument stored as a double; "EOverflow" beyond the largest
// finite double, 0 or a subnormal below the smallest.
double en_double(long double x);
