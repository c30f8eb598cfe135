// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/MagneticModel.h"

#include "base/NumberText.h"
#include "base/Units.h"
#include "flightplan/PlanError.h"

#include "base/AsciiText.h"
#include "base/DataFiles.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

namespace flightplan {

namespace {

constexpr int MODEL_DEGREE = 12;
constexpr double DEG = base::RADIANS_PER_DEGREE;
// WGS 84 semi-major axis and flattening, and the model's reference radius.
constexpr double WGS84_A_KM = 6378.137;
constexpr double WGS84_F = 1.0 / 298.257223563;
constexpr double REFERENCE_RADIUS_KM = 6371.2;
// Models of the Earth's field have been published for epochs from 1900 on;
// a header outside these years is a damaged file, not a model.
constexpr double EARLIEST_EPOCH = 1900.0;
constexpr double LATEST_EPOCH = 2100.0;
// The field is nowhere stronger than about 70,000 nT and changes by at most
// a few hundred nT a year: a coefficient far beyond that is damage, and
// would overflow the synthesis.
constexpr double LARGEST_COEFFICIENT_NT = 100000.0;
constexpr double LARGEST_CHANGE_NT_PER_YEAR = 1000.0;

int coefficientIndex(int n, int m)
{
    return n * (n + 1) / 2 + m;
}

[[noreturn]] void damaged(const std::string& path, int lineNumber, const std::string& cause)
{
    throw PlanError("The magnetic model file " + path + " is damaged: line " + std::to_string(lineNumber) + " " +
                    cause + ".");
}

}  // namespace

MagneticModel MagneticModel::loadInstalled()
{
    return load(base::findDataFile("wmm/WMM2025.COF"));
}

MagneticModel MagneticModel::load(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw PlanError("The magnetic model file " + path + " cannot be opened: " + std::strerror(errno) + ".");

    MagneticModel model;
    model.m_path = path;
    model.m_maxDegree = MODEL_DEGREE;
    const std::size_t count = static_cast<std::size_t>(coefficientIndex(MODEL_DEGREE, MODEL_DEGREE) + 1);
    model.m_g.assign(count, 0.0);
    model.m_h.assign(count, 0.0);
    model.m_gDot.assign(count, 0.0);
    model.m_hDot.assign(count, 0.0);
    std::vector<bool> seen(count, false);

    std::string line;
    int lineNumber = 0;
    bool ended = false;
    while (std::getline(in, line)) {
        ++lineNumber;
        std::vector<std::string> fields = base::splitWords(line);
        if (lineNumber == 1) {
            std::optional<double> epoch = fields.empty() ? std::nullopt : base::parseDecimal(fields[0]);
            if (!epoch || fields.size() < 2)
                damaged(path, lineNumber, "is not the header (epoch and model name)");
            if (!(*epoch >= EARLIEST_EPOCH && *epoch <= LATEST_EPOCH))
                damaged(path, lineNumber, "gives the epoch \"" + fields[0] + "\", which is no year from 1900 to 2100");
            model.m_epoch = *epoch;
            model.m_name = fields[1];
            continue;
        }
        if (fields.empty())
            continue;
        if (fields[0].compare(0, 4, "9999") == 0) {
            ended = true;
            break;
        }
        if (fields.size() != 6)
            damaged(path, lineNumber, "does not hold the six numbers n m g h g_dot h_dot");
        std::optional<double> values[6];
        for (int i = 0; i < 6; ++i) {
            values[i] = base::parseDecimal(fields[static_cast<std::size_t>(i)]);
            if (!values[i])
                damaged(path, lineNumber, "has \"" + fields[static_cast<std::size_t>(i)] + "\" where a number belongs");
        }
        for (int i = 2; i < 6; ++i) {
            const double largest = i < 4 ? LARGEST_COEFFICIENT_NT : LARGEST_CHANGE_NT_PER_YEAR;
            if (std::fabs(*values[i]) > largest)
                damaged(path, lineNumber, "has \"" + fields[static_cast<std::size_t>(i)] +
                                              "\", beyond the " + base::formatFixed(largest, 0) + " nT" +
                                              (i < 4 ? "" : " a year") + " of any field of the Earth");
        }
        const double n = *values[0], m = *values[1];
        if (n != std::floor(n) || m != std::floor(m) || n < 1 || n > MODEL_DEGREE || m < 0 || m > n)
            damaged(path, lineNumber, "gives a degree and order outside 1..12 and 0..n");
        const std::size_t index = static_cast<std::size_t>(coefficientIndex(static_cast<int>(n), static_cast<int>(m)));
        if (seen[index])
            damaged(path, lineNumber, "repeats a degree and order given before");
        seen[index] = true;
        model.m_g[index] = *values[2];
        model.m_h[index] = *values[3];
        model.m_gDot[index] = *values[4];
        model.m_hDot[index] = *values[5];
    }
    if (in.bad())
        throw PlanError("The magnetic model file " + path + " cannot be read: " + std::strerror(errno) + ".");
    if (lineNumber == 0)
        throw PlanError("The magnetic model file " + path + " is empty.");
    if (!ended)
        throw PlanError("The magnetic model file " + path + " is damaged: it ends before its closing line of 9s.");
    for (int n = 1; n <= MODEL_DEGREE; ++n) {
        for (int m = 0; m <= n; ++m) {
            if (!seen[static_cast<std::size_t>(coefficientIndex(n, m))])
                throw PlanError("The magnetic model file " + path + " is damaged: the coefficients of degree " +
                                std::to_string(n) + " order " + std::to_string(m) + " are missing.");
        }
    }
    return model;
}

double MagneticModel::declination(double latitudeDeg, double longitudeDeg, double year, double heightKm) const
{
    // Geodetic to geocentric spherical coordinates on WGS 84.
    const double phi = latitudeDeg * DEG;
    const double lambda = longitudeDeg * DEG;
    const double e2 = WGS84_F * (2.0 - WGS84_F);
    const double sinPhi = std::sin(phi);
    const double rc = WGS84_A_KM / std::sqrt(1.0 - e2 * sinPhi * sinPhi);
    const double p = (rc + heightKm) * std::cos(phi);
    const double z = (rc * (1.0 - e2) + heightKm) * sinPhi;
    const double r = std::sqrt(p * p + z * z);
    const double phiPrime = std::asin(z / r);

    // Schmidt semi-normalised associated Legendre functions of cos(theta),
    // theta the geocentric colatitude, and their derivatives in theta.
    const double x = std::sin(phiPrime);  // cos(theta)
    // At a pole the east component has no direction; a hair off it keeps
    // the division finite.
    const double s = std::max(std::cos(phiPrime), 1e-12);  // sin(theta)
    const int N = m_maxDegree;
    std::vector<double> P(static_cast<std::size_t>(coefficientIndex(N, N) + 1), 0.0);
    std::vector<double> dP(P.size(), 0.0);
    auto at = [](int n, int m) { return static_cast<std::size_t>(coefficientIndex(n, m)); };
    P[at(0, 0)] = 1.0;
    dP[at(0, 0)] = 0.0;
    for (int n = 1; n <= N; ++n) {
        for (int m = 0; m <= n; ++m) {
            if (n == m) {
                const double k = n == 1 ? 1.0 : std::sqrt((2.0 * n - 1.0) / (2.0 * n));
                P[at(n, n)] = k * s * P[at(n - 1, n - 1)];
                dP[at(n, n)] = k * (x * P[at(n - 1, n - 1)] + s * dP[at(n - 1, n - 1)]);
            } else {
                const double root = std::sqrt(double(n * n - m * m));
                const double back = n - 2 >= m ? std::sqrt(double((n - 1) * (n - 1) - m * m)) : 0.0;
                const double P2 = n - 2 >= m ? P[at(n - 2, m)] : 0.0;
                const double dP2 = n - 2 >= m ? dP[at(n - 2, m)] : 0.0;
                P[at(n, m)] = ((2.0 * n - 1.0) * x * P[at(n - 1, m)] - back * P2) / root;
                dP[at(n, m)] = ((2.0 * n - 1.0) * (x * dP[at(n - 1, m)] - s * P[at(n - 1, m)]) - back * dP2) / root;
            }
        }
    }

    // Field components in the geocentric frame: north, east, down.
    const double dt = year - m_epoch;
    double north = 0.0, east = 0.0, down = 0.0;
    const double ratio = REFERENCE_RADIUS_KM / r;
    double power = ratio * ratio;  // (a/r)^(n+2) for n = 0
    for (int n = 1; n <= N; ++n) {
        power *= ratio;
        for (int m = 0; m <= n; ++m) {
            const std::size_t i = at(n, m);
            const double g = m_g[i] + dt * m_gDot[i];
            const double h = m_h[i] + dt * m_hDot[i];
            const double cosM = std::cos(m * lambda);
            const double sinM = std::sin(m * lambda);
            north += power * (g * cosM + h * sinM) * dP[i];
            east += power * m * (g * sinM - h * cosM) * P[i];
            down -= power * (n + 1) * (g * cosM + h * sinM) * P[i];
        }
    }
    east /= s;

    // Back to the geodetic frame: only the north component turns.
    const double turn = phiPrime - phi;
    const double northGeodetic = north * std::cos(turn) - down * std::sin(turn);
    // atan2 of two infinities is a tidy 45 degrees: the components are what
    // must be finite.
    const double declination = std::atan2(east, northGeodetic) / DEG;
    if (!std::isfinite(east) || !std::isfinite(northGeodetic) || !std::isfinite(declination))
        throw PlanError("The magnetic model file " + m_path + " gives no declination at " + base::formatFixed(latitudeDeg, 4) +
                        ", " + base::formatFixed(longitudeDeg, 4) + " for " + base::formatFixed(year, 2) + ".");
    return declination;
}

}  // namespace flightplan
