#pragma once

#include <cstddef>

// Standard output through the program's own 128-byte buffer on fd 1.
// A failed write is not raised where it happens: its code waits for the
// output test that follows the line.

void ecrire_octets(const char *octets, std::size_t longueur);
void ecrire_texte(const char *texte);  // up to its terminating zero
// CR LF, then the buffer is handed to the system at once, for every kind of
// standard output, so that the output test sees a failed write.
void fin_ligne();
void vider_sortie();
// Raises "EInOutError" when an output error is pending, and clears it.
void test_sortie();
// The pending output error code, 0 when none; for the reporting step.
int erreur_sortie_en_attente();
void oublier_erreur_sortie();

// For tests: forget the buffer and the state of fd 1, as at start-up.
void reinitialiser_sortie();
