// The capability drop that follows a granted ioperm. This kernel may refuse
// ioperm itself, so the drop is checked on its own, in a child process: the
// test run must keep its own capabilities.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/io.h>
#include <sys/wait.h>
#include <unistd.h>

#include "driver/privileges.h"

namespace {

// The hexadecimal mask of a "CapXxx:" line of /proc/self/status.
unsigned long long masque(const std::string &nom)
{
    std::ifstream f("/proc/self/status");
    std::string ligne;
    while (std::getline(f, ligne))
        if (ligne.rfind(nom + ":", 0) == 0) return std::stoull(ligne.substr(nom.size() + 1), nullptr, 16);
    return ~0ULL;  // a missing line must not look like "no capability"
}

enum : int { reussi = 0, refus_drop = 10, reste_eff, reste_prm, reste_inh, ioperm_accorde };

int enfant()
{
    if (!abandonner_privileges()) return refus_drop;
    if (masque("CapEff") != 0) return reste_eff;
    if (masque("CapPrm") != 0) return reste_prm;
    if (masque("CapInh") != 0) return reste_inh;
    if (ioperm(0x304, 20, 1) == 0) return ioperm_accorde;
    return reussi;
}

}  // namespace

TEST(Privileges, AfterTheDropNoCapabilityRemainsAndIopermIsRefused)
{
    if (geteuid() != 0) GTEST_SKIP() << "needs root: an ordinary user holds no capability to drop";
    const unsigned long long avant = masque("CapEff");
    if (avant == 0) GTEST_SKIP() << "the test run already holds no capability";
    // Without cap_sys_rawio (a container) the refused ioperm proves little,
    // but the three masks still show the drop.
    if ((avant & (1ULL << 17)) == 0) std::fprintf(stderr, "note: the test run lacks cap_sys_rawio\n");

    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) _exit(enfant());
    int statut = 0;
    ASSERT_EQ(waitpid(pid, &statut, 0), pid);
    ASSERT_TRUE(WIFEXITED(statut)) << "the child died of a signal";
    EXPECT_EQ(WEXITSTATUS(statut), reussi)
        << "10: capset refused, 11/12/13: CapEff/CapPrm/CapInh not zero, 14: ioperm granted";
    // The drop concerns the child only.
    EXPECT_EQ(masque("CapEff"), avant);
}
