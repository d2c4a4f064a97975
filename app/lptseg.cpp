// lptseg: the seven-segment display on a real parallel port.
#include "hardware_port_writer.h"
#include "program.h"
#include "standard_descriptors.h"
#include "termination_signals.h"

#include <QApplication>

namespace {

const lptseg::ProgramInfo program{
    "lptseg",
    "Upravlja 7-segmentnim LED zaslonom spojenim na podatkovne linije paralelnog porta.\n",
    "\n"
    "Dozvole za pristup paralelnom portu opisuju README.md i „man lptseg“.\n"};

} // namespace

int main(int argc, char* argv[]) {
    lptseg::OpenClosedStandardDescriptors();
    lptseg::IgnoreBrokenPipe();
    if (const auto status = lptseg::BeforeApplication(argc, argv, program))
        return *status;
    QApplication app(argc, argv);
    const auto port = lptseg::MakeHardwarePortWriter();
    return lptseg::RunProgram(*port);
}
