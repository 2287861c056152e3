#include "driver/sortie_analogique.h"

#include "driver/code_erreur.h"
#include "driver/ports.h"
#include "front/arrondi.h"

std::int32_t derniere_sortie = 0;

void ecrire_cna(std::int32_t valeur) { ecrire_port(0x310, static_cast<std::uint8_t>(valeur)); }

std::int32_t sa(std::int32_t voie, std::int32_t valeur)
{
    if (voie != 0) return code_erreur;
    ecrire_cna(valeur);
    derniere_sortie = valeur;
    return valeur;
}

double sad(std::int32_t voie, double volts)
{
    if (voie != 0) return code_erreur_reel;
    // The quotient in extended precision: 0.02 V gives just above one half,
    // code 1, where a double quotient would be exactly 0.5, code 0. A code
    // beyond the 64-bit range fails here, before the port is touched.
    long double quotient = static_cast<long double>(volts) / pas_cna;
    std::int32_t code = arrondir_32(quotient);
    ecrire_cna(code);
    derniere_sortie = code;
    return volts;
}

std::int32_t rsa(std::int32_t voie) { return voie == 0 ? derniere_sortie : code_erreur; }

double rsad(std::int32_t voie)
{
    if (voie != 0) return code_erreur_reel;
    return static_cast<double>(static_cast<long double>(derniere_sortie) * pas_cna);
}

const char *nsa(std::int32_t voie)
{
    return (static_cast<std::uint32_t>(voie) & 0xFFFF) == 0 ? "sortie analogique 0" : "";
}

const char *nsad(std::int32_t voie) { return voie == 0 ? "sortie 0 (volts)" : ""; }
