#include "front/resultat.h"

#include "front/commandes.h"
#include "front/decimal.h"
#include "front/reel_en_texte.h"
#include "front/sortie.h"

void ecrire_entier(std::int32_t v)
{
    char t[20];
    ecrire_octets(t, entier_en_texte(v, t));
}

void ecrire_reel(double v)
{
    char t[32];
    ecrire_octets(t, reel_en_texte(v, separateur_decimal, t));
}

void ecrire_simple(float v) { ecrire_reel(static_cast<double>(v)); }

void ecrire_resultat_texte(const char *texte) { ecrire_texte(texte); }
