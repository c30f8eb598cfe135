// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FixtureDb.h"

#include "data/ConnectionString.h"
#include "data/Quoting.h"

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

ScratchDirectory::ScratchDirectory()
{
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd))
        m_previous = cwd;
    std::string pattern = (std::filesystem::temp_directory_path() / "meridane-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch directory");
    m_path = pattern;
    if (chdir(m_path.c_str()) != 0)
        throw std::runtime_error("cannot enter " + m_path);
}

std::vector<std::string> DirectoryEntries(const std::string& path)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(path, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

ScratchDirectory::~ScratchDirectory()
{
    if (!m_previous.empty() && chdir(m_previous.c_str()) != 0)
        std::perror("chdir");
    std::error_code ec;
    // Make read-only test folders removable again first.
    for (auto& entry : std::filesystem::recursive_directory_iterator(m_path, ec)) {
        if (entry.is_directory(ec) && !entry.is_symlink(ec))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
    }
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

void ExecuteSqlScript(const std::string& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file);
    }
    char* error = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("fixture SQL failed: " + message);
}

std::string ReadTestFile(const std::string& relativePath)
{
    std::ifstream in(std::string(MERIDANE_TEST_DATA_DIR) + "/" + relativePath, std::ios::binary);
    if (!in)
        throw std::runtime_error("missing test file " + relativePath);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void NavDbTest::SetUp()
{
    m_dir = std::make_unique<ScratchDirectory>();
    const std::string world = World();
    if (!world.empty())
        Build(world);
}

void NavDbTest::Build(const std::string& sql)
{
    ExecuteSqlScript(NAVDB_FILE_NAME, ReadTestFile("support/schema.sql") + sql);
    m_db = std::make_unique<CDatabase>();
    ASSERT_TRUE(m_db->Open(nullptr, false, true, NAVDB_CONNECT_STRING, true));
}

namespace {
// A literal SQLite takes for a real number, also for whole values ("10.0",
// not "10"), so that a column that stores it as text holds what the
// importer's doubles give.
std::string Real(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    std::string literal = text;
    if (literal.find_first_of(".en") == std::string::npos)
        literal += ".0";
    return literal;
}
}  // namespace

std::string AirportRow(int id, const std::string& ident, const std::string& name, const std::string& latDir,
                       int latMajor, double latMinor, const std::string& longDir, int longMajor, double longMinor,
                       const std::string& extra)
{
    // extra: region, country, state, city, Elevation, Frequency
    std::ostringstream sql;
    sql << "INSERT INTO airports (ID,Ident,Name,region,country,state,city,Elevation,Frequency,"
           "LatDir,LatMajor,LatMinor,LongDir,LongMajor,LongMinor) VALUES ("
        << id << ",'" << EscapeQuotes(ident) << "','" << EscapeQuotes(name) << "'," << extra << ",'" << latDir << "'," << latMajor << ","
        << Real(latMinor) << ",'" << longDir << "'," << longMajor << "," << Real(longMinor) << ");\n";
    return sql.str();
}

std::string NavRow(int id, const std::string& name, const std::string& latDir, int latMajor, double latMinor,
                   const std::string& longDir, int longMajor, double longMinor, const std::string& type,
                   const std::string& frequency, const std::string& elevation)
{
    std::ostringstream sql;
    sql << "INSERT INTO navs (ID,Name,type,LatDir,LatMajor,LatMinor,LongDir,LongMajor,LongMinor,"
           "Elevation,Frequency) VALUES ("
        << id << ",'" << EscapeQuotes(name) << "','" << type << "','" << latDir << "',"
        << latMajor << "," << Real(latMinor) << ",'" << longDir << "'," << longMajor << "," << Real(longMinor)
        << "," << elevation << "," << frequency << ");\n"
        // Replacing, for tests that empty navs and fill it anew.
        << "INSERT OR REPLACE INTO nav_idents (ID,Ident,Kind) VALUES (" << id << ",'N" << id << "','" << type
        << "');\n";
    return sql.str();
}

void WriteProgram(const std::filesystem::path& path, const std::string& text, std::filesystem::perms mode)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    std::filesystem::permissions(path, mode);
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
