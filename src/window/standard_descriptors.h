#pragma once

namespace lptseg {

// Which of the standard descriptors were closed when the program started.
struct ClosedStandardDescriptors {
    bool input = false;
    bool output = false;
    bool error = false;
};

// Opens each of descriptors 0, 1 and 2 that is closed on /dev/null, so that no
// file the program opens later (the X connection above all) takes its number
// and receives what was meant for standard output. Call it first thing in main.
ClosedStandardDescriptors OpenClosedStandardDescriptors();

} // namespace lptseg
