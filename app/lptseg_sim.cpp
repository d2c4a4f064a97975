// lptseg-sim: the same window with the port simulated. Each port write is
// printed on standard output as "PortOut 0x378 0x51".
#include "program.h"
#include "trace_port_writer.h"

#include <iostream>

int main(int argc, char* argv[]) {
    const lptseg::ProgramInfo program{
        "lptseg-sim",
        "Isti prozor kao lptseg, ali sa simuliranim portom: svaki zapis na port\n"
        "ispisuje se na standardni izlaz kao „PortOut 0x378 0x51“.\n",
        ""};
    return lptseg::RunMain(argc, argv, program, [](const lptseg::CommandLine&, bool closed) {
        std::cerr << "lptseg-sim: port je simuliran; svaki zapis na port ispisuje se na "
                     "standardni izlaz."
                  << std::endl;
        return lptseg::MakeStandardOutputTrace(closed);
    });
}
