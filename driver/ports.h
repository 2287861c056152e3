#pragma once

#include <cstdint>

// The only contact with the card: one byte per call, in call order, never
// cached. Two implementations: the real I/O ports and the simulated card.
std::uint8_t lire_port(std::uint16_t port);
void ecrire_port(std::uint16_t port, std::uint8_t valeur);
// The pause of a conversion: one sleep of 1 ms.
void pause_conversion();
