// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
#include "follow/LegProgress.h"

#include <cstddef>
#include <optional>

namespace follow {

// When a leg counts as flown: the aircraft passes abeam its end, or comes
// within captureNm of it.
struct SequencingRules {
    double captureNm = 1.0;
};

// Which leg is active. Sequencing only moves forward; a pilot's pick by
// hand (pickLeg) is the one way back.
struct FollowState {
    std::optional<std::size_t> leg;  // nullopt until the first position
    bool arrived = false;            // the last leg flown
    // Whether the aircraft has been seen short of the active leg's end. A
    // leg picked by hand behind the aircraft stays active until then, so
    // that the pick is not undone by the next position.
    bool armed = true;
};

// The leg whose line, between its ends, passes nearest the position: where
// following starts.
std::size_t nearestLeg(const flightplan::FlightPlan& plan, const GeoPoint& position);

// The state after a position: from the nearest leg when none is active yet,
// then on over every leg the position has passed (several at once after a
// gap in the updates). A plan without legs stays as it is.
FollowState advance(const flightplan::FlightPlan& plan, FollowState state, const GeoPoint& position,
                    const SequencingRules& rules = {});

// The pilot's choice; a leg beyond the plan's last is taken as the last.
FollowState pickLeg(const flightplan::FlightPlan& plan, std::size_t leg);

}  // namespace follow
