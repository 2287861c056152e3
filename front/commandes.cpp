#include "front/commandes.h"

#include <cstring>

#include "driver/entrees_analogiques.h"
#include "driver/nead.h"
#include "front/arrondi.h"
#include "front/resultat.h"

double premier_argument = 11.0;
double second_argument = 22.0;
char separateur_decimal = '.';

namespace {

std::int32_t voie() { return arrondir_32(premier_argument); }

struct commande {
    const char *mot;
    void (*executer)();
};

// In the order of comparison. Where a row takes two arguments the second is
// prepared first, then the channel.
constexpr commande commandes[] = {
    {"ea", [] { ecrire_entier(ea(voie())); }},
    {"nea", [] { ecrire_resultat_texte(nea(voie())); }},
    {"ead", [] { ecrire_reel(ead(voie())); }},
    {"nead", [] { ecrire_resultat_texte(nead(voie())); }},
};

}  // namespace

bool executer_commande(const char *mot, unsigned long longueur)
{
    for (const commande &c : commandes) {
        if (std::strlen(c.mot) == longueur && std::memcmp(c.mot, mot, longueur) == 0) {
            c.executer();
            return true;
        }
    }
    return false;
}
