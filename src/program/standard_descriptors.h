#pragma once

namespace lptseg {

// Opens each of descriptors 0, 1 and 2 that is closed on /dev/null, so that no
// file the program opens later (the X connection above all) takes its number
// and receives what was meant for standard output. Call it first thing in main.
// True if standard output was among them.
bool OpenClosedStandardDescriptors();

} // namespace lptseg
