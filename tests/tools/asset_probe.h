#pragma once

// Readers the asset tests look at generated files with: giflib for what a GIF
// file says about itself, Qt for what the game will see, and a plain reader
// of WAV headers.

#include <gif_lib.h>

#include <QImage>
#include <QImageReader>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "palette.h"

namespace gribo::art::probe {

struct GifInfo {
    bool ok = false;
    int width = 0;
    int height = 0;
    int images = 0;
    int transparent = -1;  // from the graphics control extension
    bool looping = false;  // an application (NETSCAPE) extension
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> raster;  // indices of the first image
};

inline GifInfo readGif(const std::filesystem::path& file) {
    GifInfo info;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(file.c_str(), &error);
    if (!gif) return info;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1) {
        info.ok = true;
        info.width = gif->SWidth;
        info.height = gif->SHeight;
        info.images = gif->ImageCount;
        if (const ColorMapObject* map = gif->SColorMap)
            for (int i = 0; i < map->ColorCount; ++i)
                info.palette.push_back({map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue});
        GraphicsControlBlock control{};
        if (DGifSavedExtensionToGCB(gif, 0, &control) == GIF_OK) info.transparent = control.TransparentColor;
        auto scan = [&](int count, const ExtensionBlock* blocks) {
            for (int i = 0; i < count; ++i)
                if (blocks[i].Function == APPLICATION_EXT_FUNC_CODE) info.looping = true;
        };
        scan(gif->ExtensionBlockCount, gif->ExtensionBlocks);
        for (int i = 0; i < gif->ImageCount; ++i)
            scan(gif->SavedImages[i].ExtensionBlockCount, gif->SavedImages[i].ExtensionBlocks);
        const SavedImage& first = gif->SavedImages[0];
        const std::size_t n = static_cast<std::size_t>(first.ImageDesc.Width) * first.ImageDesc.Height;
        info.raster.assign(first.RasterBits, first.RasterBits + n);
    }
    DGifCloseFile(gif, &error);
    return info;
}

// The picture as the game decodes it, in ARGB32 (a null image on failure).
inline QImage readImage(const std::filesystem::path& file) {
    QImageReader reader(QString::fromStdString(file.string()));
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

inline std::vector<char> readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::uint32_t le32(const std::vector<char>& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

inline std::uint16_t le16(const std::vector<char>& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}

inline bool opaque(const QImage& image, int x, int y) { return qAlpha(image.pixel(x, y)) == 255; }

inline int countOpaque(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += opaque(image, x, y);
    return n;
}

}  // namespace gribo::art::probe
