#include "program.h"

#include "display_check.h"
#include "form1.h"
#include "port_error.h"
#include "standard_descriptors.h"
#include "system_services.h"
#include "termination_signals.h"

#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <optional>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lptseg {
namespace {

Form1* running = nullptr;

// Qt's xcb plugin calls exit() when the connection to the X server breaks; the
// window cannot be touched then, but the LEDs can still be blanked.
void UnloadAtExit() {
    if (running && running->UnloadWithoutDisplay())
        std::cerr << "Veza sa zaslonom je prekinuta; LED zaslon je ugašen." << std::endl;
}

// Our own line above replaces Qt's English one about the broken connection.
QtMessageHandler qtHandler = nullptr;
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith(QLatin1String("The X11 connection broke")))
        qtHandler(type, context, text);
}

// The banners repaint two small boxes 54 times a second. Through X shared
// memory every repaint also brings a completion event back, which wakes Qt's X
// reader thread and then the event loop once more; sending those few kilobytes
// over the connection instead halves the program's idle CPU. Whoever sets the
// variable themselves keeps their choice.
void SendImagesOverTheConnection() {
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

// What a program does before its QApplication: answers --help and --version,
// rejects a wrong command line and checks that the display can be reached. The
// exit status if the program ends here; nothing if it goes on.
std::optional<int> BeforeApplication(const CommandLine& line, const ProgramInfo& program) {
    switch (line.action) {
    case CommandLine::Action::ShowHelp:
        std::cout << HelpText(program) << std::flush;
        return 0;
    case CommandLine::Action::ShowVersion:
        std::cout << VersionText(program) << std::flush;
        return 0;
    case CommandLine::Action::Misuse:
        std::cerr << program.name << ": " << line.misuse << '\n'
                  << "Za pomoć upišite: " << program.name << " --help" << std::endl;
        return 2;
    case CommandLine::Action::Run:
        break;
    }
    if (const auto problem = DisplayProblem(line)) {
        std::cerr << program.name << ": " << *problem << std::endl;
        return 1;
    }
    SendImagesOverTheConnection();
    return std::nullopt;
}

// Runs the window, writing the port through port, until it ends.
int RunWindow(PortWriter& port) {
    // The program ends only through its window's unload or its error handler.
    QApplication::setQuitOnLastWindowClosed(false);
    SystemBeeper beeper;
    SystemClock clock;
    MessageBoxReport errors;
    Services services{beeper, clock, errors};

    Form1 form(port, services);
    int signalled = 0;
    TerminationSignals endings([&](int signal) {
        if (form.Ended()) // already failed or closed: nothing left to write
            EndBySignal(signal);
        signalled = signal;
        form.UnloadAndEnd(128 + signal);
    });
    running = &form;
    static const bool registered = std::atexit(UnloadAtExit) == 0;
    (void)registered;
    qtHandler = qInstallMessageHandler(FilterQtMessages);
    struct Finished {
        ~Finished() {
            running = nullptr;
            qInstallMessageHandler(qtHandler);
        }
    } finished;

    int status = 0;
    if (form.Load()) {
        form.Show();
        status = QApplication::exec();
    } else {
        status = form.ExitStatus();
    }
    if (signalled && status == 128 + signalled)
        EndBySignal(signalled);
    return status;
}

} // namespace

int RunMain(int argc, char* argv[], const ProgramInfo& program, const PortWriterFactory& makePort) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8); // the messages on standard error are UTF-8
#endif
    const bool standardOutputClosed = OpenClosedStandardDescriptors();
    IgnoreBrokenPipe();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = ParseCommandLine(arguments, program.takesFtdi, program.takesPort);
    if (const auto status = BeforeApplication(line, program))
        return *status;
    // A port named on the command line is looked for here, before any window:
    // if it is not there, that is said like a wrong command line, but it is the
    // system that lacks it.
    std::unique_ptr<PortWriter> port;
    try {
        port = makePort(line, standardOutputClosed);
    } catch (const PortError& error) {
        std::cerr << program.name << ": " << error.what() << std::endl;
        return 1;
    }
    QApplication app(argc, argv);
    return RunWindow(*port);
}

} // namespace lptseg
