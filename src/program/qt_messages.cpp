#include "qt_messages.h"

#include <QRegularExpression>
#include <QString>
#include <QtGlobal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace lptseg {
namespace {

struct HeldMessage {
    QtMsgType type;
    std::string file, function, category;
    int line;
    QString text;
};

const char* program = "";
QtMessageHandler qtHandler = nullptr;
bool starting = false;
std::vector<HeldMessage> held;

const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

[[noreturn]] void FailToStart() {
    // Qt names the plugin it could not start in a warning before its fatal message.
    static const QRegularExpression named(R"re(platform plugin "([^"]+)")re");
    std::string platform;
    for (const HeldMessage& message : held)
        if (const auto match = named.match(message.text); match.hasMatch())
            platform = " „" + match.captured(1).toStdString() + "“";
    std::cerr << program << ": Qt ne može pokrenuti grafičku platformu" << platform
              << ". Pokrenite program u grafičkoj sesiji (varijabla DISPLAY ili WAYLAND_DISPLAY) "
                 "ili odaberite platformu opcijom -platform, npr. -platform xcb."
              << std::endl;
    std::_Exit(1);
}

void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (starting) {
        if (type == QtFatalMsg)
            FailToStart();
        held.push_back({type, context.file ? context.file : "",
                        context.function ? context.function : "",
                        context.category ? context.category : "", context.line, text});
    } else if (!text.startsWith(QLatin1String("The X11 connection broke"))) {
        qtHandler(type, context, text);
    }
}

} // namespace

void HoldQtMessagesWhileStarting(const char* programName) {
    program = programName;
    starting = true;
    qtHandler = qInstallMessageHandler(Handle);
}

void QtStarted() {
    starting = false;
    for (const HeldMessage& message : held)
        qtHandler(message.type,
                  QMessageLogContext(OrNull(message.file), message.line, OrNull(message.function),
                                     OrNull(message.category)),
                  message.text);
    held.clear();
}

} // namespace lptseg
