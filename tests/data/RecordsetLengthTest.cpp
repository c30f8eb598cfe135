// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FixtureDb.h"
#include "data/Recordset.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A text of `bytes` bytes whose every position tells where it stands, so a
// dropped or repeated piece shows; `ü` (two bytes) where it may straddle a
// piece's end.
std::string Marked(std::size_t bytes, bool withUmlaut)
{
    std::string text;
    while (text.size() < bytes)
        text += static_cast<char>('a' + text.size() % 26);
    if (withUmlaut && bytes >= 4)
        text.replace(bytes / 2 - 1, 2, "\xC3\xBC");
    return text;
}

class RecordsetLengthTest : public NavDbTest {};

}  // namespace

// Texts are read in pieces of a fixed buffer; the lengths around one and two
// pieces, where a piece that exactly fills the buffer must not be taken for
// the last, come back whole.
TEST_F(RecordsetLengthTest, TextsAroundThePieceSizeReadBackWhole)
{
    Build("");
    const struct {
        std::size_t bytes;
        bool umlaut;
    } cases[] = {{1, false},    {510, false},  {511, false}, {512, false}, {513, false}, {512, true},
                 {1022, false}, {1023, false}, {1023, true}, {1024, false}, {1025, false}, {1536, true},
                 {2047, false}, {2048, false}};
    for (const auto& c : cases) {
        const std::string text = Marked(c.bytes, c.umlaut);
        ExecuteSqlScript("VORS.MDB", "DELETE FROM Regions; INSERT INTO Regions VALUES ('" + text + "');");
        CRecordset rs(db());
        rs.Open(CRecordset::forwardOnly, "SELECT name FROM Regions", CRecordset::none);
        ASSERT_FALSE(rs.IsEOF()) << c.bytes;
        std::string read;
        rs.GetFieldValue("name", read);
        EXPECT_EQ(read.size(), c.bytes);
        EXPECT_EQ(read, text) << c.bytes << " bytes";
    }
}
