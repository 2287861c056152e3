#include "front/reel_en_texte.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "front/puissances_dix.h"

namespace {

// Number of bits of m * 5^k, exactly (k up to 400 is plenty for a double).
int bits_produit_cinq(std::uint64_t m, int k)
{
    std::uint32_t chiffres[40] = {static_cast<std::uint32_t>(m), static_cast<std::uint32_t>(m >> 32)};
    int n = 2;
    while (k > 0) {
        int pas = k < 13 ? k : 13;  // 5^13 fits in 32 bits
        std::uint64_t facteur = 1;
        for (int i = 0; i < pas; ++i) facteur *= 5;
        std::uint64_t retenue = 0;
        for (int i = 0; i < n; ++i) {
            std::uint64_t t = chiffres[i] * facteur + retenue;
            chiffres[i] = static_cast<std::uint32_t>(t);
            retenue = t >> 32;
        }
        if (retenue != 0) chiffres[n++] = static_cast<std::uint32_t>(retenue);
        k -= pas;
    }
    while (n > 0 && chiffres[n - 1] == 0) --n;
    if (n == 0) return 0;
    return 32 * (n - 1) + (32 - __builtin_clz(chiffres[n - 1]));
}

// Whether a < 10^j exactly, for a finite a > 0 and j <= 0.
bool sous_puissance_negative(double a, int j)
{
    int q;
    double f = std::frexp(a, &q);                       // a = f * 2^q, 0.5 <= f < 1
    auto m = static_cast<std::uint64_t>(std::ldexp(f, 53));  // a = m * 2^(q-53)
    int k = -j;
    // a < 10^-k  <=>  m * 5^k * 2^(q-53+k) < 1  <=>  m * 5^k < 2^(53-q-k)
    return bits_produit_cinq(m, k) <= 53 - q - k;
}

}  // namespace

std::size_t reel_en_texte(double x, char separateur, char *tampon)
{
    std::size_t n = 0;
    auto finir = [&](const char *s) {
        std::size_t l = std::strlen(s);
        std::memcpy(tampon + n, s, l + 1);
        return n + l;
    };
    if (x == 0) return finir("0");
    if (std::isnan(x)) return finir("NAN");
    if (std::signbit(x)) tampon[n++] = '-';
    if (std::isinf(x)) return finir("INF");

    double a = std::fabs(x);
    int e = std::ilogb(a);
    // 19728 / 65536 stands for log10 2: the start is the true exponent or one
    // below it, except for some negative e where it can be one above, and
    // then the true exponent is taken.
    int exposant = static_cast<int>(std::floor(e * 19728.0 / 65536.0)) + 1;
    if (e < 0 && sous_puissance_negative(a, exposant - 1)) --exposant;

    long double s = a;
    int echelle = 18 - exposant;
    if (echelle >= 0)
        s = s * puissance_dix(static_cast<unsigned>(echelle));
    else
        s = s / puissance_dix(static_cast<unsigned>(-echelle));
    s = __builtin_rintl(s);
    // Once in practice; a second time only if a value so close below a power
    // of ten that both roundings carry would leave 19 digits.
    while (s >= 1e18L) {
        s = __builtin_rintl(s / 10.0L);
        ++exposant;
    }

    auto entier = static_cast<std::uint64_t>(s);
    char d[18];
    for (int i = 17; i >= 0; --i) {
        d[i] = static_cast<char>('0' + entier % 10);
        entier /= 10;
    }
    int k = 18;
    while (k > 1 && d[k - 1] == '0') --k;

    if (exposant >= 1 && exposant <= 18) {
        for (int i = 0; i < exposant; ++i) tampon[n++] = i < k ? d[i] : '0';
        if (k > exposant) {
            tampon[n++] = separateur;
            for (int i = exposant; i < k; ++i) tampon[n++] = d[i];
        }
    } else if (exposant >= -3 && exposant <= 0) {
        tampon[n++] = '0';
        tampon[n++] = separateur;
        for (int i = 0; i < -exposant; ++i) tampon[n++] = '0';
        for (int i = 0; i < k; ++i) tampon[n++] = d[i];
    } else {
        tampon[n++] = d[0];
        if (k > 1) {
            tampon[n++] = separateur;
            for (int i = 1; i < k; ++i) tampon[n++] = d[i];
        }
        tampon[n++] = 'E';
        int p = exposant - 1;
        if (p < 0) tampon[n++] = '-';
        int m = p < 0 ? -p : p;
        char c[6];
        int l = 0;
        do {
            c[l++] = static_cast<char>('0' + m % 10);
            m /= 10;
        } while (m != 0);
        while (l > 0) tampon[n++] = c[--l];
    }
    tampon[n] = '\0';
    return n;
}
