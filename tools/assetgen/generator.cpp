#include "generator.h"

#include <QFont>
#include <QImageReader>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "creature.h"
#include "cry.h"
#include "entries.h"
#include "files.h"
#include "frames.h"
#include "icons.h"
#include "layout.h"

namespace gribo::art {
namespace {

namespace fs = std::filesystem;

fs::path fileFor(const fs::path& out, std::string_view catalogPath) { return out / asset::toRelativeFile(catalogPath); }

}  // namespace

const std::array<Rgb, 16>& vetPalette() {
    static const std::array<Rgb, 16> kVet = {{
        {255, 0, 255},    // transparent
        {0, 0, 0},        // black
        {31, 31, 193},    // dark blue
        {39, 35, 255},    // blue
        {255, 0, 0},      // red
        {112, 112, 112},  // grey
        {51, 255, 0},     // bright green
        {214, 214, 214},  // light grey
        {255, 255, 255},  // white
        {0, 0, 0},
        {0, 0, 0},
        {0, 0, 0},
        {0, 0, 0},
        {0, 0, 0},
        {0, 0, 0},
        {0, 0, 0},
    }};
    return kVet;
}

Canvas drawVetPicture() {
    // Rows of the picture; '.' is transparent, the letters are the vet palette.
    static constexpr std::string_view kRows[] = {
        "....k.............",  // the needle
        "....k.............",  //
        "....k.............",  //
        "....k.............",  //
        "....k.............",  //
        "...kkk............",  //
        "..krrrk...........",  // the red band
        "..krrrk....kkkk...",  // the bottle's stopper
        ".kkkkkkk...kGGk...",  // the barrel, with its marks
        ".kkwwwwk...kGGk...",  //
        ".kwwwwwk...kggk...",  // the bottle's neck
        ".kkkwwwk.kkkggkkk.",  //
        ".kwwwwwk.kgggggwk.",  //
        ".kkwwwwk.kwBBBBDk.",  // the medicine
        ".kwwwwwk.kwBBBBDk.",  //
        ".kkkwwwk.kBBBBBDk.",  //
        ".kwwwwwk.kBwwwBDk.",  // its label
        ".kkkkkkk.kBwwwBDk.",  //
        "kgggggggkkBBBBDDk.",  // the finger rest
        "kkkkGkkkkkDDDDDDk.",  // the plunger
        "...kGk...kkkkkkkk.",  //
        "...kGk..6.....6...",  // green marks at the bottle's foot
        "...kGk.6.6.6.6.6..",  //
        ".kGGGGGk..6...6.6.",  //
        ".kkkkkkk..........",  //
    };
    Canvas c(18, 25);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 18; ++x) {
            std::uint8_t colour = 0;
            switch (kRows[y][static_cast<std::size_t>(x)]) {
                case 'k':
                    colour = 1;
                    break;
                case 'D':
                    colour = 2;
                    break;
                case 'B':
                    colour = 3;
                    break;
                case 'r':
                    colour = 4;
                    break;
                case 'G':
                    colour = 5;
                    break;
                case '6':
                    colour = 6;
                    break;
                case 'g':
                    colour = 7;
                    break;
                case 'w':
                    colour = 8;
                    break;
                default:
                    colour = 0;
                    break;
            }
            c.set(x, y, colour);
        }
    return c;
}

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

// ---- The review sheet ----------------------------------------------------------

namespace {

constexpr int kScale = 3;
constexpr int kSceneWidth = 110;
constexpr int kSceneHeight = 95;
constexpr int kLabelHeight = 18;
constexpr int kColumns = 6;

QImage readPicture(const fs::path& file) {
    QImageReader reader(QString::fromStdString(file.string()));
    QImage image = reader.read();
    if (image.isNull())
        throw std::runtime_error("cannot read " + file.string() + ": " + reader.errorString().toStdString());
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The scene as the game shows it: the window colour, the room at (16, 8), and
// the picture in its slot.
QImage compose(const fs::path& out, const Entry& entry) {
    const Rgb frame = kPalette[kPlum];
    QImage scene(kSceneWidth, kSceneHeight, QImage::Format_ARGB32);
    scene.fill(QColor(frame.r, frame.g, frame.b));
    QPainter painter(&scene);
    const QImage picture = readPicture(fileFor(out, entry.path));
    if (entry.family == Family::Background || entry.family == Family::BathBackground) {
        painter.drawImage(16, 8, picture);
        return scene;
    }
    const bool bath = entry.family == Family::Bath;
    painter.drawImage(16, 8, readPicture(fileFor(out, bath ? asset::kFondSdb : asset::kFond)));
    if (entry.family == Family::Sky) {
        painter.drawImage(16, 8, picture);
        return scene;
    }
    const QImage day = readPicture(fileFor(out, asset::kCiel));
    if (entry.family == Family::Droppings || entry.family == Family::Blank) {
        painter.drawImage(16, 8, day);
        painter.drawImage(16 - kDroppingsShift, 8, picture);
        return scene;
    }
    painter.drawImage(16, 8, picture);
    painter.drawImage(16, 8, day);
    return scene;
}

}  // namespace

void writeSheet(const fs::path& out, const fs::path& sheet, std::string_view filter) {
    struct Tile {
        QImage image;
        QString label;
    };
    std::vector<Tile> tiles;
    for (const Entry& entry : kEntries) {
        if (entry.format == Format::Wav) continue;
        const std::string name = fs::path(asset::toRelativeFile(entry.path)).filename().string();
        if (name.find(filter) == std::string::npos) continue;
        tiles.push_back({compose(out, entry), QString::fromStdString(name)});
    }
    for (const std::string& extra : {std::string(kVetPictureFile), iconFile(64)}) {
        const std::string name = fs::path(extra).filename().string();
        if (name.find(filter) == std::string::npos) continue;
        QImage scene(kSceneWidth, kSceneHeight, QImage::Format_ARGB32);
        scene.fill(QColor(239, 239, 239));
        QPainter painter(&scene);
        const QImage picture = readPicture(out / extra);
        painter.drawImage((kSceneWidth - picture.width()) / 2, (kSceneHeight - picture.height()) / 2, picture);
        painter.end();
        tiles.push_back({scene, QString::fromStdString(name)});
    }
    if (tiles.empty()) throw std::runtime_error("no picture matches the filter");

    const int columns = std::min<int>(kColumns, static_cast<int>(tiles.size()));
    const int rows = (static_cast<int>(tiles.size()) + columns - 1) / columns;
    const int tileWidth = kSceneWidth * kScale;
    const int tileHeight = kSceneHeight * kScale + kLabelHeight;
    QImage page(columns * (tileWidth + 4) + 4, rows * (tileHeight + 4) + 4, QImage::Format_RGB32);
    page.fill(QColor(32, 24, 34));
    QPainter painter(&page);
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(QColor(255, 246, 226));
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const int x = 4 + static_cast<int>(i) % columns * (tileWidth + 4);
        const int y = 4 + static_cast<int>(i) / columns * (tileHeight + 4);
        painter.drawImage(
            x, y,
            tiles[i].image.scaled(tileWidth, kSceneHeight * kScale, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        painter.drawText(QRect(x, y + kSceneHeight * kScale, tileWidth, kLabelHeight), Qt::AlignCenter, tiles[i].label);
    }
    painter.end();
    if (!page.save(QString::fromStdString(sheet.string()), "PNG"))
        throw std::runtime_error("cannot write " + sheet.string());
}

}  // namespace gribo::art
