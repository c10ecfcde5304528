#include "rules/sky.h"

#include <array>
#include <string_view>

#include "assets/catalogue.h"

namespace gribo {
namespace {

struct SkyTest {
    int above;  // the picture is loaded when hour > above
    std::string_view picture;
};

// Night, dawn from 6, day from 8, evening from 18, night again from 20.
constexpr std::array<SkyTest, 5> kSky = {{
    {-1, asset::kCielNuit},
    {5, asset::kCielAube},
    {7, asset::kCiel},
    {17, asset::kCielSoir},
    {19, asset::kCielNuit},
}};

}  // namespace

void afficherCiel(PictureSlots& pictures, int hour) {
    for (const SkyTest& t : kSky) {
        if (hour > t.above) pictures.load(Slot::Image3, t.picture);
    }
}

}  // namespace gribo
