// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/UiFixture.h"

#include <cstdlib>

#include "data/Quoting.h"

namespace {
std::string Quoted(const std::string& text)
{
    return "'" + EscapeQuotes(text) + "'";
}
}  // namespace

std::string Airport(int id, const std::string& name, const std::string& region, const std::string& country,
                    const std::string& state, const std::string& city, const std::string& elevation,
                    const std::string& frequency, int latMajor, double latMinor, int longMajor, double longMinor)
{
    std::string extra = Quoted(region) + "," + Quoted(country) + "," + Quoted(state) + "," + Quoted(city) + "," +
                        elevation + "," + frequency;
    return AirportRow(id, "K" + std::to_string(id), name, "N", latMajor, latMinor, "W", longMajor, longMinor, extra);
}

std::string Runway(int airportID, const std::string& number, const std::string& length, const std::string& type,
                   const std::string& ils)
{
    return "INSERT INTO runways (airport_id,Number,Length,Type,ILS) VALUES (" + std::to_string(airportID) + "," +
           Quoted(number) + "," + length + "," + Quoted(type) + "," + ils + ");\n";
}

std::string CascadeRows()
{
    std::string sql =
        // Not in alphabetical order: the boxes sort.
        "INSERT INTO Regions (name) VALUES ('North America'),('Europe'),('Oceania'),('Africa'),('Antarctica');\n"
        "INSERT INTO countries (name,region) VALUES ('United States','North America'),('Mexico','North America'),"
        "('Canada','North America'),('Testland','Europe'),('O''Land','Europe'),('united states','Europe'),"
        "('Kenya','Africa'),('Nauru','Oceania');\n";
    // United States: New York has two cities and an airport name found in
    // both; Hawai'i and Idaho have one city each.
    sql += Airport(10, "John F Kennedy Intl", "North America", "United States", "New York", "New York", "13",
                   "128.725", 40, 63.94, 73, 77.89);
    sql += Airport(11, "La Guardia", "North America", "United States", "New York", "New York", "21", "-1.0");
    sql += Airport(12, "Albany Intl", "North America", "United States", "New York", "Albany", "285", "120.6");
    sql += Airport(13, "Municipal", "North America", "United States", "New York", "New York", "10", "118.1");
    sql += Airport(14, "Municipal", "North America", "United States", "New York", "Albany", "20", "119.2");
    sql += Airport(20, "Logan Intl", "North America", "United States", "Massachusetts", "Boston", "20", "135.0");
    sql += Airport(30, "Coeur d'Alene Rgnl", "North America", "United States", "Idaho", "Coeur d'Alene", "2320",
                   "-1.0");
    sql += Airport(31, "Hilo Intl", "North America", "United States", "Hawai'i", "Hilo", "38", "-1.0");
    // Canada names provinces in the state column; outside the United States
    // no query asks for them.
    sql += Airport(40, "Pearson Intl", "North America", "Canada", "ON", "Toronto", "569", "120.82");
    sql += Airport(41, "Billy Bishop", "North America", "Canada", "ON", "Toronto", "252", "133.6");
    sql += Airport(42, "Trudeau Intl", "North America", "Canada", "QC", "Montreal", "118", "133.7");
    // Europe: apostrophes in country, city and airport; a country that is
    // "United States" in another letter case.
    sql += Airport(50, "Alpha Field", "Europe", "Testland", "", "Alpha", "50", "121.5");
    sql += Airport(51, "St. John's Field", "Europe", "O'Land", "", "St. John's", "75", "122.8");
    sql += Airport(52, "Lowtown Strip", "Europe", "united states", "", "Lowtown", "3", "-1.0");
    // Africa: one country with one city, two airports.
    sql += Airport(60, "Wilson", "Africa", "Kenya", "", "Nairobi", "5536", "118.1");
    sql += Airport(61, "Jomo Kenyatta Intl", "Africa", "Kenya", "", "Nairobi", "5330", "-1.0");
    // Mexico and Nauru have no airports; Antarctica no countries.

    sql += Runway(10, "04L", "12079", "Asphalt", "110.9");
    sql += Runway(10, "13R", "14511", "Concrete", "-1.0");
    sql += Runway(10, "-1.0", "NULL", "-1.0", "109.5");
    sql += Runway(20, "09", "7000", "Asphalt", "-1.0");
    sql += Runway(61, "06", "13507", "Asphalt", "110.3");
    return sql;
}

std::string RouteRows()
{
    std::string sql = "INSERT INTO Regions (name) VALUES ('North America');\n"
                      "INSERT INTO countries (name,region) VALUES ('United States','North America');\n";
    sql += Airport(10, "Kennedy", "North America", "United States", "New York", "New York", "13", "128.725", 40,
                   50.0, 74, 50.0);
    sql += Airport(11, "Short Field", "North America", "United States", "New York", "New York", "40", "-1.0", 40,
                   60.0, 74, 40.0);
    sql += Airport(20, "Logan", "North America", "United States", "Massachusetts", "Boston", "20", "-1.0", 42, 50.0,
                   71, 50.0);
    sql += Runway(10, "04L", "12079", "Asphalt", "110.9");
    sql += Runway(10, "13R", "14511", "Concrete", "-1.0");
    sql += Runway(20, "09", "7000", "Asphalt", "-1.0");
    sql += NavRow(101, "Alpha VOR", "N", 41, 20.0, "W", 73, 60.0, "VOR", "112.1", "100");
    sql += NavRow(102, "Bravo VOR", "N", 41, 80.0, "W", 72, 80.0, "VOR", "-1.0", "200");
    sql += NavRow(103, "Charlie VOR", "N", 42, 30.0, "W", 72, 10.0, "VOR", "114.5", "300");
    sql += NavRow(104, "Delta NDB", "N", 41, 50.0, "W", 73, 20.0, "NDB", "350", "50");
    return sql;
}

void WindowTest::SetUp()
{
    NavDbTest::SetUp();
    // Each test remembers in its own scratch folder, never in the user's.
    setenv("XDG_CONFIG_HOME", (m_dir->path() + "/config").c_str(), 1);
    m_previous = SetErrorReporter([this](const std::string& message) { errors.push_back(message); });
}

void WindowTest::TearDown()
{
    SetErrorReporter(m_previous);
    NavDbTest::TearDown();
}
