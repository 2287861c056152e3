#include "front/commandes.h"

#include <cstring>

#include "driver/entrees_analogiques.h"
#include "driver/entrees_std.h"
#include "driver/identification.h"
#include "driver/lignes_logiques.h"
#include "driver/nead.h"
#include "driver/sortie_analogique.h"
#include "front/arrondi.h"
#include "front/resultat.h"

double premier_argument = 11.0;
double second_argument = 22.0;
char separateur_decimal = '.';

namespace {

std::int32_t voie() { return arrondir_32(premier_argument); }
std::int32_t valeur() { return arrondir_32(second_argument); }

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
    {"sa", [] { std::int32_t v = valeur(); ecrire_entier(sa(voie(), v)); }},
    {"nsa", [] { ecrire_resultat_texte(nsa(voie())); }},
    {"rsa", [] { ecrire_entier(rsa(voie())); }},
    {"sad", [] { ecrire_reel(sad(voie(), second_argument)); }},
    {"nsad", [] { ecrire_resultat_texte(nsad(voie())); }},
    {"rsad", [] { ecrire_reel(rsad(voie())); }},
    {"eb", [] { ecrire_entier(eb(voie())); }},
    {"neb", [] { ecrire_resultat_texte(neb(voie())); }},
    {"sb", [] { std::int32_t v = valeur(); ecrire_entier(sb(voie(), v)); }},
    {"nsb", [] { ecrire_resultat_texte(nsb(voie())); }},
    {"rsb", [] { ecrire_entier(rsb(voie())); }},
    {"titre", [] { ecrire_resultat_texte(titre()); }},
    {"detail", [] { ecrire_resultat_texte(detail()); }},
    {"stdea", [] { ecrire_entier(stdea(voie())); }},
    {"stdnea", [] { ecrire_resultat_texte(stdnea(voie())); }},
    {"stdead", [] { ecrire_reel(stdead(voie())); }},
    {"stdeas", [] { ecrire_simple(stdeas(voie())); }},
    {"stdnead", [] { ecrire_resultat_texte(stdnead(voie())); }},
    {"stdsa", [] { std::int32_t v = valeur(); ecrire_entier(stdsa(voie(), v)); }},
    {"stdnsa", [] { ecrire_resultat_texte(stdnsa(voie())); }},
    {"stdrsa", [] { ecrire_entier(stdrsa(voie())); }},
    {"stdsad", [] { ecrire_reel(stdsad(voie(), second_argument)); }},
    {"stdsas", [] { float v = en_simple(second_argument); ecrire_simple(stdsas(voie(), v)); }},
    {"stdnsad", [] { ecrire_resultat_texte(stdnsad(voie())); }},
    {"stdrsad", [] { ecrire_reel(stdrsad(voie())); }},
    {"stdrsas", [] { ecrire_simple(stdrsas(voie())); }},
    {"stdeb", [] { ecrire_entier(stdeb(voie())); }},
    {"stdneb", [] { ecrire_resultat_texte(stdneb(voie())); }},
    {"stdsb", [] { std::int32_t v = valeur(); ecrire_entier(stdsb(voie(), v)); }},
    {"stdnsb", [] { ecrire_resultat_texte(stdnsb(voie())); }},
    {"stdrsb", [] { ecrire_entier(stdrsb(voie())); }},
    {"stdtitre", [] { ecrire_resultat_texte(stdtitre()); }},
    {"stddetail", [] { ecrire_resultat_texte(stddetail()); }},
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
