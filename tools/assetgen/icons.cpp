#include "icons.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "creature.h"
#include "files.h"

namespace gribo::art {
namespace {

// Rows of the small sizes, in the legend of the text sprites ('.' is clear).
const std::initializer_list<std::string_view> kIcon16 = {
    "................",  //
    ".......kk.......",  // the curl
    "......kddk......",  //
    ".......kdk......",  //
    ".....kkkkkk.....",  //
    "...kkllmmmmkk...",  //
    "..kllmmmmmmmmk..",  //
    "..klwkmmmmwkmk..",  // the eyes
    ".kllkkmmmmkkmmk.",  //
    ".kmlDkmmmmDkmmk.",  //
    "kmkpmmkmmkmmpkmk",  // cheeks, grin and arms
    "kmklllmkkmmmdkmk",  //
    ".kkllllllllddkk.",  //
    "...kkllllddkk...",  //
    "...kmmkkkkmmk...",  // the feet
    "....kkk..kkk....",  //
};

const std::initializer_list<std::string_view> kIcon22 = {
    "......................",  //
    "..........kkk.........",  // the curl
    ".........kdddk........",  //
    ".........kdkdk........",  //
    "..........kddk........",  //
    "........kkkkkk........",  //
    "......kkllmmmmkk......",  //
    ".....kllllmmmmmmk.....",  //
    "....kllkkllmmkkmmk....",  // the eyes
    "...kmlkwkklmkwkkmmk...",  //
    "...kmlkkkklmkkkkmmk...",  //
    "...kmmkDwkmmkDwkmmk...",  //
    ".kkkmmmkkmmmmkkmmmkkk.",  //
    "klmkmppmmkmmkmmppmkmmk",  // cheeks, grin and arms
    "kmdkmlllllkkllldddkddk",  //
    ".kkkllllllllllddddkkk.",  //
    "....kllllllllddddk....",  //
    ".....kllldddddddk.....",  //
    "....kmmmkkkkkkmmmk....",  // the feet
    "....kmddk....kmddk....",  //
    ".....kkk......kkk.....",  //
    "......................",  //
};

const std::initializer_list<std::string_view> kIcon24 = {
    "........................",  //
    "...........kkk..........",  // the curl
    "..........kdddk.........",  //
    "..........kdkdk.........",  //
    "...........kddk.........",  //
    ".........kkkkkkk........",  //
    ".......kkmmmmmmmkk......",  //
    "......kllllmmmmmmmk.....",  //
    ".....kllllllmmmmmmmk....",  //
    ".....kllkkllmmmkkmmk....",  // the eyes
    "....kmlkwkklmmkwkkmmk...",  //
    "....kmlkkkklmmkkkkmmk...",  //
    "....kmmkDwkmmmkDwkmmk...",  //
    "....kmmmkkmmmmmkkmmmk...",  //
    "..kkkmppmmkmmmkmmppmkkk.",  // cheeks, grin and arms
    ".klmkmlllllkkkllllddkmmk",  //
    ".kmdklllllllllllldddkddk",  //
    "..kkklllllllllllddddkkk.",  //
    ".....klllllllllddddk....",  //
    "......klllddddddddk.....",  //
    ".....kmmmkkkkkkmmmk.....",  // the feet
    ".....kmddk....kmddk.....",  //
    "......kkk......kkk......",  //
    "........................",  //
};

Canvas fromRows(int size, std::initializer_list<std::string_view> rows) {
    Canvas c(size, size);
    c.drawGrid(0, 0, rows);
    return c;
}

// Gribo as the game draws him, smiling, with sparkling eyes, in the middle of 32 x 32.
Canvas drawIcon32() {
    Canvas face(32, 32);
    Pose p;
    p.x = 16;
    p.footRow = 28;
    p.eyes = Eyes::Sparkly;
    p.mouth = Mouth::Grin;
    drawCreature(face, p);
    return face;
}

// Every pixel becomes a `factor` x `factor` block.
Canvas enlarged(const Canvas& small, int factor) {
    Canvas big(small.width() * factor, small.height() * factor);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) big.set(x, y, small.at(x / factor, y / factor));
    return big;
}

Canvas iconCanvas(int size) {
    switch (size) {
        case 16:
            return fromRows(16, kIcon16);
        case 22:
            return fromRows(22, kIcon22);
        case 24:
            return fromRows(24, kIcon24);
        case 32:
            return drawIcon32();
        case 48:
            return enlarged(fromRows(24, kIcon24), 2);
        case 64:
        case 128:
        case 256:
            return enlarged(drawIcon32(), size / 32);
    }
    throw std::invalid_argument("no icon of " + std::to_string(size) + " pixels");
}

}  // namespace

QImage drawIcon(int size) { return toImage(iconCanvas(size)); }

std::string iconFile(int size) {
    const std::string n = std::to_string(size);
    return "icons/hicolor/" + n + "x" + n + "/apps/" GRIBO_APP_ID ".png";
}

}  // namespace gribo::art
