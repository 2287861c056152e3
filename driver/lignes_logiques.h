#pragma once

#include <cstdint>

// Digital inputs 0 to 7 at port 0x304, 8 to 15 at port 0x314; output lines
// 0 to 3 are bits 0x01, 0x02, 0x10, 0x20 of port 0x311.

// Bit n set when output line n was last switched on in this run (bit layout
// by line number, not that of port 0x311).
extern std::uint8_t etat_sorties;
extern const std::uint8_t masques_bits[8];

int tester_bit(std::uint16_t valeur, int bit);
void changer_bit(std::uint8_t &octet, int bit, bool allume);
void ecrire_ligne(std::uint8_t ligne, bool allume);

std::int32_t eb(std::int32_t voie);
const char *neb(std::int32_t voie);
std::int32_t sb(std::int32_t voie, std::int32_t valeur);
std::int32_t rsb(std::int32_t voie);
const char *nsb(std::int32_t voie);
