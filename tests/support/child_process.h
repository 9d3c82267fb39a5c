// A forked child that runs a check and reports its answer, for tests of what another process
// (killed mid-write, or without root's privileges) sees.
#pragma once

#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace ChildProcess {

// Forks a child that runs `check`, tells the parent its answer and then, when it `stays`, waits
// to be killed, otherwise ends with status 0 (true) or 1. Returns the child's id once the answer
// arrived, or -1.
inline pid_t Start(const std::function<bool()>& check, bool stays = false)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        const char answer = check() ? 'y' : 'n';
        [[maybe_unused]] const auto sent = ::write(ready[1], &answer, 1);
        while (stays)
            ::pause();
        ::_exit(answer == 'y' ? 0 : 1);
    }
    ::close(ready[1]);
    char answer = 0;
    const bool told = child > 0 && ::read(ready[0], &answer, 1) == 1;
    ::close(ready[0]);
    return told ? child : -1;
}

// Waits for the child; true when it was ended by a signal.
inline bool Ended(pid_t child)
{
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFSIGNALED(status);
}

// Waits for the child; true when its check held.
inline bool Succeeded(pid_t child)
{
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Drops root's privileges for good (to the user "nobody"); false when that was not possible.
inline bool BecomeNobody()
{
    return ::getuid() != 0
           || (::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0);
}

}
