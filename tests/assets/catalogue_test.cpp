#include "assets/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace gribo::asset {
namespace {

TEST(Catalogue, SixtyTwoFilesSevenInDatasAndFiftyFiveForThePet) {
    std::set<std::string> names;
    int inGribo = 0;
    for (std::string_view path : kAllFiles) {
        names.insert(std::string(path));
        inGribo += path.starts_with("\\datas\\gribo\\");
    }
    EXPECT_EQ(names.size(), 62u);
    EXPECT_EQ(kAllFiles.size(), 62u);
    EXPECT_EQ(inGribo, 55);
}

}  // namespace
}  // namespace gribo::asset
