#include "command_line.h"

#include <QCommandLineParser>
#include <array>

namespace lptseg {
namespace {

// The options QApplication takes itself; Qt accepts them with one dash or two.
// clang-format off
constexpr std::array qtOptionsWithValue{
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowicon", "icon", "qwindowtitle", "title", "session", "display", "name", "style",
    "stylesheet", "qmljsdebugger", "dialogs", "fontengine", "visual", "ncols", "cmap", "im",
    "inputstyle"};
constexpr std::array qtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
// clang-format on

template <std::size_t N>
bool Contains(const std::array<const char*, N>& names, const QString& name) {
    for (const char* candidate : names)
        if (name == QLatin1String(candidate))
            return true;
    return false;
}

// Takes Qt's options out of arguments, noting -platform and -display.
QStringList WithoutQtOptions(const QStringList& arguments, CommandLine& line) {
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith('-') || argument == "-" || argument == "--") {
            rest << argument;
            continue;
        }
        QString name = argument.mid(argument.startsWith("--") ? 2 : 1);
        QString value;
        const qsizetype equals = name.indexOf('=');
        const bool joined = equals >= 0;
        if (joined) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        if (Contains(qtFlags, name) && !joined)
            continue;
        if (!Contains(qtOptionsWithValue, name)) {
            rest << argument;
            continue;
        }
        if (!joined && i + 1 < arguments.size())
            value = arguments[++i];
        if (name == "platform")
            line.platform = value.toStdString();
        else if (name == "display")
            line.display = value.toStdString();
    }
    return rest;
}

std::string Quoted(const QString& text) {
    return "„" + text.toStdString() + "“";
}

// The first argument, as typed, that is not one of the options known here.
QString FirstUnknown(const QStringList& arguments, const QStringList& known) {
    for (const QString& argument : arguments) {
        if (!argument.startsWith('-') || argument == "-")
            continue;
        if (argument.startsWith("--")) {
            if (!known.contains(argument.mid(2).section('=', 0, 0)))
                return argument;
            continue;
        }
        for (QChar letter : argument.mid(1)) // -hv is -h -v
            if (!known.contains(QString(letter)))
                return argument;
    }
    return {};
}

// Takes --ftdi and --ftdi=SERIAL out of arguments. Its value is optional, which
// QCommandLineParser has no form for. False if --ftdi= names no serial.
bool TakeFtdiOption(QStringList& arguments, CommandLine& line) {
    static const QString withSerial = QStringLiteral("--ftdi=");
    for (qsizetype i = 0; i < arguments.size();) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--ftdi")) {
            line.ftdi = std::string();
        } else if (argument.startsWith(withSerial)) {
            line.ftdi = argument.mid(withSerial.size()).toStdString();
            if (line.ftdi->empty())
                return false;
        } else {
            ++i;
            continue;
        }
        arguments.removeAt(i);
    }
    return true;
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments, bool takesFtdi) {
    CommandLine line;
    QStringList ours = WithoutQtOptions(arguments, line);
    if (takesFtdi && !TakeFtdiOption(ours, line)) {
        line.action = CommandLine::Action::Misuse;
        line.misuse = "opcija „--ftdi=“ traži serijski broj adaptera (ili samo --ftdi za prvi).";
        return line;
    }

    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version(QStringList{"v", "version"});
    parser.addOptions({help, version});
    // QCommandLineParser expects the program's name first.
    if (!parser.parse(QStringList{QString()} + ours)) {
        const QString unknown = FirstUnknown(ours, help.names() + version.names());
        line.action = CommandLine::Action::Misuse;
        const QStringList withValue = ours.filter(QStringLiteral("="));
        if (!unknown.isEmpty())
            line.misuse = "nepoznata opcija " + Quoted(unknown) + ".";
        else if (!withValue.isEmpty()) // the only other failure of these options
            line.misuse = "opcija " + Quoted(withValue.first()) + " ne prima vrijednost.";
        else
            line.misuse = "neispravan naredbeni redak.";
        return line;
    }
    if (!parser.positionalArguments().isEmpty()) {
        line.action = CommandLine::Action::Misuse;
        line.misuse = "suvišan argument " + Quoted(parser.positionalArguments().first()) + ".";
    } else if (parser.isSet(help)) {
        line.action = CommandLine::Action::ShowHelp;
    } else if (parser.isSet(version)) {
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
    return std::string(program.name) + " " LPTSEG_VERSION "\n";
}

} // namespace lptseg
