#include "front/execution.h"

#include <csignal>
#include <cstring>
#include <new>
#include <unistd.h>

#include "driver/carte.h"
#include "driver/nead.h"
#include "front/arguments.h"
#include "front/commandes.h"
#include "front/echec.h"
#include "front/sortie.h"

namespace {

// x87: all exceptions masked (the range checks raise the failures), 64-bit
// significand, nearest; SSE: the same rounding. What Linux starts a process
// with, set here so that nothing inherited can change a digit.
void preparer_flottants()
{
    unsigned short x87 = 0x037F;
    asm volatile("fldcw %0" : : "m"(x87));
    unsigned int sse = 0x1F80;
    asm volatile("ldmxcsr %0" : : "m"(sse));
}

// The running program's file name without its directory, as the system
// reports it; the name it was called by when /proc cannot tell.
const char *nom_du_module(const char *appel, char *tampon, std::size_t taille)
{
    ssize_t n = readlink("/proc/self/exe", tampon, taille - 1);
    const char *chemin = appel != nullptr ? appel : "";
    if (n > 0) {
        tampon[n] = '\0';
        chemin = tampon;
    }
    const char *barre = std::strrchr(chemin, '/');
    return barre != nullptr ? barre + 1 : chemin;
}

void signaler(const echec &e, const char *appel)
{
    char chemin[4096];
    char texte[1024];
    std::size_t n = texte_echec(e, nom_du_module(appel, chemin, sizeof chemin), texte);
    // An earlier output error was this failure's cause; when the text cannot
    // be written either, nothing more is said.
    oublier_erreur_sortie();
    ecrire_octets(texte, n);
    fin_ligne();
}

}  // namespace

int execution(int argc, char **argv, const char *(*nead_du_programme)(std::int32_t))
{
    preparer_flottants();
    separateur_decimal = lire_separateur();
    std::signal(SIGPIPE, SIG_IGN);  // a vanished reader is an output error, not a death
    nead = nead_du_programme;
    const char *appel = argc > 0 ? argv[0] : nullptr;

    try {
        init_carte();
        parametre p[3];
        int nombre = decouper_parametres(argc, argv, p);
        if (nombre >= 2) premier_argument = argument_numerique(p[1], separateur_decimal);
        if (nombre >= 3) second_argument = argument_numerique(p[2], separateur_decimal);
        const char *mot = nombre >= 1 ? p[0].texte : "";
        unsigned long longueur = nombre >= 1 ? p[0].longueur : 0;
        if (executer_commande(mot, longueur)) {
            fin_ligne();
            test_sortie();
        }
    } catch (const echec &e) {
        signaler(e, appel);
        return 1;
    } catch (const std::bad_alloc &) {
        echec e{genre_memoire, {}, 0};
        std::strcpy(e.message, message_memoire);
        signaler(e, appel);
        return 1;
    }
    vider_sortie();
    return 0;
}
