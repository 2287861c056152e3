// The whole run, as a caller sees it: the simulated travonel started with a
// command word and arguments taken from the input. Whatever they are, the
// run ends with status 0 or 1 and writes one result line, one failure text
// or nothing, and nothing at all on standard error.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char *const mots[] = {
    "ea", "nea", "ead", "nead", "sa", "nsa", "rsa", "sad", "nsad", "rsad", "eb", "neb", "sb",
    "nsb", "rsb", "titre", "detail", "stdea", "stdnea", "stdead", "stdeas", "stdnead", "stdsa",
    "stdnsa", "stdrsa", "stdsad", "stdsas", "stdnsad", "stdrsad", "stdrsas", "stdeb", "stdneb",
    "stdsb", "stdnsb", "stdrsb", "stdtitre", "stddetail",
};
const char *const genres[] = {"EConvertError", "EOverflow", "EInvalidOp", "EPrivilege",
                              "EInOutError", "EOutOfMemory"};

bool dans_la_table(const std::string &m)
{
    for (const char *t : mots)
        if (m == t) return true;
    return false;
}

[[noreturn]] void faute(const char *quoi, const std::vector<std::string> &args, const std::string &sortie,
                        const std::string &erreurs, int statut)
{
    std::fprintf(stderr, "%s: status %d, argv:", quoi, statut);
    for (const auto &a : args) std::fprintf(stderr, " [%s]", a.c_str());
    std::fprintf(stderr, "\nstdout (%zu bytes): ", sortie.size());
    for (unsigned char c : sortie) std::fprintf(stderr, c >= 0x20 && c < 0x7F ? "%c" : "\\x%02X", c);
    std::fprintf(stderr, "\nstderr: %s\n", erreurs.c_str());
    std::abort();
}

