#pragma once

// A scripted stand-in for libftdi1: the same C functions the FTDI writer calls,
// recording each call and answering with the results the test sets up.

#include <string>
#include <vector>

namespace fakeftdi {

struct Adapter {
    std::string serial;
    int stringsResult = 0; // what ftdi_usb_get_strings answers for it
};

struct Script {
    bool newFails = false;
    std::vector<Adapter> adapters{{"A1"}}; // one healthy adapter
    int findResult = 0; // below 0: ftdi_usb_find_all fails with it
    int openResult = 0;
    int bitmodeResult = 0;
    int writesBeforeUnplug = -1; // -1: the adapter stays
    int unpluggedWriteResult = 0;
    std::string errorText = "fake libftdi error";
};

extern Script script;
extern std::vector<std::string> calls;

// Forgets the calls and sets the script back to its defaults.
void Reset();

} // namespace fakeftdi
