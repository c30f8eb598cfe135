// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/EditorHandOver.h"

#include "base/ProgramPath.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include <cstdlib>

extern char** environ;

namespace {

// The spawn attributes, released on every way out.
class SpawnAttributes {
public:
    SpawnAttributes() { m_ready = posix_spawnattr_init(&m_attr) == 0; }
    ~SpawnAttributes()
    {
        if (m_ready)
            posix_spawnattr_destroy(&m_attr);
    }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;

    // A window toolkit may block signals or ignore SIGPIPE in its own
    // threads; the editor should start with the defaults.
    bool ResetSignals()
    {
        if (!m_ready)
            return false;
        sigset_t none, defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        return posix_spawnattr_setsigmask(&m_attr, &none) == 0 &&
               posix_spawnattr_setsigdefault(&m_attr, &defaults) == 0 &&
               posix_spawnattr_setflags(&m_attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
    }
    const posix_spawnattr_t* get() const { return &m_attr; }

private:
    posix_spawnattr_t m_attr;
    bool m_ready = false;
};

// xdg-open runs but may find no editor to start (a desktop without one, a
// terminal emulator missing for a terminal editor): it then ends at once
// with a failure status. One that ends well, or still runs after a moment
// (waiting on the editor it started), has opened the report.
bool OpenerSucceeds(pid_t opener)
{
    constexpr int POLLS = 75;  // 1.5 s in all
    for (int i = 0; i < POLLS; ++i) {
        int status = 0;
        const pid_t ended = waitpid(opener, &status, WNOHANG);
        if (ended == opener)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (ended < 0 && errno != EINTR)
            return true;  // reaped elsewhere: it did start
        usleep(20000);
    }
    return true;
}

}  // namespace

bool StartEditorAndExit(const std::string& file)
{
    const std::string editor = base::findProgramOnPath("xdg-open", std::getenv("PATH"));
    if (editor.empty())
        return false;

    SpawnAttributes attributes;
    if (!attributes.ResetSignals())
        return false;

    std::string argument0 = "xdg-open";
    std::string argument1 = file;
    char* argv[] = {argument0.data(), argument1.data(), nullptr};

    // glibc's posix_spawn returns only after the exec in the child has
    // succeeded, and reports its error otherwise.
    pid_t child = 0;
    if (posix_spawn(&child, editor.c_str(), nullptr, attributes.get(), argv, environ) != 0)
        return false;
    if (!OpenerSucceeds(child))
        return false;
    _exit(0);
}
