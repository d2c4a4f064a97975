// lptseg: the seven-segment display on a real parallel port.
#include "hardware_port_writer.h"
#include "program.h"

#include <QApplication>

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char* argv[]) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8); // the messages on standard error are UTF-8
#endif
    QApplication app(argc, argv);
    const auto port = lptseg::MakeHardwarePortWriter();
    return lptseg::RunProgram(*port);
}
