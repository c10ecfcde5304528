#pragma once

// The asset generator: every file of the asset folder, the vet's picture built
// into the program, the application icons, and the review sheet.

#include <QImage>
#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

#include "canvas.h"

namespace gribo::art {

// Relative to the output folder.
inline constexpr std::string_view kVetPictureFile = "resources/picture1.gif";

// Writes every file of the catalogue under <out>/datas, the vet's picture under
// <out>/resources and the icons under <out>/icons (see icons.h), creating folders
// as needed. Every file is written afresh with mode 0644, whatever was there, so
// that every user of the machine can read an installed copy. Returns every file
// written. Throws std::runtime_error on a write error.
std::vector<std::filesystem::path> generateAll(const std::filesystem::path& out);

// The vet's syringe and bottle, 18 x 25, and its 16-colour palette (index 0 is
// transparent).
Canvas drawVetPicture();
const std::array<Rgb, 16>& vetPalette();

// Composes the review sheet from the files under <out>: every picture at 3x
// over the room it is shown in, labelled with its file name. Only files whose
// name contains `filter` are shown. Needs a QGuiApplication (for the labels).
void writeSheet(const std::filesystem::path& out, const std::filesystem::path& sheet, std::string_view filter = {});

}  // namespace gribo::art
