#pragma once

#include <cstddef>

// One parameter of the command line: bytes of argv, not copied.
struct parametre {
    const char *texte;
    std::size_t longueur;
};

// Parameters 1 to 3 from argv: an empty argument is no parameter, and an
// argument longer than 4096 bytes is cut into parameters of 4096 bytes.
// Returns the parameter count (at least what fits in the three, capped at 3).
int decouper_parametres(int argc, char **argv, parametre parametres[3]);

// The number syntax: true with the value in 80-bit extended precision, false
// when the text is refused (malformed, or beyond the 80-bit range).
bool lire_nombre(const char *texte, std::size_t longueur, char separateur, long double &valeur);

// A numeric argument: read, then stored as a double. Raises "EConvertError"
// quoting the parameter, or "EOverflow".
double argument_numerique(const parametre &p, char separateur);

// The decimal separator of the user's locale, or the full stop.
char lire_separateur();
