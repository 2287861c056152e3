// Argument reading against hostile bytes: the first byte is the decimal
// separator, the rest one parameter. Every text gives a finite value or the
// conversion or overflow failure, and the texts accepted are exactly those of
// a separate, plain reading of the number syntax.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "front/arguments.h"
#include "front/echec.h"

namespace {

[[noreturn]] void faute(const char *quoi, const std::string &texte, char sep)
{
    std::fprintf(stderr, "%s: separator 0x%02X, text [", quoi, static_cast<unsigned char>(sep));
    for (unsigned char c : texte) std::fprintf(stderr, c >= 0x20 && c < 0x7F ? "%c" : "\\x%02X", c);
    std::fprintf(stderr, "]\n");
    std::abort();
}

// The syntax, read by a grammar of its own. When accepted, gives the same
// text rewritten for strtold ("-123.45e-6") and a bound on the decimal
// magnitude, so that "beyond the 80-bit range" can be judged.
struct lecture {
    bool syntaxe = false;
    std::string normal;
    long magnitude = 0;  // decimal exponent of the leading digit, roughly
    bool nul = true;     // every digit is 0
};

lecture lire_syntaxe(const std::string &t, char sep)
{
    lecture l;
    std::size_t i = 0, n = t.size();
    while (i < n && t[i] == ' ') ++i;
    bool negatif = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) negatif = t[i++] == '-';
    std::string entiers, fractions;
    bool separateur = false;
    while (i < n && t[i] >= '0' && t[i] <= '9') entiers += t[i++];
    if (i < n && t[i] == sep) {
        separateur = true;
        ++i;
        while (i < n && t[i] >= '0' && t[i] <= '9') fractions += t[i++];
    }
    if (entiers.empty() && !separateur) return l;
    long exposant = 0;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool moins = false;
        if (i < n && (t[i] == '+' || t[i] == '-')) moins = t[i++] == '-';
        // Digits while below 500: a digit after the one that reaches 500
        // stays unread and makes the text refused.
        while (i < n && t[i] >= '0' && t[i] <= '9') {
            if (exposant >= 500) return l;
            exposant = exposant * 10 + (t[i++] - '0');
        }
        if (moins) exposant = -exposant;
    }
    while (i < n && t[i] == ' ') ++i;
    if (i != n) return l;
    l.syntaxe = true;
    std::string chiffres = entiers + fractions;
    std::size_t premier = chiffres.find_first_not_of('0');
    l.nul = premier == std::string::npos;
    if (!l.nul)
        l.magnitude = static_cast<long>(entiers.size()) - 1 - static_cast<long>(premier) + exposant;
    l.normal = std::string(negatif ? "-" : "") + (entiers.empty() ? "0" : entiers) + "." +
               fractions + "e" + std::to_string(exposant);
    return l;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    if (taille < 1 || taille > 4097) return -1;  // a parameter holds at most 4096 bytes
    char sep = static_cast<char>(donnees[0]);
    std::string texte(reinterpret_cast<const char *>(donnees) + 1, taille - 1);

    long double v = 0;
    bool accepte = lire_nombre(texte.data(), texte.size(), sep, v);
    lecture attendu = lire_syntaxe(texte, sep);

    if (accepte && !attendu.syntaxe) faute("accepted outside the syntax", texte, sep);
    if (accepte && !std::isfinite(v)) faute("accepted a value that is not finite", texte, sep);
    if (!accepte && attendu.syntaxe) {
        // Refused in the syntax only beyond the 80-bit range (about 1.19e4932).
        if (attendu.nul || attendu.magnitude < 4932) faute("refused a number in range", texte, sep);
    }
    if (accepte && attendu.syntaxe && !attendu.nul && attendu.magnitude > 4933)
        faute("accepted a number beyond the 80-bit range", texte, sep);

    // The value, as a double, within a few units of the correctly rounded one
    // (the digit-by-digit building rounds at each step). Only where the
    // separator is not itself a character of the number text for strtold.
    if (accepte) {
        long double juste = std::strtold(attendu.normal.c_str(), nullptr);
        if (attendu.nul && v != 0) faute("nonzero value for zero digits", texte, sep);
        if (std::signbit(juste) != std::signbit(v) && v != 0 && juste != 0)
            faute("wrong sign", texte, sep);
        long double ecart = std::fabs(v - juste);
        long double m = std::fabs(juste);
        bool proche = m > 1e-4900L ? ecart <= m * 1e-15L : ecart <= 1e-4900L;
        if (!proche) faute("value off the decimal text", texte, sep);
    }

    // Through the stored argument: a double, or one of the two failures.
    parametre p{texte.data(), texte.size()};
    try {
        double d = argument_numerique(p, sep);
        if (!accepte || !std::isfinite(d)) faute("argument_numerique gave a value", texte, sep);
        if (d != static_cast<double>(v)) faute("stored double differs from the value", texte, sep);
    } catch (const echec &e) {
        if (std::strcmp(e.genre, genre_conversion) == 0) {
            if (accepte) faute("EConvertError for an accepted text", texte, sep);
            // The message quotes the text as received, cut with the failure text.
            std::string attendu_m = "'" + texte + "' n'est pas une valeur en virgule flottante correcte";
            if (attendu_m.size() > 1023) attendu_m.resize(1023);
            // Compared as bytes: the fuzz text may hold NUL, which argv cannot.
            if (std::memcmp(e.message, attendu_m.data(), attendu_m.size()) != 0 ||
                e.message[attendu_m.size()] != '\0')
                faute("conversion message", texte, sep);
        } else if (std::strcmp(e.genre, genre_debordement) == 0) {
            if (!accepte || std::fabs(v) <= static_cast<long double>(DBL_MAX))
                faute("EOverflow for a value within the double range", texte, sep);
            // Rounding to double overflows only from the midpoint above DBL_MAX.
        } else {
            faute("failure of another kind", texte, sep);
        }
    }
    return 0;
}
