#include "reference_reel.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using u128 = unsigned __int128;

// An 80-bit extended value, positive: m * 2^q with the top bit of m set.
struct etendu {
    std::uint64_t m;
    int q;
};

int bits(u128 x)
{
    std::uint64_t haut = static_cast<std::uint64_t>(x >> 64);
    if (haut != 0) return 128 - __builtin_clzll(haut);
    std::uint64_t bas = static_cast<std::uint64_t>(x);
    return bas == 0 ? 0 : 64 - __builtin_clzll(bas);
}

// x * 2^q, plus a nonzero tail below x when collant, rounded to 64 bits,
// nearest, halves to even.
etendu arrondi64(u128 x, int q, bool collant)
{
    int l = bits(x);
    if (l <= 64) {
        // Exact: the caller never has a tail when the value already fits.
        return {static_cast<std::uint64_t>(x << (64 - l)), q - (64 - l)};
    }
    int d = l - 64;
    u128 m = x >> d;
    u128 reste = x & ((static_cast<u128>(1) << d) - 1);
    u128 moitie = static_cast<u128>(1) << (d - 1);
    // A tail below the bits kept makes an exact half a little more than half.
    if (reste > moitie || (reste == moitie && (collant || (m & 1)))) ++m;
    q += d;
    if (m >> 64) {
        m >>= 1;
        ++q;
    }
    return {static_cast<std::uint64_t>(m), q};
}

etendu produit(etendu a, etendu b)
{
    return arrondi64(static_cast<u128>(a.m) * b.m, a.q + b.q, false);
}

etendu quotient(etendu a, etendu b)
{
    // Long division giving 66 or 67 quotient bits, the remainder as the tail.
    u128 n = static_cast<u128>(a.m) << 64;
    u128 q1 = n / b.m;
    u128 r1 = n % b.m;
    u128 n2 = r1 << 2;
    u128 q = (q1 << 2) | (n2 / b.m);
    bool collant = n2 % b.m != 0;
    return arrondi64(q, a.q - 64 - b.q - 2, collant);
}

// To an integer, nearest, halves to even (values below 2^64 only).
std::uint64_t entier_pair(etendu v)
{
    if (v.q >= 0) return v.m << v.q;
    int d = -v.q;
    if (d > 64) return 0;
    u128 m = v.m;
    u128 e = m >> d;
    u128 reste = m & ((static_cast<u128>(1) << d) - 1);
    u128 moitie = static_cast<u128>(1) << (d - 1);
    if (reste > moitie || (reste == moitie && (e & 1))) ++e;
    return static_cast<std::uint64_t>(e);
}

// Little big integers, for the tables and the exact exponent test.
using grand = std::vector<std::uint32_t>;

void fois(grand &g, std::uint32_t f)
{
    std::uint64_t r = 0;
    for (auto &c : g) {
        std::uint64_t t = static_cast<std::uint64_t>(c) * f + r;
        c = static_cast<std::uint32_t>(t);
        r = t >> 32;
    }
    if (r) g.push_back(static_cast<std::uint32_t>(r));
}

void decaler(grand &g, int n)  // g * 2^n
{
    while (n >= 32) {
        g.insert(g.begin(), 0);
        n -= 32;
    }
    if (n > 0) {
        std::uint32_t r = 0;
        for (auto &c : g) {
            std::uint32_t t = (c << n) | r;
            r = c >> (32 - n);
            c = t;
        }
        if (r) g.push_back(r);
    }
}

int comparer(grand a, grand b)
{
    while (!a.empty() && a.back() == 0) a.pop_back();
    while (!b.empty() && b.back() == 0) b.pop_back();
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = a.size(); i-- > 0;)
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    return 0;
}

etendu arrondi_grand(const grand &g)
{
    // The top 128 bits and whether anything below them is nonzero.
    std::size_t n = g.size();
    while (n > 0 && g[n - 1] == 0) --n;
    if (n <= 4) {
        u128 x = 0;
        for (std::size_t i = n; i-- > 0;) x = (x << 32) | g[i];
        return arrondi64(x, 0, false);
    }
    u128 x = 0;
    for (std::size_t i = n; i-- > n - 4;) x = (x << 32) | g[i];
    bool collant = false;
    for (std::size_t i = 0; i < n - 4; ++i) collant |= g[i] != 0;
    // x has at least 97 bits, so the tail is strictly below its half-unit
    // bit: it can only break a tie, which arrondi64 takes care of.
    return arrondi64(x, static_cast<int>(32 * (n - 4)), collant);
}

