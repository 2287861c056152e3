// Faults around a run: an output that refuses the bytes, and too little
// memory. Every case ends with a known status, and what reaches the output is
// either the whole expected text or nothing of it.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "lancer.h"

namespace {

const std::string ligne_ead = "0.512000000000000011\r\n";
const std::string carte = "CARTE_SIMULEE=30D=02,30C=00";

issue simule(std::vector<std::string> args, sortie_vers sortie, const std::string &fichier = "",
             std::vector<std::string> avant = {})
{
    lancement l{SIMULE_TRAVONEL, std::move(args), {carte}, sortie, std::move(avant)};
    return sortie == sortie_vers::fichier ? lancer_vers_fichier(l, fichier) : lancer(l);
}

// The failure text of a kind, address and message aside.
bool texte_echec_de(const std::string &sortie, const std::string &genre)
{
    std::string debut = "Exception " + genre + " dans le module travonel \xE0 ";
    if (sortie.rfind(debut, 0) != 0) return false;
    std::size_t lf = sortie.find('\n');
    return lf == debut.size() + 9 && sortie.size() >= lf + 4 &&
           sortie.compare(sortie.size() - 3, 3, ".\r\n") == 0 &&
           sortie.find_first_of("\r\n", lf + 1) == sortie.size() - 2;
}

// A small tmpfs of its own, removed with the object; empty chemin where the
// system does not let the test mount one.
struct petit_tmpfs {
    std::string chemin;
    std::string raison;
    explicit petit_tmpfs(const char *taille)
    {
        char modele[] = "/tmp/travonel_plein_XXXXXX";
        if (mkdtemp(modele) == nullptr) {
            raison = "mkdtemp failed";
            return;
        }
        std::string options = std::string("size=") + taille;
        if (mount("tmpfs", modele, "tmpfs", 0, options.c_str()) != 0) {
            raison = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
            rmdir(modele);
            return;
        }
        chemin = modele;
    }
    ~petit_tmpfs()
    {
        if (chemin.empty()) return;
        umount2(chemin.c_str(), MNT_DETACH);
        rmdir(chemin.c_str());
    }
    // Fills the file system with one file, leaving `libre` bytes in its last
    // page; returns false if it could not.
    bool remplir(const std::string &nom, std::size_t libre)
    {
        int fd = open((chemin + "/" + nom).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) return false;
        std::string page(4096, 'x');
        std::size_t ecrit = 0;
        for (;;) {
            ssize_t n = write(fd, page.data(), page.size());
            if (n <= 0) break;
            ecrit += static_cast<std::size_t>(n);
        }
        if (libre > 0 && ecrit >= 4096 && ftruncate(fd, static_cast<off_t>(ecrit - libre)) != 0) {
            close(fd);
            return false;
        }
        close(fd);
        return ecrit > 0;
    }
};

std::string contenu(const std::string &chemin)
{
    std::string s;
    if (FILE *f = std::fopen(chemin.c_str(), "rb")) {
        char t[4096];
        std::size_t n;
        while ((n = std::fread(t, 1, sizeof t, f)) > 0) s.append(t, n);
        std::fclose(f);
    }
    return s;
}

TEST(Pannes, FichierSurSystemePlein)
{
    petit_tmpfs fs("16k");
    if (fs.chemin.empty()) GTEST_SKIP() << fs.raison;
    ASSERT_TRUE(fs.remplir("remplissage", 0));
    std::string sortie = fs.chemin + "/sortie";
    // No page left: the line fails with ENOSPC, the failure text too, and
    // the file stays empty; a word outside the table writes nothing at all.
    struct {
        std::vector<std::string> args;
        int statut;
    } cas[] = {{{"ead", "1"}, 1}, {{"titre"}, 1}, {{"ea", "abc"}, 1}, {{"inconnu", "1"}, 0}, {{}, 0}};
    for (const auto &c : cas) {
        unlink(sortie.c_str());
        issue r = simule(c.args, sortie_vers::fichier, sortie);
        EXPECT_EQ(r.statut, c.statut) << (c.args.empty() ? "" : c.args[0]);
        EXPECT_EQ(r.erreurs, "");
        EXPECT_EQ(contenu(sortie), "") << (c.args.empty() ? "" : c.args[0]);
    }
}

TEST(Pannes, FichierPleinAuMilieuDeLaLigne)
{
    // Room for 10 bytes of the line in the file's last page: the system takes
    // them (a short write), refuses the rest, and the run must not report
    // success. The program takes those bytes back: no half line stays, and
    // the failure text, refused the same way, leaves nothing either.
    petit_tmpfs fs("16k");
    if (fs.chemin.empty()) GTEST_SKIP() << fs.raison;
    ASSERT_TRUE(fs.remplir("sortie", 10));
    std::string sortie = fs.chemin + "/sortie";
    std::string avant = contenu(sortie);
    issue r = simule({"ead", "1"}, sortie_vers::fichier, sortie);
    EXPECT_EQ(r.statut, 1);
    EXPECT_EQ(r.erreurs, "");
    std::string apres = contenu(sortie);
    EXPECT_EQ(apres, avant);
}

TEST(Pannes, FichierAvecDeLaPlace)
{
    petit_tmpfs fs("16k");
    if (fs.chemin.empty()) GTEST_SKIP() << fs.raison;
    std::string sortie = fs.chemin + "/sortie";
    issue r = simule({"ead", "1"}, sortie_vers::fichier, sortie);
    EXPECT_EQ(r.statut, 0);
    EXPECT_EQ(contenu(sortie), ligne_ead);
    unlink(sortie.c_str());
    r = simule({"ea", "1e400"}, sortie_vers::fichier, sortie);
    EXPECT_EQ(r.statut, 1);
    EXPECT_TRUE(texte_echec_de(contenu(sortie), "EOverflow")) << contenu(sortie);
}

TEST(Pannes, SortiesInutilisables)
{
    // What the caller can see of these is the status and an empty stderr.
    struct {
        sortie_vers sortie;
        std::vector<std::string> args;
        int statut;
    } cas[] = {
        {sortie_vers::dev_full, {"titre"}, 1},
        {sortie_vers::dev_full, {"ea", "1", "x"}, 1},
        {sortie_vers::dev_full, {"nea", "7"}, 1},  // the empty text still has its line end
        {sortie_vers::fermee, {"nea", "7"}, 1},
        {sortie_vers::fermee, {"ea", "abc"}, 1},
        {sortie_vers::fermee, {"inconnu", "1", "2"}, 0},
        {sortie_vers::tube_sans_lecteur, {"ead", "1"}, 1},
        {sortie_vers::tube_sans_lecteur, {"ea", "abc"}, 1},
        {sortie_vers::tube_sans_lecteur, {"inconnu"}, 0},
        {sortie_vers::tube_sans_lecteur, {}, 0},
    };
    for (const auto &c : cas) {
        issue r = simule(c.args, c.sortie);
        std::string nom = std::to_string(static_cast<int>(c.sortie)) + (c.args.empty() ? "" : " " + c.args[0]);
        EXPECT_EQ(r.statut, c.statut) << nom;
        EXPECT_EQ(r.erreurs, "") << nom;
    }
}

TEST(Pannes, MemoireLimitee)
{
#ifdef SOUS_SANITISEURS
    if (true) {
        GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space: no address-space limit applies";
    }
#endif
    if (access("/usr/bin/prlimit", X_OK) != 0) {
        GTEST_SKIP() << "no prlimit";
    }
    // From plenty down to a limit below the program's own image. Each run
    // either writes its whole line with status 0, or its whole failure text
    // with status 1, or never starts (execve refused: prlimit says so, or the
    // kernel kills the half-made process), and writes nothing.
    bool vu_reussite = false, vu_refus = false;
    for (long kio = 65536; kio >= 16; kio /= 2) {
        std::string limite = "--as=" + std::to_string(kio * 1024);
        for (const auto &args : std::vector<std::vector<std::string>>{{"ead", "1"}, {"ea", "abc"}}) {
            issue r = simule(args, sortie_vers::tube, "", {"/usr/bin/prlimit", limite});
            std::string nom = limite + " " + args[0];
            bool ligne = args[0] == "ead" && r.sortie == ligne_ead && r.statut == 0;
            bool echec = texte_echec_de(r.sortie, args[0] == "ead" ? "EOutOfMemory" : "EConvertError") &&
                         r.statut == 1;
            bool pas_lance = r.sortie.empty() &&
                             ((r.statut == 1 && r.erreurs.rfind("prlimit:", 0) == 0) || r.statut == 128 + 9 ||
                              r.statut == 128 + 11);
            EXPECT_TRUE(ligne || echec || pas_lance)
                << nom << ": status " << r.statut << ", stdout [" << r.sortie << "], stderr [" << r.erreurs << "]";
            if (!pas_lance) {
                EXPECT_EQ(r.erreurs, "") << nom;
            }
            vu_reussite |= ligne;
            vu_refus |= pas_lance;
        }
    }
    EXPECT_TRUE(vu_reussite);
    EXPECT_TRUE(vu_refus) << "even 16 KiB of address space let the program start";
}

}  // namespace
