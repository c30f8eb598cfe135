// SPDX-License-Identifier: GPL-3.0-or-later
#include "kneeboard/PdfText.h"

#include "base/Utf8Text.h"

#include <cairo-pdf.h>
#include <glib.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

cairo_status_t discard(void*, const unsigned char*, unsigned int)
{
    return CAIRO_STATUS_SUCCESS;
}

// A context of the kind the navlog draws on, at the body's size.
class PdfTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_surface.reset(cairo_pdf_surface_create_for_stream(discard, nullptr, 400, 600));
        m_cr.reset(cairo_create(m_surface.get()));
        kneeboard::setFont(m_cr.get(), 8.5);
    }
    cairo_t* cr() { return m_cr.get(); }

    // The answer measured character by character: the longest start of the
    // text that fits with an ellipsis.
    std::string bruteForce(const std::string& text, double maxWidth)
    {
        const std::string clean = base::labelText(text);
        if (kneeboard::textWidth(cr(), clean) <= maxWidth)
            return clean;
        std::string best;
        for (const char* c = clean.c_str();; c = g_utf8_next_char(c)) {
            std::string start = clean.substr(0, static_cast<std::size_t>(c - clean.c_str()));
            while (!start.empty() && start.back() == ' ')
                start.pop_back();
            if (kneeboard::textWidth(cr(), start + "\u2026") <= maxWidth)
                best = start + "\u2026";
            if (!*c)
                break;
        }
        return best;
    }

private:
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> m_surface{nullptr, cairo_surface_destroy};
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> m_cr{nullptr, cairo_destroy};
};

TEST_F(PdfTextTest, FittedCutsAtTheLastCharacterThatLeavesRoomForTheEllipsis)
{
    // Narrow and wide letters, two- and three-byte characters, runs of
    // blanks where a cut may fall, and a damaged byte.
    const std::string texts[] = {
        "John F. Kennedy International Airport",
        "Ærodrome de Saint-Étienne–Bouthéon   Loire  Forez",
        "Аэропорт Шереметьево имени А. С. Пушкина",
        "東京国際空港 羽田 Tokyo International Haneda",
        "iiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiWWWWWWWWWWWWWWWW",
        "WWWWWWWWWWWWWWWWWWWWWiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiii",
        "Melbourne \xff Tullamarine",
    };
    for (const std::string& text : texts) {
        for (double width : {0.0, 3.0, 9.0, 20.0, 47.5, 80.0, 133.0, 400.0}) {
            const std::string shown = kneeboard::fitted(cr(), text, width);
            EXPECT_EQ(shown, bruteForce(text, width)) << text << " in " << width;
            if (!shown.empty()) {
                EXPECT_TRUE(g_utf8_validate(shown.c_str(), static_cast<gssize>(shown.size()), nullptr)) << shown;
                EXPECT_LE(kneeboard::textWidth(cr(), shown), width) << shown;
            }
        }
    }
}

TEST_F(PdfTextTest, AHundredThousandCharacterNameIsCutToTheLine)
{
    // Before, each character dropped cost a measurement of the whole name:
    // this one never finished.
    std::string name;
    while (name.size() < 200000)
        name += "Ærø ";
    name = name.substr(0, base::utf8CutPoint(name, 200000));
    const std::string shown = kneeboard::fitted(cr(), name, 200.0);
    EXPECT_EQ(shown, bruteForce(name.substr(0, 400), 200.0));
    EXPECT_LE(kneeboard::textWidth(cr(), shown), 200.0);

    // Wrapped, it takes no more lines than allowed, the last one cut.
    const auto lines = kneeboard::wrapped(cr(), name, 200.0, 3);
    ASSERT_EQ(lines.size(), 3u);
    for (const std::string& line : lines)
        EXPECT_LE(kneeboard::textWidth(cr(), line), 200.0) << line;
    EXPECT_EQ(lines[2].substr(lines[2].size() - 3), "\u2026");
    EXPECT_EQ(lines[0].rfind("Ærø Ærø", 0), 0u) << lines[0];
}

}  // namespace
