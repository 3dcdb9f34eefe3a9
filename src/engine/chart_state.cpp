// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/chart_state.h"

namespace zenthra {

ChartState& chartState()
{
    static ChartState state;
    return state;
}

} // namespace zenthra
