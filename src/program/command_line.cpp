#include "command_line.h"

namespace lptseg {
namespace {

// The options QApplication takes itself, with one dash or two. They are left to
// Qt; only -platform and -display are noted here.
// clang-format off
const QStringList QtOptionsWithValue{
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowicon", "icon", "qwindowtitle", "title", "session", "display", "name", "style",
    "stylesheet", "qmljsdebugger", "dialogs", "fontengine", "visual", "ncols", "cmap", "im",
    "inputstyle"};
const QStringList QtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
// clang-format on

std::string Quoted(const QString& text) {
    return "„" + text.toStdString() + "“";
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments, bool takesFtdi, bool takesPort) {
    CommandLine line;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    std::string misuse;
    for (qsizetype i = 0; i < arguments.size() && misuse.empty(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith('-') || argument == "-") {
            misuse = "suvišan argument " + Quoted(argument) + ".";
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const bool isLong = argument.startsWith("--");
        const QString body = argument.mid(isLong ? 2 : 1);
        const qsizetype equals = body.indexOf('=');
        const bool joined = equals >= 0;
        const QString name = joined ? body.left(equals) : body;
        const QString value = joined ? body.mid(equals + 1) : QString();

        if (QtOptionsWithValue.contains(name)) {
            const QString given = joined || i + 1 == arguments.size() ? value : arguments[++i];
            if (name == "platform")
                line.platform = given.toStdString();
            else if (name == "display")
                line.display = given.toStdString();
        } else if (QtFlags.contains(name) && !joined) {
            continue;
        } else if (isLong && (name == "help" || name == "version")) {
            if (joined)
                misuse = "opcija " + Quoted(argument) + " ne prima vrijednost.";
            (name == "help" ? help : version) = true;
        } else if (isLong && name == "ftdi" && takesFtdi) {
            // The serial only joined by '=': a bare --ftdi takes the first adapter.
            if (joined && value.isEmpty())
                misuse = "opcija „--ftdi=“ traži serijski broj adaptera (ili samo --ftdi za prvi).";
            line.ftdi = value.toStdString();
        } else if (isLong && name == "port" && takesPort) {
            const QString given = joined || i + 1 == arguments.size() ? value : arguments[++i];
            if (given.isEmpty())
                misuse = "opcija „--port“ traži port, npr. --port=/dev/parport1 ili --port=0xE800.";
            line.port = given.toStdString();
        } else if (!isLong && !joined && !body.isEmpty() &&
                   body.count('h') + body.count('v') == body.size()) { // -hv is -h -v
            help = help || body.contains('h');
            version = version || body.contains('v');
        } else {
            misuse = "nepoznata opcija " + Quoted(argument) + ".";
        }
    }
    if (misuse.empty() && line.port && line.ftdi)
        misuse = "opcije --port i --ftdi ne mogu se zadati zajedno.";
    if (!misuse.empty()) {
        line.action = CommandLine::Action::Misuse;
        line.misuse = misuse;
    } else if (help) {
        line.action = CommandLine::Action::ShowHelp;
    } else if (version) {
        line.action = CommandLine::Action::ShowVersion;
    }
    return line;
}

std::string HelpText(const ProgramInfo& program) {
    return std::string("Uporaba: ") + program.name + " [opcije]\n" + program.purpose +
           "\n"
           "Opcije:\n"
           "  -h, --help     ispisuje ovu pomoć\n"
           "  -v, --version  ispisuje inačicu programa\n" +
           (program.takesFtdi
                ? "  --ftdi         zaslon pokreće FTDI USB adapter (FT232R ili FT245R) u\n"
                  "                 bit-bang načinu umjesto paralelnog porta; prvi pronađeni\n"
                  "  --ftdi=SERIJSKI_BROJ\n"
                  "                 kao --ftdi, ali adapter s tim serijskim brojem\n"
                : "") +
           (program.takesPort
                ? "  --port=PORT    svi zapisi idu na taj paralelni port, koju god adresu\n"
                  "                 prozor odabrao: uređaj (/dev/parport1), ime (parport1)\n"
                  "                 ili heksadekadska adresa (0xE800), npr. port na PCI\n"
                  "                 ili PCIe kartici\n"
                : "") +
           "  Qtove opcije, npr. -platform ime ili -display zaslon, također vrijede.\n"
           "\n"
           "Tipke:\n"
           "  0 do 9         pritišću gumbe znamenaka\n"
           "  Delete         pritišće „Brisi“\n"
           "  Razmak, Enter  pritišću gumb koji ima fokus\n" +
           program.more +
           "\n"
           "Izlazni status: 0 nakon zatvaranja prozora, 1 ako port ili zaslon zakažu,\n"
           "2 za pogrešnu uporabu, 128+N nakon signala N.\n";
}

std::string VersionText(const ProgramInfo& program) {
    return std::string(program.name) + " " LPTSEG_VERSION "\n"
           "Licenca: GNU GPL, inačica 3 ili novija (GPL-3.0-or-later).\n";
}

} // namespace lptseg
