#include "front/decimal.h"

std::size_t entier_en_texte(std::int64_t v, char *tampon)
{
    // Unsigned magnitude so that the most negative value needs no special case.
    std::uint64_t m = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    char chiffres[20];
    std::size_t n = 0;
    do {
        chiffres[n++] = static_cast<char>('0' + m % 10);
        m /= 10;
    } while (m != 0);
    std::size_t l = 0;
    if (v < 0) tampon[l++] = '-';
    while (n > 0) tampon[l++] = chiffres[--n];
    return l;
}
