#include "generator.h"

#include <filesystem>
#include <string_view>
#include <vector>

#include "creature.h"
#include "cry.h"
#include "entries.h"
#include "files.h"
#include "frames.h"
#include "icons.h"
#include "vet_picture.h"

namespace gribo::art {

namespace fs = std::filesystem;

fs::path fileFor(const fs::path& out, std::string_view catalogPath) { return out / asset::toRelativeFile(catalogPath); }

std::vector<fs::path> generateAll(const fs::path& out) {
    std::vector<fs::path> written;
    for (const Entry& entry : kEntries) {
        const fs::path file = fileFor(out, entry.path);
        fs::create_directories(file.parent_path());
        switch (entry.format) {
            case Format::Bmp:
                writeBmp(file, drawPicture(entry));
                break;
            case Format::Gif:
                writeGif(file, drawPicture(entry), kPalette);
                break;
            case Format::Wav:
                writeWav(file, synthesiseCry(), kCrySampleRate);
                break;
        }
        written.push_back(file);
    }
    const fs::path vet = out / kVetPictureFile;
    fs::create_directories(vet.parent_path());
    writeGif(vet, drawVetPicture(), vetPalette());
    written.push_back(vet);
    for (int size : kIconSizes) {
        const fs::path icon = out / iconFile(size);
        fs::create_directories(icon.parent_path());
        writePng(icon, drawIcon(size));
        written.push_back(icon);
    }
    for (const fs::path& file : written)
        fs::permissions(
            file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
    return written;
}

}  // namespace gribo::art
