#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "front/puissances_dix.h"
#include "front/reel_en_texte.h"

namespace {

std::string texte(double x, char sep = '.')
{
    char t[32];
    std::size_t n = reel_en_texte(x, sep, t);
    EXPECT_EQ(n, std::strlen(t));
    EXPECT_LE(n, 25u);
    return t;
}

TEST(ReelEnTexte, Exemples)
{
    struct {
        double x;
        const char *attendu;
    } cas[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {0.512, "0.512000000000000011"},
        {1.023, "1.02299999999999991"},
        {0.1, "0.100000000000000006"},
        {0.001, "0.00100000000000000002"},
        {-777, "-777"},
        {2.5, "2.5"},
        {22, "22"},
        {1.1, "1.10000000000000009"},
        {0.0001, "0.000100000000000000005"},
        {0.00001, "1.00000000000000008E-5"},
        {0.000001, "9.99999999999999955E-7"},
        {999999999999999872.0, "999999999999999872"},
        {1e18, "1E18"},
        {12345678901234567890.0, "1.23456789012345672E19"},
        {-1.5e-7, "-1.49999999999999993E-7"},
        {static_cast<double>(0.512f), "0.512000024318695068"},
        {static_cast<double>(1.1f), "1.10000002384185791"},
        {static_cast<double>(0.999f), "0.999000012874603272"},  // ...271.5 then to even
        {1000, "1000"},
        {100000000000000000.0, "100000000000000000"},
        {-30792151.04, "-30792151.0399999991"},
        {HUGE_VAL, "INF"},
        {-HUGE_VAL, "-INF"},
        {NAN, "NAN"},
    };
    for (const auto &c : cas) EXPECT_EQ(texte(c.x), c.attendu) << c.x;
}

TEST(ReelEnTexte, SeparateurDeLaLocale)
{
    EXPECT_EQ(texte(0.512, ','), "0,512000000000000011");
    EXPECT_EQ(texte(0.00001, ','), "1,00000000000000008E-5");
    EXPECT_EQ(texte(22, ','), "22");
}

// Beyond the exact powers (below 10^-10, from 10^45 up) the digits depend on
// how the power is formed: one rounded product of two stored powers. Expected
// texts from an exact rational model of those roundings.
TEST(ReelEnTexte, PuissancesAuDelaDeDixPuissance27)
{
    struct {
        double x;
        const char *attendu;
    } cas[] = {
        {1e-300, "1.00000000000000002E-300"},
        {1.7976931348623157e308, "1.79769313486231571E308"},
        {5e-324, "4.94065645841246544E-324"},
        {2.2250738585072014e-308, "2.22507385850720138E-308"},
        {1e45, "9.9999999999999993E44"},
        {1e-10, "1.00000000000000004E-10"},
        {1e100, "1.00000000000000002E100"},
        {6.02214076e23, "6.02214075999999987E23"},
        {1.602176634e-19, "1.60217663399999989E-19"},
        {1e308, "1.00000000000000001E308"},
        {123456789e200, "1.23456788999999989E208"},
        {3.14159e-200, "3.14159000000000009E-200"},
        // Binary exponents where the start estimate is one above the true
        // decimal exponent.
        {std::ldexp(1.0, -877), "9.92416103329609568E-265"},
        {std::ldexp(1.0, -681), "9.96719495109756754E-206"},
    };
    for (const auto &c : cas) EXPECT_EQ(texte(c.x), c.attendu) << c.x;
}

// Exact 10^n rounded to a 64-bit significand, nearest, ties to even.
long double dix_puissance_exacte(unsigned n)
{
    std::vector<std::uint32_t> v = {1};  // little-endian limbs
    for (unsigned i = 0; i < n; ++i) {
        std::uint64_t retenue = 0;
        for (auto &l : v) {
            std::uint64_t t = std::uint64_t{l} * 10 + retenue;
            l = static_cast<std::uint32_t>(t);
            retenue = t >> 32;
        }
        if (retenue) v.push_back(static_cast<std::uint32_t>(retenue));
    }
    auto bit = [&](long i) { return i < 0 ? 0u : (v[static_cast<std::size_t>(i / 32)] >> (i % 32)) & 1u; };
    long longueur = 32 * static_cast<long>(v.size()) - __builtin_clz(v.back());
    std::uint64_t m = 0;
    for (long i = longueur - 1; i >= longueur - 64; --i) m = (m << 1) | bit(i);
    int decalage = static_cast<int>(longueur - 64);
    if (decalage > 0) {
        bool moitie = bit(decalage - 1);
        bool reste = false;
        for (long i = 0; i < decalage - 1; ++i) reste = reste || bit(i);
        if (moitie && (reste || (m & 1))) {
            if (++m == 0) {
                m = 1ull << 63;
                ++decalage;
            }
        }
    }
    return std::ldexp(static_cast<long double>(m), decalage);
}

TEST(PuissancesDix, TablesArrondiesUneFois)
{
    for (unsigned n = 0; n < 32; ++n) EXPECT_EQ(puissance_dix(n), dix_puissance_exacte(n)) << n;
    for (unsigned n = 32; n <= 4928; n += 32) EXPECT_EQ(puissance_dix(n), dix_puissance_exacte(n)) << n;
    EXPECT_TRUE(std::isfinite(puissance_dix(4932)));
    EXPECT_TRUE(std::isinf(puissance_dix(4933)));
    EXPECT_TRUE(std::isinf(puissance_dix(9000)));
}

TEST(PuissancesDix, ProduitAUneUniteDuDernierRangPres)
{
    for (unsigned n : {33u, 59u, 60u, 100u, 291u, 341u, 1000u, 4931u}) {
        long double exacte = dix_puissance_exacte(n);
        long double p = puissance_dix(n);
        EXPECT_LE(std::fabs(p - exacte), 1.01L * (std::nextafter(exacte, HUGE_VALL) - exacte)) << n;
    }
}

}  // namespace
