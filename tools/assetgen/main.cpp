// assetgen <out>                      draws every asset into <out>/datas and <out>/resources
// assetgen --sheet <out> <sheet.png> [filter]
//                                     composes the review sheet of the files under <out>

#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <string_view>

#include "generator.h"
#include "sheet.h"

int main(int argc, char** argv) {
    try {
        if (argc == 2 && std::string_view(argv[1]) != "--sheet") {
            gribo::art::generateAll(argv[1]);
            return 0;
        }
        if ((argc == 4 || argc == 5) && std::string_view(argv[1]) == "--sheet") {
            // The labels need fonts, hence an application, but never a display.
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
            int qtArgc = 1;
            QGuiApplication app(qtArgc, argv);
            gribo::art::writeSheet(argv[2], argv[3], argc == 5 ? argv[4] : "");
            return 0;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: assetgen <out-dir>\n"
                 "       assetgen --sheet <out-dir> <sheet.png> [name-filter]\n");
    return 2;
}
