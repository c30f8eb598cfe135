// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/DataFiles.h"

#include "tests/support/FixtureDb.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>

namespace {

// Sets an environment variable, or with nullptr unsets it, for the life of
// the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable()
    {
        if (m_old)
            setenv(m_name.c_str(), m_old->c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

// Points MERIDANE_DATA_DIR at a directory for the life of the object.
class DataDirVariable : public ScopedVariable {
public:
    explicit DataDirVariable(const std::string& dir) : ScopedVariable("MERIDANE_DATA_DIR", dir.c_str()) {}
};

}  // namespace

TEST(DataFiles, TheVariableComesFirstAndOnlyARegularFileCounts)
{
    ScratchDirectory dir;
    DataDirVariable variable(dir.path());
    std::filesystem::create_directory("wmm");
    std::ofstream("wmm/WMM2025.COF") << "coefficients\n";
    EXPECT_EQ(base::findDataFile("wmm/WMM2025.COF"), dir.path() + "/wmm/WMM2025.COF");

    std::filesystem::remove("wmm/WMM2025.COF");
    std::filesystem::create_directory("wmm/WMM2025.COF");
    std::string found;
    try {
        found = base::findDataFile("wmm/WMM2025.COF");
    } catch (const std::runtime_error&) {
    }
    EXPECT_NE(found.rfind(dir.path(), 0), 0u) << found;
}

TEST(DataFiles, AFileFoundNowhereIsAnErrorNamingItAndEveryPlaceTried)
{
    ScratchDirectory dir;
    DataDirVariable variable(dir.path());
    try {
        base::findDataFile("naturalearth/no-such-outline.json");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("naturalearth/no-such-outline.json"), std::string::npos) << what;
        EXPECT_NE(what.find("\n  " + dir.path() + "\n"), std::string::npos) << what;
        EXPECT_NE(what.find("/../share/meridane\n"), std::string::npos) << what;
        // The variable, beside the program, the install directory, the source data.
        std::size_t places = 0;
        for (std::size_t at = what.find("\n  "); at != std::string::npos; at = what.find("\n  ", at + 1))
            ++places;
        EXPECT_EQ(places, 4u) << what;
    }
}

// The user's folders by the XDG rules: an absolute variable wins, a relative
// or empty one is ignored for the folder below HOME, and without HOME there
// is none.
TEST(DataFiles, UserFoldersFollowTheXdgRules)
{
    const struct {
        const char* xdg;
        const char* home;
        const char* data;
        const char* cache;
    } cases[] = {
        {"/srv/xdg", "/home/pilote", "/srv/xdg", "/srv/xdg"},
        {"relative/xdg", "/home/pilote", "/home/pilote/.local/share", "/home/pilote/.cache"},
        {"", "/home/zoë", "/home/zoë/.local/share", "/home/zoë/.cache"},
        {nullptr, "/home/pilote", "/home/pilote/.local/share", "/home/pilote/.cache"},
        {"/srv/xdg", nullptr, "/srv/xdg", "/srv/xdg"},
        {nullptr, "", "", ""},
        {nullptr, nullptr, "", ""},
    };
    for (const auto& c : cases) {
        const std::string what = std::string(c.xdg ? c.xdg : "(unset)") + ", HOME " + (c.home ? c.home : "(unset)");
        const ScopedVariable home("HOME", c.home);
        {
            const ScopedVariable data("XDG_DATA_HOME", c.xdg), other("XDG_CACHE_HOME", "/elsewhere");
            EXPECT_EQ(base::userDir(base::UserDir::Data), c.data) << what;
        }
        const ScopedVariable cache("XDG_CACHE_HOME", c.xdg), other("XDG_DATA_HOME", "/elsewhere");
        EXPECT_EQ(base::userDir(base::UserDir::Cache), c.cache) << what;
    }
}
