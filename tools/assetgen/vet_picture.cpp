#include "vet_picture.h"

#include <cstdint>
#include <string_view>

namespace gribo::art {

const std::array<Rgb, 16>& vetPalette() {
    static const std::array<Rgb, 16> kVet = {{
        {255, 0, 255},    // transparent
        {0, 0, 0},        // black
        {31, 31, 193},    // dark blue
        {39, 35, 255},    // blue
        {255, 0, 0},      // red
        {112, 112, 112},  // grey
        {51, 255, 0},     // bright green
        {214, 214, 214},  // light grey
        {255, 255, 255},  // white
        {0, 0, 0},
        {0, 0, 0},
        {0, 0, 0},
        {0, 0, 0},
        {0, 0, 0},
        {0, 0, 0},
        {0, 0, 0},
    }};
    return kVet;
}

Canvas drawVetPicture() {
    // Rows of the picture; '.' is transparent, the letters are the vet palette.
    static constexpr std::string_view kRows[] = {
        "....k.............",  // the needle
        "....k.............",  //
        "....k.............",  //
        "....k.............",  //
        "....k.............",  //
        "...kkk............",  //
        "..krrrk...........",  // the red band
        "..krrrk....kkkk...",  // the bottle's stopper
        ".kkkkkkk...kGGk...",  // the barrel, with its marks
        ".kkwwwwk...kGGk...",  //
        ".kwwwwwk...kggk...",  // the bottle's neck
        ".kkkwwwk.kkkggkkk.",  //
        ".kwwwwwk.kgggggwk.",  //
        ".kkwwwwk.kwBBBBDk.",  // the medicine
        ".kwwwwwk.kwBBBBDk.",  //
        ".kkkwwwk.kBBBBBDk.",  //
        ".kwwwwwk.kBwwwBDk.",  // its label
        ".kkkkkkk.kBwwwBDk.",  //
        "kgggggggkkBBBBDDk.",  // the finger rest
        "kkkkGkkkkkDDDDDDk.",  // the plunger
        "...kGk...kkkkkkkk.",  //
        "...kGk..6.....6...",  // green marks at the bottle's foot
        "...kGk.6.6.6.6.6..",  //
        ".kGGGGGk..6...6.6.",  //
        ".kkkkkkk..........",  //
    };
    Canvas c(18, 25);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 18; ++x) {
            std::uint8_t colour = 0;
            switch (kRows[y][static_cast<std::size_t>(x)]) {
                case 'k':
                    colour = 1;
                    break;
                case 'D':
                    colour = 2;
                    break;
                case 'B':
                    colour = 3;
                    break;
                case 'r':
                    colour = 4;
                    break;
                case 'G':
                    colour = 5;
                    break;
                case '6':
                    colour = 6;
                    break;
                case 'g':
                    colour = 7;
                    break;
                case 'w':
                    colour = 8;
                    break;
                default:
                    colour = 0;
                    break;
            }
            c.set(x, y, colour);
        }
    return c;
}

}  // namespace gribo::art
