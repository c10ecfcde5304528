#pragma once

// The review sheet: every picture of the game at 3x, as the game shows it.

#include <filesystem>
#include <string_view>

namespace gribo::art {

// Composes the review sheet from the files under <out>: every picture at 3x
// over the room it is shown in, labelled with its file name. Only files whose
// name contains `filter` are shown. Needs a QGuiApplication (for the labels).
// Throws std::runtime_error when a picture cannot be read or the sheet written.
void writeSheet(const std::filesystem::path& out, const std::filesystem::path& sheet, std::string_view filter = {});

}  // namespace gribo::art
