#include "files.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <unistd.h>

#include <QString>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace gribo::art {
namespace {

[[noreturn]] void fail(const std::filesystem::path& file, const std::string& why) {
    throw std::runtime_error("cannot write " + file.string() + ": " + why);
}

int tableSizeFor(std::size_t colours) {
    int size = 2;
    while (static_cast<std::size_t>(size) < colours) size *= 2;
    return size;
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

}  // namespace

void writeGif(const std::filesystem::path& file, const Canvas& picture, std::span<const Rgb> palette,
              std::uint8_t transparent) {
    if (palette.empty() || palette.size() > 256) fail(file, "a GIF palette holds 1 to 256 colours");
    const int tableSize = tableSizeFor(palette.size());
    std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(tableSize, nullptr));
    if (!map) fail(file, "out of memory");
    for (int i = 0; i < tableSize; ++i) {
        const Rgb c =
            static_cast<std::size_t>(i) < palette.size() ? palette[static_cast<std::size_t>(i)] : Rgb{0, 0, 0};
        map->Colors[i] = {c.r, c.g, c.b};
    }

    // giflib would create the file readable by its owner only; it is opened here
    // with the usual mode instead, and giflib closes it.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) fail(file, "cannot open");
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpenFileHandle(fd, &error));
    if (!gif) {
        ::close(fd);
        fail(file, GifErrorString(error));
    }
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), picture.width(), picture.height(), 8, 0, map.get()) != GIF_OK)
        fail(file, GifErrorString(gif->Error));

    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.UserInputFlag = false;
    control.DelayTime = 0;
    control.TransparentColor = transparent;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) != GIF_OK)
        fail(file, GifErrorString(gif->Error));

    if (EGifPutImageDesc(gif.get(), 0, 0, picture.width(), picture.height(), false, nullptr) != GIF_OK)
        fail(file, GifErrorString(gif->Error));
    std::vector<GifPixelType> row(static_cast<std::size_t>(picture.width()));
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint8_t c = picture.at(x, y);
            if (c >= palette.size()) fail(file, "pixel outside the palette");
            row[static_cast<std::size_t>(x)] = c;
        }
        if (EGifPutLine(gif.get(), row.data(), picture.width()) != GIF_OK) fail(file, GifErrorString(gif->Error));
    }
    GifFileType* raw = gif.release();
    if (EGifCloseFile(raw, &error) != GIF_OK) fail(file, GifErrorString(error));
}

QImage toImage(const Canvas& picture, std::span<const Rgb> palette, std::uint8_t transparent) {
    QImage image(picture.width(), picture.height(), QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint8_t c = picture.at(x, y);
            const Rgb rgb = palette[c];
            image.setPixel(x, y, c == transparent ? qRgba(0, 0, 0, 0) : qRgb(rgb.r, rgb.g, rgb.b));
        }
    return image;
}

void writeBmp(const std::filesystem::path& file, const Canvas& picture) {
    if (picture.countNot(kClear) != picture.pixels().size()) fail(file, "a background must be opaque");
    const QImage image = toImage(picture).convertToFormat(QImage::Format_RGB32);
    if (!image.save(QString::fromStdString(file.string()), "BMP")) fail(file, "Qt could not save the BMP");
}

void writePng(const std::filesystem::path& file, const QImage& image) {
    if (!image.save(QString::fromStdString(file.string()), "PNG")) fail(file, "Qt could not save the PNG");
}

namespace {

void put16(std::ofstream& out, std::uint16_t v) {
    const char b[2] = {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
    out.write(b, 2);
}

void put32(std::ofstream& out, std::uint32_t v) {
    const char b[4] = {static_cast<char>(v & 0xff), static_cast<char>((v >> 8) & 0xff),
                       static_cast<char>((v >> 16) & 0xff), static_cast<char>(v >> 24)};
    out.write(b, 4);
}

}  // namespace

void writeWav(const std::filesystem::path& file, const std::vector<std::int16_t>& samples, int sampleRate) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) fail(file, "cannot open");
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, static_cast<std::uint32_t>(sampleRate));
    put32(out, static_cast<std::uint32_t>(sampleRate) * 2);
    put16(out, 2);   // bytes per frame
    put16(out, 16);  // bits per sample
    out.write("data", 4);
    put32(out, dataBytes);
    for (std::int16_t s : samples) put16(out, static_cast<std::uint16_t>(s));
    if (!out) fail(file, "write error");
}

}  // namespace gribo::art
