// reel_en_texte, digit for digit, against the exact reference. Each input
// gives a few doubles (its bytes as they are, moved into the range where the
// powers of ten are exact, and as single-precision values widened), and each
// is tried with its neighbours, so that one input checks many values.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "front/reel_en_texte.h"
#include "reference_reel.h"

namespace {

unsigned long long accords = 0;

struct bilan {
    ~bilan() { std::fprintf(stderr, "reel_en_texte: %llu values agreed with the reference\n", accords); }
} bilan_final;

void comparer(double x, char sep)
{
    char t[32];
    std::memset(t, 0x55, sizeof t);
    std::size_t n = reel_en_texte(x, sep, t);
    std::string attendu = reference_reel(x, sep);
    if (n > 25 || t[n] != '\0' || std::string(t, n) != attendu) {
        std::fprintf(stderr, "reel_en_texte(%a = %.17g): [%.*s] (length %zu), reference [%s]\n", x, x,
                     static_cast<int>(n < 31 ? n : 31), t, n, attendu.c_str());
        std::abort();
    }
    ++accords;
}

void autour(double x, char sep, int pas)
{
    comparer(x, sep);
    double haut = x, bas = x;
    for (int i = 0; i < pas; ++i) {
        haut = std::nextafter(haut, INFINITY);
        bas = std::nextafter(bas, -INFINITY);
        comparer(haut, sep);
        comparer(bas, sep);
    }
}

void autour_simple(float f, char sep, int pas)
{
    comparer(static_cast<double>(f), sep);
    float haut = f, bas = f;
    for (int i = 0; i < pas; ++i) {
        haut = std::nextafter(haut, INFINITY);
        bas = std::nextafter(bas, -INFINITY);
        comparer(static_cast<double>(haut), sep);
        comparer(static_cast<double>(bas), sep);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    if (taille < 1) return 0;
    char sep = donnees[0] & 1 ? ',' : '.';
    ++donnees;
    --taille;
    for (; taille >= 8; donnees += 8, taille -= 8) {
        std::uint64_t b;
        std::memcpy(&b, donnees, 8);
        double brut;
        std::memcpy(&brut, &b, 8);
        autour(brut, sep, 4);

        // The same significand, with a binary exponent from 2^-30 to 2^149:
        // 10^-9 to 10^45, where every scaling power is exact or one rounding.
        int e = -30 + static_cast<int>((b >> 52) % 180);
        double dedans = std::ldexp(1.0 + static_cast<double>(b & ((1ULL << 52) - 1)) * 0x1p-52, e);
        if (b >> 63) dedans = -dedans;
        autour(dedans, sep, 16);

        // Both halves as single-precision values, widened.
        float f1, f2;
        std::memcpy(&f1, donnees, 4);
        std::memcpy(&f2, donnees + 4, 4);
        autour_simple(f1, sep, 8);
        autour_simple(f2, sep, 8);
    }
    return 0;
}
