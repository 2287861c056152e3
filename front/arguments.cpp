#include "front/arguments.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "front/arrondi.h"
#include "front/echec.h"
#include "front/puissances_dix.h"

namespace {
constexpr std::size_t longueur_maximale = 4096;
}

int decouper_parametres(int argc, char **argv, parametre parametres[3])
{
    int nombre = 0;
    for (int i = 1; i < argc && nombre < 3; ++i) {
        const char *a = argv[i];
        std::size_t reste = 0;
        while (a[reste] != '\0') ++reste;
        while (reste > 0 && nombre < 3) {
            std::size_t l = reste < longueur_maximale ? reste : longueur_maximale;
            parametres[nombre++] = {a, l};
            a += l;
            reste -= l;
        }
    }
    return nombre;
}

bool lire_nombre(const char *texte, std::size_t longueur, char separateur, long double &valeur)
{
    std::size_t i = 0;
    auto voir = [&]() -> int { return i < longueur ? static_cast<unsigned char>(texte[i]) : -1; };
    auto chiffre = [&]() { int c = voir(); return c >= '0' && c <= '9'; };

    while (voir() == ' ') ++i;
    bool negatif = false;
    if (voir() == '+' || voir() == '-') negatif = texte[i++] == '-';

    // Integer and fraction digits as one decimal integer, each step rounded
    // to the 64-bit significand.
    long double entier = 0;
    bool quelque_chose = false;
    int decimales = 0;
    while (chiffre()) {
        entier = entier * 10.0L;
        entier = entier + static_cast<long double>(texte[i++] - '0');
        quelque_chose = true;
    }
    if (voir() == static_cast<unsigned char>(separateur)) {
        ++i;
        quelque_chose = true;
        while (chiffre()) {
            entier = entier * 10.0L;
            entier = entier + static_cast<long double>(texte[i++] - '0');
            ++decimales;
        }
    }
    if (!quelque_chose) return false;

    int exposant = 0;
    if (voir() == 'E' || voir() == 'e') {
        ++i;
        bool exposant_negatif = false;
        if (voir() == '+' || voir() == '-') exposant_negatif = texte[i++] == '-';
        // The digit that brings the exponent to 500 or more is the last one
        // read; any digit after it makes the text refused below.
        while (chiffre() && exposant < 500) exposant = exposant * 10 + (texte[i++] - '0');
        if (exposant_negatif) exposant = -exposant;
    }
    while (voir() == ' ') ++i;
    if (i != longueur) return false;

    long double v = 0;
    if (entier != 0) {  // 0 times an overflowing power is still 0
        int n = exposant - decimales;
        if (n >= 0)
            v = entier * puissance_dix(static_cast<unsigned>(n));
        else
            v = entier / puissance_dix(static_cast<unsigned>(-n));
        if (std::isinf(v)) return false;  // beyond the 80-bit range
    }
    valeur = negatif ? -v : v;
    return true;
}

double argument_numerique(const parametre &p, char separateur)
{
    long double v;
    if (!lire_nombre(p.texte, p.longueur, separateur, v)) lever_conversion(p.texte, p.longueur);
    return en_double(v);
}

namespace {

// The locale name that setlocale(LC_NUMERIC, "") would take, by the usual
// precedence of LC_ALL, LC_NUMERIC and LANG.
const char *nom_de_locale()
{
    for (const char *variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char *v = std::getenv(variable);
        if (v != nullptr && v[0] != '\0') return v;
    }
    return "";
}

}  // namespace

char lire_separateur()
{
    // The C locale and its variants (C.UTF-8) use the full stop: no need to
    // load locale files for them, which would cost a run most of its time.
    const char *nom = nom_de_locale();
    if (nom[0] == '\0' || std::strcmp(nom, "POSIX") == 0 || std::strcmp(nom, "C") == 0 ||
        std::strncmp(nom, "C.", 2) == 0)
        return '.';
    if (std::setlocale(LC_NUMERIC, "") == nullptr) return '.';
    const char *point = std::localeconv()->decimal_point;
    return point != nullptr && point[0] != '\0' ? point[0] : '.';
}
