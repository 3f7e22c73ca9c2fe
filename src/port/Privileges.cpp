#include "port/Privileges.h"

#include <cerrno>
#include <csignal>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace quilby {

namespace {

int capabilities(bool set, __user_cap_data_struct (&data)[2]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    const long result =
        set ? ::syscall(SYS_capset, &header, data) : ::syscall(SYS_capget, &header, data);
    return result == 0 ? 0 : errno;
}

} // namespace

int dropEveryCapability() {
    __user_cap_data_struct none[2] = {};
    if (const int error = capabilities(true, none)) {
        return error;
    }
    ::prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_CLEAR_ALL, 0, 0, 0);
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) {
        return errno;
    }
    return holdsCapabilities() ? EPERM : 0;
}

bool watchParentDeath() {
    // Executing a file with capabilities cleared any death signal the parent
    // asked for; this one is the helper's own. Its parent may have died
    // between the two looks: then it was handed to another process. (The end
    // of its input tells the helper of a parent that died before.)
    const pid_t parent = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGKILL, 0, 0, 0);
    return ::getppid() == parent;
}

bool holdsCapabilities() {
    __user_cap_data_struct now[2] = {};
    if (capabilities(false, now) != 0) {
        return true;
    }
    for (const auto& word : now) {
        if (word.effective != 0 || word.permitted != 0 || word.inheritable != 0) {
            return true;
        }
    }
    return false;
}

} // namespace quilby
