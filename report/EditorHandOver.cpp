// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorHandOver.h"

#include "base/ProgramPath.h"

#include <signal.h>
#include <spawn.h>
#include <unistd.h>

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

}  // namespace

bool StartEditorAndExit(const std::string& file)
{
    const std::string editor = FindProgramOnPath("xdg-open", std::getenv("PATH"));
    if (editor.empty())
        return false;

    SpawnAttributes attributes;
    if (!attributes.ResetSignals())
        return false;

    std::string argument0 = "xdg-open";
    std::string argument1 = file;
    char* argv[] = {argument0.data(), argument1.data(), nullptr};

    // glibc's posix_spawn returns only after the exec in the child has
    // succeeded, and reports its error otherwise, so a zero result means the
    // editor really runs and the program may end.
    pid_t child = 0;
    if (posix_spawn(&child, editor.c_str(), nullptr, attributes.get(), argv, environ) != 0)
        return false;
    _exit(0);
}
