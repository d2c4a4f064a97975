// lptseg-sim: the same window with the port simulated. Each port write is
// printed on standard output as "PortOut 0x378 0x51".
#include "port_error.h"
#include "program.h"
#include "standard_descriptors.h"
#include "termination_signals.h"
#include "trace_port_writer.h"

#include <QApplication>
#include <iostream>
#include <memory>

namespace {

const lptseg::ProgramInfo program{
    "lptseg-sim",
    "Isti prozor kao lptseg, ali sa simuliranim portom: svaki zapis na port\n"
    "ispisuje se na standardni izlaz kao „PortOut 0x378 0x51“.\n",
    ""};

// Standard output was closed at start, so the trace has nowhere to go: the
// first write, at load, fails and the program ends with status 1.
class NoTrace : public lptseg::PortWriter {
public:
    void PortOut(std::int16_t, std::uint8_t) override {
        throw lptseg::PortError("Standardni izlaz je zatvoren pa simulirani zapisi na port nemaju "
                                "kamo biti ispisani.");
    }
};

} // namespace

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char* argv[]) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8); // the messages on standard error are UTF-8
#endif
    const auto closed = lptseg::OpenClosedStandardDescriptors();
    lptseg::IgnoreBrokenPipe();
    if (const auto status =
            lptseg::BeforeApplication(lptseg::ReadCommandLine(argc, argv, program), program))
        return *status;
    QApplication app(argc, argv);
    std::cerr << "lptseg-sim: port je simuliran; svaki zapis na port ispisuje se na "
                 "standardni izlaz."
              << std::endl;
    std::unique_ptr<lptseg::PortWriter> port;
    if (closed.output)
        port = std::make_unique<NoTrace>();
    else
        port = std::make_unique<lptseg::TracePortWriter>(std::cout);
    return lptseg::RunProgram(*port);
}
