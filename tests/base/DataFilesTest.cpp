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

// Points MERIDANE_DATA_DIR at a directory for the life of the object.
class DataDirVariable {
public:
    explicit DataDirVariable(const std::string& dir)
    {
        if (const char* old = std::getenv("MERIDANE_DATA_DIR"))
            m_old = old;
        setenv("MERIDANE_DATA_DIR", dir.c_str(), 1);
    }
    ~DataDirVariable()
    {
        if (m_old)
            setenv("MERIDANE_DATA_DIR", m_old->c_str(), 1);
        else
            unsetenv("MERIDANE_DATA_DIR");
    }

private:
    std::optional<std::string> m_old;
};

}  // namespace

TEST(DataFiles, TheVariableComesFirstAndOnlyARegularFileCounts)
{
    ScratchDirectory dir;
    DataDirVariable variable(dir.path());
    std::filesystem::create_directory("wmm");
    std::ofstream("wmm/WMM2025.COF") << "coefficients\n";
    EXPECT_EQ(FindDataFile("wmm/WMM2025.COF"), dir.path() + "/wmm/WMM2025.COF");

    std::filesystem::remove("wmm/WMM2025.COF");
    std::filesystem::create_directory("wmm/WMM2025.COF");
    std::string found;
    try {
        found = FindDataFile("wmm/WMM2025.COF");
    } catch (const std::runtime_error&) {
    }
    EXPECT_NE(found.rfind(dir.path(), 0), 0u) << found;
}

TEST(DataFiles, AFileFoundNowhereIsAnErrorNamingItAndEveryPlaceTried)
{
    ScratchDirectory dir;
    DataDirVariable variable(dir.path());
    try {
        FindDataFile("naturalearth/no-such-outline.json");
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
