#pragma once

// A scripted stand-in for libieee1284: the same C functions, recording each call
// and answering with the results the test sets up.

#include <string>
#include <vector>

namespace fake1284 {

struct FoundPort {
    std::string name;
    unsigned long base;
};

struct Script {
    std::vector<FoundPort> ports;
    int findResult = 0;
    int findErrno = 0;
    int openResult = 0;
    int openErrno = 0;
    int claimResult = 0;
    int claimErrno = 0;
};

extern Script script;
extern std::vector<std::string> calls;

// Forgets the calls and sets the script back to one healthy port at 0x378.
void Reset();

} // namespace fake1284
