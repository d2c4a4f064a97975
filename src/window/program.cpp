#include "program.h"

#include "form1.h"
#include "system_services.h"

#include <QApplication>

namespace lptseg {

int RunProgram(PortWriter& port) {
    // The program ends only through its window's unload or its error handler.
    QApplication::setQuitOnLastWindowClosed(false);
    SystemBeeper beeper;
    SystemClock clock;
    MessageBoxReport errors;
    Services services{beeper, clock, errors};

    Form1 form(port, services);
    if (!form.Load())
        return form.ExitStatus();
    form.Show();
    return QApplication::exec();
}

} // namespace lptseg
