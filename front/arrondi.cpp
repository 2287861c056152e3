#include "front/arrondi.h"

#include <cmath>

#include "front/echec.h"

std::int64_t arrondir_64(long double x)
{
    long double r = __builtin_rintl(x);  // nearest, halves to even: the run's rounding mode
    // -2^63 is accepted, 2^63 refused; a NaN fails both tests.
    if (!(r >= -0x1p63L && r < 0x1p63L)) lever(genre_operation, message_operation);
    return static_cast<std::int64_t>(r);
}

std::int32_t arrondir_32(long double x)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(arrondir_64(x)));
}

float en_simple(double x)
{
    auto f = static_cast<float>(x);
    if (std::isinf(f) && !std::isinf(x)) lever(genre_debordement, message_debordement);
    return f;
}

double en_double(long double x)
{
    auto d = static_cast<double>(x);
    if (std::isinf(d) && !std::isinf(x)) lever(genre_debordement, message_debordement);
    return d;
}
