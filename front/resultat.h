#pragma once

#include <cstdint>

// The result line's body, by result kind; the line end follows separately.
void ecrire_entier(std::int32_t v);
void ecrire_reel(double v);       // reel_en_texte with the run's separator
void ecrire_simple(float v);      // widened exactly, then as a real
void ecrire_resultat_texte(const char *texte);  // bytes as they are
