// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace flightplan {

// The World Magnetic Model read from its published coefficient file
// (WMM2025.COF): the spherical harmonic synthesis of the main field with
// its secular variation, evaluated on the WGS 84 ellipsoid. Loaded once and
// shared; evaluation does not change it.
class MagneticModel {
public:
    // Reads the coefficient file. Throws PlanError naming the file when it
    // cannot be opened or is damaged (a missing or unreadable header, an
    // epoch that is no plausible year, a coefficient line that is not six
    // numbers, a coefficient beyond what any field of the Earth needs, a
    // degree or order out of range, a coefficient missing or given twice).
    static MagneticModel load(const std::string& path);
    // The model the program ships (base::findDataFile); throws std::runtime_error
    // naming the places looked in when it is not installed.
    static MagneticModel loadInstalled();

    // Declination (east positive, degrees in -180..180) at a geodetic
    // latitude and longitude in degrees, a height above the ellipsoid in
    // kilometres and a time as a decimal year. Dates outside the model's
    // five years are extrapolated along the secular variation. Throws
    // PlanError naming the file should the figures give no finite angle.
    double declination(double latitudeDeg, double longitudeDeg, double decimalYear, double heightKm = 0.0) const;

    double epoch() const { return m_epoch; }
    const std::string& name() const { return m_name; }
    // The years the model holds for, [epoch, epoch + 5).
    double validUntil() const { return m_epoch + VALID_YEARS; }
    bool isValidAt(double decimalYear) const { return decimalYear >= m_epoch && decimalYear < validUntil(); }

    static constexpr double VALID_YEARS = 5.0;

private:
    MagneticModel() = default;

    int m_maxDegree = 0;
    double m_epoch = 0.0;
    std::string m_name;
    std::string m_path;
    // Indexed by n * (n + 1) / 2 + m, in nT and nT per year.
    std::vector<double> m_g, m_h, m_gDot, m_hDot;
};

}  // namespace flightplan
