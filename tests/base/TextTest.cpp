// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AsciiText.h"
#include "base/NumberText.h"
#include "base/Utf8Text.h"
#include "base/XmlText.h"

#include <gtest/gtest.h>

#include <glib.h>

// One damaged name reads the same in every output: each stray byte is one
// U+FFFD, and only what a format cannot carry differs.
TEST(Text, DamagedBytesReadAsReplacementCharactersInEveryOutput)
{
    const std::string fffd = "\xEF\xBF\xBD";
    const struct {
        std::string bytes;
        std::string valid;      // flight-plan files, reports
        std::string label;      // map labels: controls as spaces
        std::string content;    // XML element content
        std::string attribute;  // XML attribute value
    } cases[] = {
        {"Z\xFCrich", "Z" + fffd + "rich", "Z" + fffd + "rich", "Z" + fffd + "rich", "Z" + fffd + "rich"},
        {"Z\xC3\xBCrich", "Z\xC3\xBCrich", "Z\xC3\xBCrich", "Z\xC3\xBCrich", "Z\xC3\xBCrich"},
        {"\xC3", fffd, fffd, fffd, fffd},                           // a character cut short
        {"\xE2\x82", fffd + fffd, fffd + fffd, fffd + fffd, fffd + fffd},
        {"\xC0\xAF", fffd + fffd, fffd + fffd, fffd + fffd, fffd + fffd},  // overlong '/'
        {"\xED\xA0\x80", fffd + fffd + fffd, fffd + fffd + fffd, fffd + fffd + fffd, fffd + fffd + fffd},
        {"A\tB\x01" "C", "A\tB\x01" "C", "A B C", "A\tBC", "A\tBC"},
        {"St. John's <\"A&B\">", "St. John's <\"A&B\">", "St. John's <\"A&B\">",
         "St. John's &lt;\"A&amp;B\"&gt;", "St. John&apos;s &lt;&quot;A&amp;B&quot;&gt;"},
        {std::string("N\0S", 3), "N" + fffd + "S", "N" + fffd + "S", "N" + fffd + "S", "N" + fffd + "S"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(base::validUtf8(c.bytes), c.valid) << c.bytes;
        EXPECT_EQ(base::labelText(c.bytes), c.label) << c.bytes;
        EXPECT_EQ(base::xmlEscape(c.bytes), c.content) << c.bytes;
        EXPECT_EQ(base::xmlAttributeEscape(c.bytes), c.attribute) << c.bytes;
    }
}

TEST(Text, ExtensionsAndCaseAreAsciiOnly)
{
    const std::pair<const char*, const char*> extensions[] = {
        {"plan.FMS", ".fms"}, {"dir.d/plan", ""}, {".svg", ""}, {"a/.hidden.PNG", ".png"}, {"x.", "."},
    };
    for (const auto& [path, extension] : extensions)
        EXPECT_EQ(base::lowerExtension(path), extension) << path;
    EXPECT_EQ(base::asciiUpper("kjfk z\xC3\xBCrich"), "KJFK Z\xC3\xBCRICH");
    EXPECT_EQ(base::asciiLower("PNG \xC3\x9C"), "png \xC3\x9C");
}

namespace {

void countMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer count)
{
    ++*static_cast<int*>(count);
}

}  // namespace

// An empty text (an empty field of a CSV row) has no data to hand GLib; GLib
// says so on standard error for each. Every byte comes back, a NUL among them.
TEST(Text, CaseOfEmptyAndNulBearingTextsWithoutGlibComplaints)
{
    int complaints = 0;
    const guint handler = g_log_set_handler("GLib", static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL |
                                                                               G_LOG_LEVEL_WARNING),
                                            countMessage, &complaints);
    const struct {
        std::string_view text, upper, lower;
    } cases[] = {
        {std::string_view(), "", ""},
        {"", "", ""},
        {std::string_view("a\0b", 3), std::string_view("A\0B", 3), std::string_view("a\0b", 3)},
        {"\xC3\xA9t\xC3\xA9 Ab", "\xC3\xA9T\xC3\xA9 AB", "\xC3\xA9t\xC3\xA9 ab"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(base::asciiUpper(c.text), c.upper);
        EXPECT_EQ(base::asciiLower(c.text), c.lower);
    }
    EXPECT_EQ(base::lowerExtension(""), "");
    g_log_remove_handler("GLib", handler);
    EXPECT_EQ(complaints, 0);
}

// Figures that round to zero carry no minus, whatever the number of
// decimals; those that round away from it keep theirs.
TEST(Text, NegativesThatRoundToZeroLoseTheirMinus)
{
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {-0.0, 0, "0"},      {-0.0, 1, "0.0"},    {-0.4, 0, "0"},        {-0.04, 1, "0.0"},
        {-0.004, 2, "0.00"}, {-1e-300, 3, "0.000"}, {-0.0004999, 3, "0.000"},
        {-0.6, 0, "-1"},     {-0.06, 1, "-0.1"},  {-0.006, 2, "-0.01"},  {-10.04, 1, "-10.0"},
        {-100.0, 0, "-100"}, {0.04, 1, "0.0"},    {1e-300, 0, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(base::formatFixed(c.value, c.decimals), c.text) << c.value << " to " << c.decimals;
}

// Fields of the simulators' text files: runs of blanks and tabs between,
// none made of the bytes of a UTF-8 character, the rest of the line left
// where fewer fields are asked for.
TEST(Text, FieldsSplitAtRunsOfWhiteSpace)
{
    using Fields = std::vector<std::string_view>;
    EXPECT_EQ(base::splitWhitespace("  3 -33.9\t151.2  SY\xc2\xa0Z  \r\n"), (Fields{"3", "-33.9", "151.2", "SY\xc2\xa0Z"}));
    EXPECT_EQ(base::splitWhitespace("a b c d", 2), (Fields{"a", "b"}));
    EXPECT_EQ(base::splitWhitespace(" \t "), Fields{});
    EXPECT_EQ(base::splitWhitespace("one", 0), Fields{});
}
