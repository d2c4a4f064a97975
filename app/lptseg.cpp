// lptseg: the seven-segment display on a real parallel port, or on an FTDI USB
// adapter in bit-bang mode (--ftdi).
#include "hardware_port_writer.h"
#include "program.h"
#include "standard_descriptors.h"
#include "termination_signals.h"
#ifdef LPTSEG_HAVE_FTDI
#include "ftdi_port_writer.h"
#endif

#include <QApplication>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef LPTSEG_HAVE_FTDI
constexpr bool takesFtdi = true;
#else
constexpr bool takesFtdi = false;
#endif

const lptseg::ProgramInfo program{
    "lptseg",
    "Upravlja 7-segmentnim LED zaslonom spojenim na podatkovne linije paralelnog porta.\n",
    "\n"
    "Dozvole za pristup paralelnom portu opisuju README.md i „man lptseg“.\n",
    takesFtdi};

std::unique_ptr<lptseg::PortWriter> MakePortWriter(const lptseg::CommandLine& line) {
#ifdef LPTSEG_HAVE_FTDI
    if (line.ftdi)
        return lptseg::MakeFtdiPortWriter(*line.ftdi);
#else
    (void)line;
#endif
    return lptseg::MakeHardwarePortWriter();
}

} // namespace

int main(int argc, char* argv[]) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8); // the messages on standard error are UTF-8
#endif
    lptseg::OpenClosedStandardDescriptors();
    lptseg::IgnoreBrokenPipe();
    const lptseg::CommandLine line = lptseg::ReadCommandLine(argc, argv, program);
    if (const auto status = lptseg::BeforeApplication(line, program))
        return *status;
    QApplication app(argc, argv);
    const auto port = MakePortWriter(line);
    return lptseg::RunProgram(*port);
}
