#include "driver/privileges.h"

#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

bool abandonner_privileges()
{
    // Ambient capabilities first: they cannot outlive the permitted set anyway.
    prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_CLEAR_ALL, 0, 0, 0);
    __user_cap_header_struct entete = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct donnees[_LINUX_CAPABILITY_U32S_3] = {};
    return syscall(SYS_capset, &entete, donnees) == 0;
}
