#include "reminders/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>

#include "state/store_location.h"

namespace gribo::reminders {
namespace {

constexpr const char* kUsage = "Usage: gribo-reminders [-h|--help] [-v|--version] [--after-game]\n";

constexpr const char* kHelp =
    "Usage: gribo-reminders [OPTION]\n"
    "Gribo's reminders: while the game is closed, a desktop notification tells you\n"
    "when the pet starts crying, shortly before it would die, and when it has died.\n"
    "Your desktop starts this at login; the game starts it when it closes. It reads\n"
    "$XDG_CONFIG_HOME/%1 and never writes it.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "  --after-game   the game has just closed: what it showed is not told again\n"
    "\n"
    "To turn the reminders off, choose \"Ne plus me prévenir\" on a notification:\n"
    "~/.config/autostart/" GRIBO_APP_ID
    ".Reminders.desktop then says Hidden=true.\n"
    "See gribo(6).\n";

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

Parsed handleCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const QCommandLineOption help({"h", "?", "help"}, "show this help and exit");
    const QCommandLineOption version({"v", "version"}, "show the version and exit");
    const QCommandLineOption afterGame("after-game", "the game has just closed");
    parser.addOptions({help, version, afterGame});
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString what = parser.errorText().isEmpty()
                                 ? "unexpected argument " + parser.positionalArguments().first()
                                 : parser.errorText();
        print(stderr, "gribo-reminders: " + what + '\n' + kUsage);
        return {2, {}};
    }
    if (parser.isSet(help)) {
        print(stdout, QString::fromUtf8(kHelp).arg(
                          QString::fromUtf8(kStoreUnderConfig.data(), qsizetype(kStoreUnderConfig.size()))));
        return {0, {}};
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("gribo-reminders " GRIBO_VERSION "\n"));
        return {0, {}};
    }
    return {std::nullopt, {parser.isSet(afterGame)}};
}

}  // namespace gribo::reminders
