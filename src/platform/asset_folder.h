#pragma once

// Where the game's pictures and sound are. Every asset path of the catalogue starts
// with the `datas` folder; the asset root is the folder that holds it.

#include <QString>
#include <string_view>

namespace gribo::platform {

// The asset root of an executable in `exeDir`, in this order:
// - `exeDir` itself when a `datas` folder lies beside the executable: the build tree,
//   or a copy of the game carried elsewhere with its `datas`;
// - else `exeDir`/`installedFromExe` when a `datas` folder lies there: the installed
//   data folder, named relative to the executable (`../share/gribo` for an
//   installation in bin/), so an installation works under any prefix;
// - else `exeDir`, where a missing picture is then reported.
QString findAssetRoot(const QString& exeDir, const QString& installedFromExe);

// The full name of the asset at `path` (relative, as in the catalogue) under the asset
// root `root`, with '/' separators.
QString assetFileIn(const QString& root, std::string_view path);

// The full name of an asset from its relative path in the catalogue: the asset root
// of this program (looked up once, from the folder of its executable) followed by
// the path with '/' separators. REQUIRES: a QCoreApplication exists.
QString assetFile(std::string_view path);

}  // namespace gribo::platform
