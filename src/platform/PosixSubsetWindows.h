#pragma once

// The few POSIX calls that parts of the command-line tool still make
// directly, on what the C runtime offers on Windows. Given to those files
// only by the build, until they reach the system through the platform layer.
#include <csignal>
#include <direct.h>
#include <sys/stat.h>
#include <sys/types.h>

using sigset_t = unsigned long;
inline constexpr int SIG_BLOCK = 0;
inline constexpr int SIG_SETMASK = 2;
// A closed console window sends Ctrl+Break, the nearest thing to a hang-up.
inline constexpr int SIGHUP = SIGBREAK;

inline int sigemptyset(sigset_t *set)
{
    *set = 0;
    return 0;
}

inline int sigaddset(sigset_t *set, int signal)
{
    *set |= 1ul << signal;
    return 0;
}

// Signals are delivered on a thread of their own here: there is no mask to set.
inline int sigprocmask(int, const sigset_t *, sigset_t *)
{
    return 0;
}

struct sigaction {
    void (*sa_handler)(int) = nullptr;
    sigset_t sa_mask = 0;
    int sa_flags = 0;
};

inline int sigaction(int signal, const struct sigaction *action, struct sigaction *)
{
    return std::signal(signal, action->sa_handler) == SIG_ERR ? -1 : 0;
}

inline unsigned getuid()
{
    return 0;
}

inline int mkdir(const char *path, int)
{
    return _mkdir(path);
}

#ifndef S_ISBLK
#define S_ISBLK(mode) false
#endif
