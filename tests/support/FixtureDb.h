// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/NonCopyable.h"

#include "data/Database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// A fresh temporary directory that becomes the working directory for the
// life of the object, as the program expects VORS.MDB and course.txt there.
class ScratchDirectory : base::NonCopyable {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    std::string m_previous;
};

// The names in a directory, sorted, without "." and "..".
std::vector<std::string> DirectoryEntries(const std::string& path);

// Contents of a file, byte for byte; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Writes a file of text with mode, making the folders it lies in: by
// default a script its owner may run.
void WriteProgram(const std::filesystem::path& path, const std::string& text,
                  std::filesystem::perms mode = std::filesystem::perms::owner_all);

// Runs an SQL script on an SQLite file, creating it if needed.
void ExecuteSqlScript(const std::string& file, const std::string& sql);

// Contents of a file below the tests folder of the source tree.
std::string ReadTestFile(const std::string& relativePath);

// Test base: a scratch directory holding VORS.MDB with the navigation tables
// and whatever rows the test adds, opened through the program's connection.
class NavDbTest : public ::testing::Test {
protected:
    // Builds World() when a fixture gives one.
    void SetUp() override;
    // The rows every test of a fixture starts from; none by default, and
    // the tests build their own.
    virtual std::string World() const { return {}; }
    // Adds rows (or anything else) and opens the connection.
    void Build(const std::string& sql);
    CDatabase* db() { return m_db.get(); }

    std::unique_ptr<ScratchDirectory> m_dir;
    std::unique_ptr<CDatabase> m_db;
};

// Row builders for fixtures.
std::string AirportRow(int id, const std::string& ident, const std::string& name, const std::string& latDir,
                       int latMajor, double latMinor, const std::string& longDir, int longMajor, double longMinor,
                       const std::string& extra = "'Europe','Testland','','Testcity',100,-1.0");
std::string NavRow(int id, const std::string& name, const std::string& latDir, int latMajor, double latMinor,
                   const std::string& longDir, int longMajor, double longMinor, const std::string& type = "VOR",
                   const std::string& frequency = "113.1", const std::string& elevation = "50");

