#pragma once

#include <cstddef>

// The text of a real result: general format, 18 significant digits, digits
// and decimal exponent found in 80-bit extended arithmetic. tampon holds at
// least 26 bytes; the text is zero-terminated and its length returned.
std::size_t reel_en_texte(double x, char separateur, char *tampon);

