// SPDX-License-Identifier: GPL-3.0-or-later
#include "follow/LegSequencer.h"

#include <algorithm>
#include <cmath>

namespace follow {

namespace {

bool flown(const LegProgress& progress, const SequencingRules& rules)
{
    return progress.toGoNm <= 0.0 || progress.directToEndNm <= rules.captureNm;
}

// How far the position is from the leg between its ends.
double distanceToSegment(const flightplan::FlightPlan& plan, std::size_t leg, const GeoPoint& position)
{
    const LegProgress progress = legProgress(plan, leg, position);
    const flightplan::Waypoint& start = plan.waypoints[plan.legs[leg].from];
    if (progress.alongNm <= 0.0)
        return bearingBetween({start.latitude, start.longitude}, position).distanceNm;
    if (progress.toGoNm <= 0.0)
        return progress.directToEndNm;
    return std::fabs(progress.crossTrackNm);
}

}  // namespace

std::size_t nearestLeg(const flightplan::FlightPlan& plan, const GeoPoint& position)
{
    std::size_t best = 0;
    double bestNm = INFINITY;
    for (std::size_t leg = 0; leg < plan.legs.size(); ++leg) {
        const double nm = distanceToSegment(plan, leg, position);
        if (nm < bestNm) {
            bestNm = nm;
            best = leg;
        }
    }
    return best;
}

FollowState advance(const flightplan::FlightPlan& plan, FollowState state, const GeoPoint& position,
                    const SequencingRules& rules)
{
    if (plan.legs.empty() || !std::isfinite(position.latitude) || !std::isfinite(position.longitude))
        return state;
    if (!state.leg)
        state.leg = nearestLeg(plan, position);
    state.leg = std::min(*state.leg, plan.legs.size() - 1);
    while (!state.arrived) {
        if (!flown(legProgress(plan, *state.leg, position), rules)) {
            state.armed = true;
            break;
        }
        if (!state.armed)
            break;
        if (*state.leg + 1 < plan.legs.size())
            ++*state.leg;
        else
            state.arrived = true;
    }
    return state;
}

FollowState pickLeg(const flightplan::FlightPlan& plan, std::size_t leg)
{
    FollowState state;
    state.armed = false;
    if (!plan.legs.empty())
        state.leg = std::min(leg, plan.legs.size() - 1);
    return state;
}

}  // namespace follow
