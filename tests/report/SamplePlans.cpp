// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/report/SamplePlans.h"

#include "tests/support/FixtureDb.h"

#include <fstream>
#include <sstream>

namespace {

const ReportAirport FRANKFURT = {"Frankfurt Main", "N50* 3.33'", "E8* 57.05'", "118.025", "364 ft."};
const ReportAirport KENNEDY = {"John F Kennedy Intl", "N40* 63.94'", "W73* 77.89'", "128.725", "13 ft."};
const ReportAirport MUNICH = {"Muenchen", "N48* 35.38'", "E11* 78.61'", "123.125", "1487 ft."};
const ReportAirport ZURICH = {"Z\u00fcrich", "N47* 46.47'", "E8* 54.91'", "128.525", "1416 ft."};
const ReportAirport SAO_PAULO = {"S\u00e3o Paulo Guarulhos", "S23* 43.56'", "W46* 47.31'", "NA", "2459 ft."};

}  // namespace

CoursePlan NoRunwaysNoRoutePlan()
{
    CoursePlan plan;
    plan.departure = FRANKFURT;
    plan.destination = MUNICH;
    return plan;
}

CoursePlan ThreeRunwaysAgainstOnePlan()
{
    CoursePlan plan;
    plan.departure = FRANKFURT;
    plan.destination = MUNICH;
    plan.departureRunways = {{"07C", "13123", "Asphalt", "110.70"},
                             {"25L", "13123", "Asphalt", "NA"},
                             {"18", "13123", "Concrete", "NA"}};
    plan.destinationRunways = {{"08R", "13123", "Concrete", "108.30"}};
    plan.route = {{"Frankfurt", "114.2", "N50* 5.33'", "E8* 63.72'", "360", "0.00", "164.12"},
                  {"Oberrhein-Kaiserslautern 30Chr", "112.2", "N49* 25.05'", "E7* 49.10'", "1050", "72.40", "191.87"},
                  {"Muenchen", "116.0", "N48* 21.50'", "E11* 81.67'", "1480", "164.12", "0.00"}};
    return plan;
}

CoursePlan NoRunwaysAgainstTwoPlan()
{
    CoursePlan plan;
    plan.departure = KENNEDY;
    plan.destination = FRANKFURT;
    plan.destinationRunways = {{"07C", "13123", "Asphalt", "110.70"}, {"25R", "13123", "Asphalt", "NA"}};
    plan.route = {{"Kennedy", "115.9", "N40* 63.28'", "W73* 77.13'", "10", "0.00", "3346.90"}};
    return plan;
}

CoursePlan AccentedNamesPlan()
{
    CoursePlan plan;
    plan.departure = ZURICH;
    plan.destination = SAO_PAULO;
    plan.departureRunways = {{"14", "10827", "Concrete", "110.50"}};
    plan.destinationRunways = {{"09L", "12139", "Asphalt", "NA"}, {"09R", "9843", "Asphalt", "111.10"}};
    plan.route = {{"Z\u00fcrich East", "110.05", "N47* 59.00'", "E8* 81.67'", "1770", "0.00", "5334.20"},
                  {"C\u00f4te d'Ivoire", "114.3", "N5* 25.00'", "W3* 93.00'", "30", "2891.50", "2450.30"},
                  {"S\u00e3o Paulo", "116.9", "S23* 45.00'", "W46* 60.00'", "2400", "5330.10", "4.10"}};
    return plan;
}

std::string Golden(const std::string& name)
{
    return ReadTestFile("report/golden/" + name + ".txt");
}

