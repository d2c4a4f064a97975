// lptseg-sim: the same window with the port simulated. Each port write is
// printed on standard output as "PortOut 0x378 0x51".
#include "program.h"
#include "trace_port_writer.h"

#include <QApplication>
#include <iostream>

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char* argv[]) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8); // the messages on standard error are UTF-8
#endif
    QApplication app(argc, argv);
    std::cerr << "lptseg-sim: port je simuliran; svaki zapis na port ispisuje se na "
                 "standardni izlaz."
              << std::endl;
    lptseg::TracePortWriter port(std::cout);
    return lptseg::RunProgram(port);
}