struct tables {
    etendu unites[32];
    etendu paliers[12];  // up to 10^352: enough for every double
    tables()
    {
        grand g{1};
        for (int n = 0; n < 32 * 12; ++n) {
            if (n < 32) unites[n] = arrondi_grand(g);
            if (n % 32 == 0) paliers[n / 32] = arrondi_grand(g);
            fois(g, 10);
        }
    }
};

const tables &puissances()
{
    static const tables t;
    return t;
}

etendu dix(int n)
{
    const tables &t = puissances();
    if (n < 32) return t.unites[n];
    return produit(t.paliers[n / 32], t.unites[n % 32]);
}

// a < 10^j exactly, a = m * 2^q.
bool sous_puissance(std::uint64_t m, int q, int j)
{
    grand gauche{static_cast<std::uint32_t>(m), static_cast<std::uint32_t>(m >> 32)};
    grand droite{1};
    // m * 2^q  <  5^j * 2^j   with the powers moved to the side where they are positive.
    int deux = q - j;
    if (j >= 0)
        for (int i = 0; i < j; ++i) fois(droite, 5);
    else
        for (int i = 0; i < -j; ++i) fois(gauche, 5);
    if (deux >= 0)
        decaler(gauche, deux);
    else
        decaler(droite, -deux);
    return comparer(gauche, droite) < 0;
}

}  // namespace

std::string reference_reel(double x, char separateur)
{
    if (x == 0) return "0";
    if (std::isnan(x)) return "NAN";
    std::string t = std::signbit(x) ? "-" : "";
    if (std::isinf(x)) return t + "INF";

    std::uint64_t bitsx;
    double a = std::fabs(x);
    std::memcpy(&bitsx, &a, 8);
    int champ = static_cast<int>(bitsx >> 52);
    std::uint64_t m = bitsx & ((1ULL << 52) - 1);
    int q;
    if (champ == 0) {
        q = -1074;
    } else {
        m |= 1ULL << 52;
        q = champ - 1075;
    }
    int e = 63 - __builtin_clzll(m) + q;  // 2^e <= a < 2^(e+1)
    int E = ((e * 19728) >> 16) + 1;      // arithmetic shift: the floor
    // Lowered to the true exponent where that is smaller.
    // (log10 only spares the exact test where a is far above 10^(E-1).)
    if (std::log10(a) < E - 1 + 1e-6)
        while (sous_puissance(m, q, E - 1)) --E;

    int l = 64 - __builtin_clzll(m);
    etendu v{m << (64 - l), q - (64 - l)};
    int echelle = 18 - E;
    etendu s = echelle >= 0 ? produit(v, dix(echelle)) : quotient(v, dix(-echelle));
    std::uint64_t n = entier_pair(s);
    while (n >= 1000000000000000000ULL) {
        u128 x10 = static_cast<u128>(n) << 64;
        etendu d = arrondi64(x10 / 10, -64, x10 % 10 != 0);
        n = entier_pair(d);
        ++E;
    }

    if (n < 100000000000000000ULL) return "?fewer than 18 digits";
    char d[32];
    std::snprintf(d, sizeof d, "%018llu", static_cast<unsigned long long>(n));
    int k = 18;
    while (k > 1 && d[k - 1] == '0') --k;
    if (E >= 1 && E <= 18) {
        for (int i = 0; i < E; ++i) t += i < k ? d[i] : '0';
        if (k > E) {
            t += separateur;
            t.append(d + E, static_cast<std::size_t>(k - E));
        }
    } else if (E >= -3 && E <= 0) {
        t += '0';
        t += separateur;
        t.append(static_cast<std::size_t>(-E), '0');
        t.append(d, static_cast<std::size_t>(k));
    } else {
        t += d[0];
        if (k > 1) {
            t += separateur;
            t.append(d + 1, static_cast<std::size_t>(k - 1));
        }
        t += 'E';
        t += std::to_string(E - 1);
    }
    return t;
}
