#include "viewer/viewer_state.h"

namespace lf {

ViewerState &viewer()
{
    static ViewerState s;
    return s;
}

void reset_viewer() { viewer() = ViewerState{}; }

} // namespace lf
