#pragma once

#include <cstddef>
#include <cstdint>

// v in decimal, "-" before a negative number, no other sign, no leading zero.
// tampon holds at least 20 bytes; returns the length written (no terminator).
std::size_t entier_en_texte(std::int64_t v, char *tampon);
