// The real card: x86 in/out on the ports granted by ioperm.

#include <cerrno>
#include <csetjmp>
#include <csignal>
#include <ctime>
#include <sys/io.h>
#include <ucontext.h>
#include <unistd.h>

#include "driver/ports.h"
#include "driver/privileges.h"
#include "front/echec.h"

namespace {

constexpr unsigned long premier_port = 0x304;
constexpr unsigned long nombre_ports = 0x317 - 0x304 + 1;

bool ouvert = false;
sigjmp_buf reprise;
const void *adresse_faute = nullptr;

// A kernel that granted ioperm may still fault the instruction (a hypervisor,
// a seccomp policy): that becomes "EPrivilege" like a refusal, never a death
// by signal.
void sur_faute(int, siginfo_t *, void *contexte)
{
    auto *uc = static_cast<ucontext_t *>(contexte);
    adresse_faute = reinterpret_cast<const void *>(uc->uc_mcontext.gregs[REG_RIP]);
    siglongjmp(reprise, 1);
}

__attribute__((noinline)) void ouvrir()
{
    if (ioperm(premier_port, nombre_ports, 1) != 0) lever(genre_privilege, message_privilege);
    // The ports stay granted; no capability is kept past this point, before
    // any argument is read.
    if (!abandonner_privileges()) lever(genre_privilege, message_privilege);
    struct sigaction a = {};
    a.sa_sigaction = sur_faute;
    a.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&a.sa_mask);
    sigaction(SIGSEGV, &a, nullptr);
    sigaction(SIGBUS, &a, nullptr);
    sigaction(SIGILL, &a, nullptr);
    ouvert = true;
}

}  // namespace

std::uint8_t lire_port(std::uint16_t port)
{
    if (!ouvert) ouvrir();
    if (sigsetjmp(reprise, 0) != 0) lever_a(genre_privilege, message_privilege, adresse_faute);
    std::uint8_t v;
    asm volatile("inb %1, %0" : "=a"(v) : "Nd"(port));
    return v;
}

void ecrire_port(std::uint16_t port, std::uint8_t valeur)
{
    if (!ouvert) ouvrir();
    if (sigsetjmp(reprise, 0) != 0) lever_a(genre_privilege, message_privilege, adresse_faute);
    asm volatile("outb %0, %1" : : "a"(valeur), "Nd"(port));
}

void pause_conversion()
{
    timespec t = {0, 1000000};
    while (nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}
