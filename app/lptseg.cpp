// lptseg: the seven-segment display on a real parallel port, or on an FTDI USB
// adapter in bit-bang mode (--ftdi); --port names any other parallel port.
#include "hardware_port_writer.h"
#include "program.h"

int main(int argc, char* argv[]) {
    const lptseg::ProgramInfo program{
        "lptseg",
        "Upravlja 7-segmentnim LED zaslonom spojenim na podatkovne linije paralelnog porta.\n",
        "\nDozvole za pristup paralelnom portu opisuju README.md i „man lptseg“.\n",
        lptseg::HasFtdi, true};
    return lptseg::RunMain(argc, argv, program, [](const lptseg::CommandLine& line, bool) {
        return lptseg::MakeHardwarePortWriter(line.ftdi, line.port);
    });
}
