// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/CoursePlan.h"

#include <string>

// The plans behind the golden files in golden/, by the file's base name.
CoursePlan NoRunwaysNoRoutePlan();
CoursePlan ThreeRunwaysAgainstOnePlan();
CoursePlan NoRunwaysAgainstTwoPlan();
CoursePlan AccentedNamesPlan();

// Contents of golden/<name>.txt, byte for byte.
std::string Golden(const std::string& name);

