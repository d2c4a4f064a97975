// lptseg: the seven-segment display on a real parallel port.
#include "hardware_port_writer.h"
#include "program.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const auto port = lptseg::MakeHardwarePortWriter();
    return lptseg::RunProgram(*port);
}
