#pragma once

namespace lptseg {

// What Qt writes on standard error. From here until QtStarted, Qt's messages
// are held back, and its fatal one (no platform plugin could be started)
// becomes one line in Croatian and exit status 1 instead of Qt's abort and a
// core file. Afterwards the held messages go out as usual, and so does all
// later, except Qt's line about a broken X connection: the program says that
// itself.
void HoldQtMessagesWhileStarting(const char* programName);
void QtStarted();

} // namespace lptseg
