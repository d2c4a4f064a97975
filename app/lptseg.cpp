// lptseg: the seven-segment display on a real parallel port, or on an FTDI USB
// adapter in bit-bang mode (--ftdi).
#include "hardware_port_writer.h"
#include "program.h"
#ifdef LPTSEG_HAVE_FTDI
#include "ftdi_port_writer.h"
#endif

#include <QApplication>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace {

// ---- FTDI option: --ftdi (the first adapter) or --ftdi=SERIAL. -----------------
// Taken out of argv before QApplication sees the rest. Belongs in the program's
// command-line parser once it has one.
std::optional<std::string> TakeFtdiOption(int& argc, char* argv[]) {
    std::optional<std::string> serial;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--ftdi")
            serial = "";
        else if (argument.starts_with("--ftdi="))
            serial = std::string(argument.substr(std::string_view("--ftdi=").size()));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    return serial;
}
// ---- end of the FTDI option ------------------------------------------------------

} // namespace

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char* argv[]) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8); // the messages on standard error are UTF-8
#endif
    const std::optional<std::string> ftdiSerial = TakeFtdiOption(argc, argv);
#ifndef LPTSEG_HAVE_FTDI
    if (ftdiSerial) {
        std::cerr << "lptseg: ova je inačica izgrađena bez podrške za FTDI adapter (--ftdi)."
                  << std::endl;
        return 2;
    }
#endif
    QApplication app(argc, argv);
#ifdef LPTSEG_HAVE_FTDI
    const auto port =
        ftdiSerial ? lptseg::MakeFtdiPortWriter(*ftdiSerial) : lptseg::MakeHardwarePortWriter();
#else
    const auto port = lptseg::MakeHardwarePortWriter();
#endif
    return lptseg::RunProgram(*port);
}
