#include "lancer.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void lire_tout(int fd, std::string &dans)
{
    char t[4096];
    for (;;) {
        ssize_t n = read(fd, t, sizeof t);
        if (n > 0) {
            dans.append(t, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break;
    }
}

}  // namespace

issue lancer(const lancement &l) { return lancer_vers_fichier(l, ""); }

issue lancer_vers_fichier(const lancement &l, const std::string &fichier)
{
    sortie_vers vers = fichier.empty() ? l.sortie : sortie_vers::fichier;
    std::vector<std::string> mots = l.avant;
    mots.push_back(l.programme);
    for (const auto &a : l.arguments) mots.push_back(a);
    std::vector<char *> argv;
    for (auto &m : mots) argv.push_back(const_cast<char *>(m.c_str()));
    argv.push_back(nullptr);

    std::vector<std::string> env = {"PATH=/usr/bin:/bin:/usr/sbin:/sbin"};
    for (const char *garde : {"LOCPATH", "ASAN_OPTIONS", "UBSAN_OPTIONS"})
        if (const char *v = std::getenv(garde)) env.push_back(std::string(garde) + "=" + v);
    for (const auto &e : l.environnement) env.push_back(e);
    std::vector<char *> envp;
    for (auto &e : env) envp.push_back(const_cast<char *>(e.c_str()));
    envp.push_back(nullptr);

    int tube_sortie[2], tube_erreurs[2];
    if (pipe2(tube_sortie, O_CLOEXEC) != 0 || pipe2(tube_erreurs, O_CLOEXEC) != 0) std::abort();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    switch (vers) {
    case sortie_vers::tube:
    case sortie_vers::tube_sans_lecteur:
        posix_spawn_file_actions_adddup2(&actions, tube_sortie[1], 1);
        break;
    case sortie_vers::dev_full:
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0);
        break;
    case sortie_vers::fermee:
        posix_spawn_file_actions_addclose(&actions, 1);
        break;
    case sortie_vers::fichier:
        posix_spawn_file_actions_addopen(&actions, 1, fichier.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        break;
    }
    posix_spawn_file_actions_adddup2(&actions, tube_erreurs[1], 2);
    if (vers == sortie_vers::tube_sans_lecteur) close(tube_sortie[0]);

    pid_t pid;
    int r = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(tube_sortie[1]);
    close(tube_erreurs[1]);
    issue res;
    if (r != 0) {
        res.erreurs = "posix_spawn failed";
        return res;
    }
    if (vers != sortie_vers::tube_sans_lecteur) {
        lire_tout(tube_sortie[0], res.sortie);
        close(tube_sortie[0]);
    }
    lire_tout(tube_erreurs[0], res.erreurs);
    close(tube_erreurs[0]);
    int statut;
    while (waitpid(pid, &statut, 0) < 0 && errno == EINTR) {
    }
    res.statut = WIFEXITED(statut) ? WEXITSTATUS(statut) : 128 + WTERMSIG(statut);
    return res;
}

fichier_temporaire::fichier_temporaire()
{
    char modele[] = "/tmp/travonel_test_XXXXXX";
    int fd = mkstemp(modele);
    if (fd < 0) std::abort();
    close(fd);
    unlink(modele);  // the program creates it, as a caller's run would
    chemin = modele;
}

fichier_temporaire::~fichier_temporaire() { unlink(chemin.c_str()); }

std::string fichier_temporaire::contenu() const
{
    std::ifstream f(chemin, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
