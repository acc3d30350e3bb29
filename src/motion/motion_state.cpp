// SPDX-License-Identifier: GPL-3.0-or-later
#include "motion/motion_state.h"

namespace lf {

MotionState &motion()
{
    static MotionState s;
    return s;
}

void reset_motion() { motion() = MotionState{}; }

} // namespace lf
