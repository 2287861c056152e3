#pragma once

#include <cstdint>

// The analog output, channel 0: the byte at port 0x310 drives the converter,
// 0.04 V per code.

// 0.04 in 80-bit extended precision, the nearest value (a little below 0.04).
inline constexpr long double pas_cna = 0.04L;

// The last code sent by sa or sad in this run, all 32 bits.
extern std::int32_t derniere_sortie;

void ecrire_cna(std::int32_t valeur);
std::int32_t sa(std::int32_t voie, std::int32_t valeur);
double sad(std::int32_t voie, double volts);
std::int32_t rsa(std::int32_t voie);
double rsad(std::int32_t voie);
const char *nsa(std::int32_t voie);
const char *nsad(std::int32_t voie);