void lire_les_deux(int fd1, int fd2, std::string &s1, std::string &s2)
{
    struct pollfd p[2] = {{fd1, POLLIN, 0}, {fd2, POLLIN, 0}};
    int ouverts = 2;
    char t[4096];
    while (ouverts > 0) {
        if (poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            std::abort();
        }
        for (int i = 0; i < 2; ++i) {
            if (p[i].fd < 0 || !(p[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            ssize_t n = read(p[i].fd, t, sizeof t);
            if (n > 0) {
                (i == 0 ? s1 : s2).append(t, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(p[i].fd);
                p[i].fd = -1;
                --ouverts;
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    if (taille < 2 || taille > 600) return -1;
    // Byte 0: which word; byte 1: card answer at 0x30C/0x30D and sensor
    // codes; the rest: up to three NUL-separated arguments (no NUL in argv).
    std::vector<std::string> args;
    std::string reste(reinterpret_cast<const char *>(donnees) + 2, taille - 2);
    std::vector<std::string> morceaux;
    std::size_t debut = 0;
    for (;;) {
        std::size_t z = reste.find('\0', debut);
        morceaux.push_back(reste.substr(debut, z == std::string::npos ? std::string::npos : z - debut));
        if (z == std::string::npos || morceaux.size() == 4) break;
        debut = z + 1;
    }
    std::size_t premier = 0;
    if (donnees[0] < 224) {
        args.push_back(mots[donnees[0] % 37]);
    } else {
        args.push_back(morceaux[0]);  // a word of the input's own
        premier = 1;
    }
    for (std::size_t i = premier; i < morceaux.size() && args.size() < 3; ++i) args.push_back(morceaux[i]);
    if (donnees[1] == 0xFF) args.resize(1);  // the word alone, defaults for both numbers

    char carte[96];
    unsigned v = donnees[1];
    std::snprintf(carte, sizeof carte, "CARTE_SIMULEE=30D=%02X,30C=%02X,314=%02X,304=%02X,30A=%02X",
                  v & 3, (v * 37) & 0xFF, v, v ^ 0x5A, (v * 13) & 0xFF);
    std::vector<char *> argv{const_cast<char *>(PROGRAMME_TRAVONEL)};
    for (auto &a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::string locale = donnees[1] & 0x80 ? "LC_ALL=fr_FR.UTF-8" : "LC_ALL=C";
    std::string locpath = std::string("LOCPATH=") + (std::getenv("LOCPATH") ? std::getenv("LOCPATH") : "");
    char *envp[] = {carte, locale.data(), locpath.data(), const_cast<char *>("ASAN_OPTIONS=detect_leaks=1"),
                    nullptr};

    int o[2], e[2];
    if (pipe2(o, O_CLOEXEC) != 0 || pipe2(e, O_CLOEXEC) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, o[1], 1);
    posix_spawn_file_actions_adddup2(&actions, e[1], 2);
    pid_t pid;
    if (posix_spawn(&pid, PROGRAMME_TRAVONEL, &actions, nullptr, argv.data(), envp) != 0) std::abort();
    posix_spawn_file_actions_destroy(&actions);
    close(o[1]);
    close(e[1]);
    std::string sortie, erreurs;
    lire_les_deux(o[0], e[0], sortie, erreurs);
    int w;
    while (waitpid(pid, &w, 0) < 0)
        if (errno != EINTR) std::abort();
    int statut = WIFEXITED(w) ? WEXITSTATUS(w) : 128 + WTERMSIG(w);

    if (!erreurs.empty()) faute("something on standard error", args, sortie, erreurs, statut);
    if (statut != 0 && statut != 1) faute("status neither 0 nor 1", args, sortie, erreurs, statut);

    // The word the program sees: the first argument that is not empty.
    std::string mot;
    for (const auto &a : args)
        if (!a.empty()) {
            mot = a.substr(0, 4096);
            break;
        }

    if (sortie.rfind("Exception ", 0) == 0) {
        // The failure text: first line ended by a lone LF, second by CR LF.
        std::size_t lf = sortie.find('\n');
        std::string ligne1 = sortie.substr(0, lf == std::string::npos ? 0 : lf);
        bool genre_connu = false;
        for (const char *g : genres)
            if (ligne1.rfind(std::string("Exception ") + g + " dans le module travonel \xE0 ", 0) == 0 &&
                ligne1.size() == std::strlen("Exception  dans le module travonel \xE0 XXXXXXXX.") + std::strlen(g) &&
                ligne1.back() == '.' && ligne1.find_first_not_of("0123456789ABCDEF", ligne1.size() - 9) == ligne1.size() - 1)
                genre_connu = true;
        std::string ligne2 = lf == std::string::npos ? "" : sortie.substr(lf + 1);
        if (!genre_connu || ligne1.find('\r') != std::string::npos)
            faute("malformed first line of a failure text", args, sortie, erreurs, statut);
        bool conversion = ligne1.rfind("Exception EConvertError ", 0) == 0;
        bool correcte = false;
        if (conversion) {
            // The message quotes the argument as received, line ends included.
            for (std::size_t i = 1; i < args.size(); ++i) {
                std::string m = ligne1 + "\n'" + args[i] + "' n'est pas une valeur en virgule flottante correcte.";
                if (m.size() > 1023) m.resize(1023);
                if (sortie == m + "\r\n") correcte = true;
            }
        } else {
            correcte = ligne2.size() >= 2 && ligne2.compare(ligne2.size() - 2, 2, "\r\n") == 0 &&
                       ligne2.find_first_of("\r\n") == ligne2.size() - 2;
        }
        if (!correcte) faute("malformed second line of a failure text", args, sortie, erreurs, statut);
        if (sortie.size() > 1025) faute("failure text over 1023 bytes", args, sortie, erreurs, statut);
        if (statut != 1) faute("failure text with status 0", args, sortie, erreurs, statut);
    } else if (sortie.empty()) {
        if (statut != 0) faute("status 1 without a failure text", args, sortie, erreurs, statut);
        if (dans_la_table(mot)) faute("a word of the table wrote nothing", args, sortie, erreurs, statut);
    } else {
        if (sortie.size() < 2 || sortie.compare(sortie.size() - 2, 2, "\r\n") != 0 ||
            sortie.find_first_of("\r\n") != sortie.size() - 2)
            faute("result is not one line ended by CR LF", args, sortie, erreurs, statut);
        if (statut != 0) faute("result line with status 1", args, sortie, erreurs, statut);
        if (!dans_la_table(mot)) faute("a word outside the table wrote a line", args, sortie, erreurs, statut);
    }
    return 0;
}
