#include "front/sortie.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "front/echec.h"

namespace {

char tampon[128];
std::size_t rempli = 0;
int erreur = 0;  // pending output error code

enum class etat_fd { inconnu, utilisable, inutilisable };
etat_fd etat = etat_fd::inconnu;
bool fichier_ordinaire = false;

// The program's own codes for a standard output that cannot be used at all.
constexpr int code_ecriture_impossible = 105;
constexpr int code_vidage_impossible = 103;

// Standard output is "opened" at its first write: a closed fd 1 is unusable.
bool utilisable()
{
    if (etat == etat_fd::inconnu) {
        struct stat s;
        etat = fstat(1, &s) == 0 ? etat_fd::utilisable : etat_fd::inutilisable;
        fichier_ordinaire = etat == etat_fd::utilisable && S_ISREG(s.st_mode);
    }
    return etat == etat_fd::utilisable;
}

// The size of fd 1 when it is a regular file, else -1.
off_t taille_fichier()
{
    struct stat s;
    return fichier_ordinaire && fstat(1, &s) == 0 ? s.st_size : -1;
}

void transmettre()
{
    off_t avant = taille_fichier();
    std::size_t fait = 0;
    while (fait < rempli) {
        ssize_t n = write(1, tampon + fait, rempli - fait);
        if (n < 0) {
            if (errno == EINTR) continue;
            erreur = errno;
            break;
        }
        fait += static_cast<std::size_t>(n);
    }
    // A full disk can take part of a line, then refuse the rest: take the
    // part back, so that a failed run leaves no half line for a caller to
    // parse. Only when those bytes are exactly the file's new end.
    if (fait < rempli && fait > 0 && avant >= 0) {
        auto apres = static_cast<off_t>(avant + static_cast<off_t>(fait));
        if (taille_fichier() == apres && lseek(1, 0, SEEK_CUR) == apres && ftruncate(1, avant) == 0)
            lseek(1, avant, SEEK_SET);
    }
    rempli = 0;  // what could not be written is lost, never written twice
}

}  // namespace

void ecrire_octets(const char *octets, std::size_t longueur)
{
    if (!utilisable()) {
        if (longueur > 0) erreur = code_ecriture_impossible;
        return;
    }
    while (longueur > 0) {
        if (rempli == sizeof tampon) transmettre();
        std::size_t pris = sizeof tampon - rempli;
        if (pris > longueur) pris = longueur;
        std::memcpy(tampon + rempli, octets, pris);
        rempli += pris;
        octets += pris;
        longueur -= pris;
    }
}

void ecrire_texte(const char *texte) { ecrire_octets(texte, std::strlen(texte)); }

void vider_sortie()
{
    // Every write has already looked at fd 1, so an unknown state means that
    // nothing was written and there is nothing to hand over.
    if (etat == etat_fd::inutilisable) {
        erreur = code_vidage_impossible;
        return;
    }
    if (rempli > 0) transmettre();
}

void fin_ligne()
{
    ecrire_octets("\r\n", 2);
    vider_sortie();
}

__attribute__((noinline)) void test_sortie()
{
    if (erreur != 0) {
        int code = erreur;
        erreur = 0;
        lever_sortie(code);
    }
}

int erreur_sortie_en_attente() { return erreur; }
void oublier_erreur_sortie() { erreur = 0; }

void reinitialiser_sortie()
{
    rempli = 0;
    erreur = 0;
    etat = etat_fd::inconnu;
    fichier_ordinaire = false;
}
