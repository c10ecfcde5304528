#pragma once

// Writers of the three file formats the game reads, and the bridge to QImage.
// Each writer throws std::runtime_error when the file cannot be written.

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "canvas.h"

namespace gribo::art {

// One-image GIF89a with a global colour table (padded to a power of two), a
// graphics control extension that makes `transparent` see-through, and no
// animation extension.
void writeGif(const std::filesystem::path& file, const Canvas& picture, std::span<const Rgb> palette,
              std::uint8_t transparent = kClear);

// Opaque 24-bit BMP. The picture must not contain kClear.
void writeBmp(const std::filesystem::path& file, const Canvas& picture);

void writePng(const std::filesystem::path& file, const QImage& image);

// RIFF/WAVE, PCM 16-bit, one channel.
void writeWav(const std::filesystem::path& file, const std::vector<std::int16_t>& samples, int sampleRate);

// ARGB image of an indexed picture; the transparent index becomes alpha 0.
QImage toImage(const Canvas& picture, std::span<const Rgb> palette = kPalette, std::uint8_t transparent = kClear);

}  // namespace gribo::art
