// The simulated card: answers from CARTE_SIMULEE, every access traced.

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

#include "driver/carte_simulee.h"
#include "driver/ports.h"
#include "front/echec.h"

namespace {

bool pret = false;
bool refus = false;
int trace = -1;
std::uint8_t reponses[0x10000];

[[noreturn]] void plainte(const char *quoi, const char *detail)
{
    // The double's own complaint, not a failure of the program.
    auto dire = [](const char *s) { (void)!write(2, s, std::strlen(s)); };
    dire("simulated card: ");
    dire(quoi);
    if (detail != nullptr) {
        dire(" : ");
        dire(detail);
    }
    dire("\n");
    _exit(2);
}

// One hexadecimal number, with or without 0x, up to the next ',' or '=' or
// the end; false when it is empty, not hexadecimal or above the limit.
bool hexadecimal(const char *&p, unsigned long limite, unsigned long &valeur)
{
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) p += 2;
    const char *debut = p;
    valeur = 0;
    while (*p != '\0' && *p != ',' && *p != '=') {
        char c = *p;
        unsigned long d;
        if (c >= '0' && c <= '9') d = static_cast<unsigned long>(c - '0');
        else if (c >= 'a' && c <= 'f') d = static_cast<unsigned long>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') d = static_cast<unsigned long>(c - 'A' + 10);
        else return false;
        valeur = valeur * 16 + d;
        if (valeur > limite) return false;
        ++p;
    }
    return p != debut;
}

void lire_reponses(const char *liste)
{
    refus = std::strcmp(liste, "refus") == 0;
    if (refus || liste[0] == '\0') return;
    const char *p = liste;
    for (;;) {
        const char *item = p;
        unsigned long port, valeur;
        bool bon = hexadecimal(p, 0xFFFF, port) && *p++ == '=' && hexadecimal(p, 0xFF, valeur) &&
                   (*p == ',' || *p == '\0');
        if (!bon) {
            const char *fin = std::strchr(item, ',');
            char morceau[64];
            std::size_t l = fin != nullptr ? static_cast<std::size_t>(fin - item) : std::strlen(item);
            if (l >= sizeof morceau) l = sizeof morceau - 1;
            std::memcpy(morceau, item, l);
            morceau[l] = '\0';
            plainte("CARTE_SIMULEE: malformed item (expected PORT=VALUE in hexadecimal, "
                    "comma-separated, or refus)", morceau);
        }
        reponses[port] = static_cast<std::uint8_t>(valeur);
        if (*p == '\0') break;
        ++p;  // the comma
    }
}

void preparer()
{
    if (pret) return;
    const char *liste = std::getenv("CARTE_SIMULEE");
    lire_reponses(liste != nullptr ? liste : "");
    if (trace >= 0) close(trace);
    trace = -1;
    if (const char *fichier = std::getenv("CARTE_SIMULEE_TRACE")) {
        trace = open(fichier, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (trace < 0) plainte("CARTE_SIMULEE_TRACE cannot be opened", std::strerror(errno));
        // Never take the place of a closed standard stream: a run with fd 1
        // closed must not write its result into the trace.
        if (trace < 3) {
            int ailleurs = fcntl(trace, F_DUPFD_CLOEXEC, 3);
            close(trace);
            trace = ailleurs;
        }
    }
    pret = true;
}

void tracer(char genre, std::uint16_t port, std::uint8_t valeur)
{
    if (trace < 0) return;
    static const char hex[] = "0123456789ABCDEF";
    char l[] = "W 0x000 0x00\n";
    l[0] = genre;
    l[4] = hex[(port >> 8) & 0xF];
    l[5] = hex[(port >> 4) & 0xF];
    l[6] = hex[port & 0xF];
    l[10] = hex[valeur >> 4];
    l[11] = hex[valeur & 0xF];
    (void)!write(trace, l, sizeof l - 1);
}

}  // namespace

void carte_simulee_oublier()
{
    // The table starts zeroed in a process; only a test reading it again
    // needs to clear it.
    std::memset(reponses, 0, sizeof reponses);
    pret = false;
}

__attribute__((noinline)) std::uint8_t lire_port(std::uint16_t port)
{
    preparer();
    if (refus) lever(genre_privilege, message_privilege);
    std::uint8_t v = reponses[port];
    tracer('R', port, v);
    return v;
}

__attribute__((noinline)) void ecrire_port(std::uint16_t port, std::uint8_t valeur)
{
    preparer();
    if (refus) lever(genre_privilege, message_privilege);
    tracer('W', port, valeur);
}

void pause_conversion()
{
    preparer();
    if (trace >= 0) (void)!write(trace, "P 1\n", 4);
    timespec t = {0, 1000000};
    while (nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}
