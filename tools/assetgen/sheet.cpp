#include "sheet.h"

#include <QFont>
#include <QImageReader>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/scene_layout.h"
#include "entries.h"
#include "generator.h"
#include "icons.h"

namespace gribo::art {
namespace fs = std::filesystem;

namespace {

constexpr int kScale = 3;
using scene::kHeight;
using scene::kWidth;
constexpr int kLabelHeight = 18;
constexpr int kColumns = 6;

QImage readPicture(const fs::path& file) {
    QImageReader reader(QString::fromStdString(file.string()));
    QImage image = reader.read();
    if (image.isNull())
        throw std::runtime_error("cannot read " + file.string() + ": " + reader.errorString().toStdString());
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The scene as the game shows it: the window colour, the room at its corner, and
// the picture in its slot.
QImage compose(const fs::path& out, const Entry& entry) {
    constexpr scene::Point at = scene::kOrigin;
    constexpr scene::Point droppingsAt = scene::kDroppingsOrigin;
    QImage shown(kWidth, kHeight, QImage::Format_ARGB32);
    shown.fill(QColor(scene::kFrame.r, scene::kFrame.g, scene::kFrame.b));
    QPainter painter(&shown);
    const QImage picture = readPicture(fileFor(out, entry.path));
    if (entry.family == Family::Background || entry.family == Family::BathBackground) {
        painter.drawImage(at.x, at.y, picture);
        return shown;
    }
    const bool bath = entry.family == Family::Bath;
    painter.drawImage(at.x, at.y, readPicture(fileFor(out, bath ? asset::kFondSdb : asset::kFond)));
    if (entry.family == Family::Sky) {
        painter.drawImage(at.x, at.y, picture);
        return shown;
    }
    const QImage day = readPicture(fileFor(out, asset::kCiel));
    if (entry.family == Family::Droppings || entry.family == Family::Blank) {
        painter.drawImage(at.x, at.y, day);
        painter.drawImage(droppingsAt.x, droppingsAt.y, picture);
        return shown;
    }
    painter.drawImage(at.x, at.y, picture);
    painter.drawImage(at.x, at.y, day);
    return shown;
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
        QImage scene(kWidth, kHeight, QImage::Format_ARGB32);
        scene.fill(QColor(239, 239, 239));
        QPainter painter(&scene);
        const QImage picture = readPicture(out / extra);
        painter.drawImage((kWidth - picture.width()) / 2, (kHeight - picture.height()) / 2, picture);
        painter.end();
        tiles.push_back({scene, QString::fromStdString(name)});
    }
    if (tiles.empty()) throw std::runtime_error("no picture matches the filter");

    const int columns = std::min<int>(kColumns, static_cast<int>(tiles.size()));
    const int rows = (static_cast<int>(tiles.size()) + columns - 1) / columns;
    const int tileWidth = kWidth * kScale;
    const int tileHeight = kHeight * kScale + kLabelHeight;
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
            x, y, tiles[i].image.scaled(tileWidth, kHeight * kScale, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        painter.drawText(QRect(x, y + kHeight * kScale, tileWidth, kLabelHeight), Qt::AlignCenter, tiles[i].label);
    }
    painter.end();
    if (!page.save(QString::fromStdString(sheet.string()), "PNG"))
        throw std::runtime_error("cannot write " + sheet.string());
}

}  // namespace gribo::art
