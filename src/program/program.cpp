#include "program.h"

#include "display_check.h"
#include "exclusive_port_writer.h"
#include "form1.h"
#include "port_error.h"
#include "qt_messages.h"
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

// The banners repaint two small boxes 54 times a second. Through X shared
// memory every repaint also brings a completion event back, which wakes Qt's X
// reader thread and then the event loop once more; sending those few kilobytes
// over the connection instead halves the program's idle CPU. Whoever sets the
// variable themselves keeps their choice.
void SendImagesOverTheConnection() {
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

// Prints text on standard output: status 0, or 1 if it could not be written.
int Print(const std::string& text, const char* what, const ProgramInfo& program) {
    std::cout << text << std::flush;
    if (std::cout)
        return 0;
    std::cerr << program.name << ": " << what << " nije moguće ispisati na standardni izlaz."
              << std::endl;
    return 1;
}

// What a program does before its QApplication: answers --help and --version,
// rejects a wrong command line and checks that the display can be reached. The
// exit status if the program ends here; nothing if it goes on.
std::optional<int> BeforeApplication(const CommandLine& line, const ProgramInfo& program) {
    switch (line.action) {
    case CommandLine::Action::ShowHelp:
        return Print(HelpText(program), "pomoć", program);
    case CommandLine::Action::ShowVersion:
        return Print(VersionText(program), "inačicu", program);
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

// Runs the window, writing the port through writer, until it ends.
int RunWindow(PortWriter& writer) {
    // The program ends only through its window's unload or its error handler.
    QApplication::setQuitOnLastWindowClosed(false);
    SystemBeeper beeper;
    SystemClock clock;
    MessageBoxReport errors;
    Services services{beeper, clock, errors};

    ExclusivePortWriter port(writer);
    Form1 form(port, services);
    int signalled = 0;
    TerminationSignals endings(
        [&](int signal) {
            if (form.Ended()) // already failed or closed: nothing left to write
                EndBySignal(signal);
            // Whichever thread has the port makes the one unload write.
            port.TakeForGood();
            signalled = signal;
            form.UnloadAndEnd(128 + signal);
        },
        [&] { // the window's thread is stuck: blank the LEDs unless it is stuck writing
            if (port.TakeForGood(std::chrono::milliseconds(300)))
                form.UnloadWithoutDisplay();
        });
    // Windows ends a session by asking each program to quit, and ends the
    // process once it has answered: the window unloads then as its close box does.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &form, [&form] { form.UnloadAndEnd(0); });
    running = &form;
    static const bool registered = std::atexit(UnloadAtExit) == 0;
    (void)registered;
    struct Finished {
        ~Finished() { running = nullptr; }
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
    HoldQtMessagesWhileStarting(program.name);
    QApplication app(argc, argv);
    QtStarted();
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
    return RunWindow(*port);
}

} // namespace lptseg
