#include "platform/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>
#include <optional>

#include "state/store_location.h"

namespace gribo::platform {
namespace {

constexpr const char* kUsage = "Usage: gribo [-h|--help] [-v|--version]\n";

constexpr const char* kHelp =
    "Usage: gribo [OPTION]\n"
    "Gribo, a small virtual pet that lives in real time (the game is in French).\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "The pet is saved in $XDG_CONFIG_HOME/%1, by default\n"
    "~/.config/%1. Qt's own options, such as -platform or -style,\n"
    "are understood too.\n"
    "\n"
    "Reminders: while the game is closed, a desktop notification tells you when\n"
    "the baby starts crying, an hour before it would die, and when it has died.\n"
    "To turn them off, choose \"Ne plus me prévenir\" on one; your desktop's\n"
    "notification settings can also silence Gribo. See gribo(6).\n";

// Options the Qt application reads for itself, with a value and without.
constexpr const char* kQtOptionsWithValue[] = {
    "platform",   "platformpluginpath", "platformtheme", "plugin",      "display", "geometry", "qwindowgeometry",
    "title",      "qwindowtitle",       "icon",          "qwindowicon", "name",    "session",  "style",
    "stylesheet", "qmljsdebugger"};
constexpr const char* kQtFlags[] = {"reverse", "nograb", "dograb", "sync", "widgetcount", "testability"};

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

std::optional<int> handleCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    // -platform is one word, as Qt programs take it; -h and -v stay short options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "?", "help"}, "show this help and exit");
    const QCommandLineOption version({"v", "version"}, "show the version and exit");
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : kQtOptionsWithValue) parser.addOption(QCommandLineOption(name, {}, "value"));
    for (const char* name : kQtFlags) parser.addOption(QCommandLineOption(name));

    if (!parser.parse(arguments)) {
        print(stderr, "gribo: " + parser.errorText() + '\n' + kUsage);
        return 2;
    }
    if (parser.isSet(help)) {
        print(stdout,
              QString::fromLatin1(kHelp).arg(QLatin1String(kStoreUnderConfig.data(), kStoreUnderConfig.size())));
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, "gribo " GRIBO_VERSION "\n");
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        print(stderr, "gribo: Unexpected argument '" + parser.positionalArguments().constFirst() + "'.\n" + kUsage);
        return 2;
    }
    return std::nullopt;
}

}  // namespace gribo::platform
