#include "link/ThisThread.h"

#include <cerrno>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace alvetra {

void nameThisThread(const char *name)
{
    pthread_setname_np(pthread_self(), name);
}

void lowerThisThreadsPriority()
{
    // Linux keeps a nice value per thread, addressed by its thread id.
    const auto tid = static_cast<id_t>(::syscall(SYS_gettid));
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, tid);
    if (errno == 0)
        (void)::setpriority(PRIO_PROCESS, tid, nice + 1);
}

} // namespace alvetra
