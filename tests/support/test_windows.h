#pragma once

#include "app/windows/qt_window_layer.h"

namespace lf::test {

// The program's real windows, except that ending the process is recorded.
class TestWindows : public QtWindowLayer {
public:
    TestWindows() { set_windows(this); }
    ~TestWindows() override { set_windows(nullptr); }
    int ends = 0;
    void end_process() override { ++ends; }
};

} // namespace lf::test
