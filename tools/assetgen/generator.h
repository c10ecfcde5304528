#pragma once

// The asset generator's writing: every file of the asset folder, the vet's picture
// built into the program and the application icons. What the pictures look like is
// drawn elsewhere (frames, scene, vet_picture, icons); the review sheet is in sheet.h.

#include <filesystem>
#include <string_view>
#include <vector>

namespace gribo::art {

// Relative to the output folder.
inline constexpr std::string_view kVetPictureFile = "resources/picture1.gif";

// Writes every file of the catalogue under <out>/datas, the vet's picture under
// <out>/resources and the icons under <out>/icons (see icons.h), creating folders
// as needed. Every file is written afresh with mode 0644, whatever was there, so
// that every user of the machine can read an installed copy. Returns every file
// written. Throws std::runtime_error on a write error.
std::vector<std::filesystem::path> generateAll(const std::filesystem::path& out);

// The file of the catalogue at `catalogPath` ("\datas\...") under <out>.
std::filesystem::path fileFor(const std::filesystem::path& out, std::string_view catalogPath);

}  // namespace gribo::art
