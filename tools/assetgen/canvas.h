#pragma once

// An indexed picture and the few drawing primitives the game's art is made
// with. Every primitive writes whole palette indices: there is no blending and
// no antialiasing, so edges stay hard and transparent pixels stay exactly
// transparent.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "palette.h"

namespace gribo::art {

class Canvas {
public:
    Canvas(int width, int height, std::uint8_t fill = kClear);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint8_t>& pixels() const { return pixels_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Reads outside the picture give kClear; writes outside it are dropped.
    std::uint8_t at(int x, int y) const;
    void set(int x, int y, std::uint8_t c);

    void fill(std::uint8_t c);
    void fillRect(int x, int y, int w, int h, std::uint8_t c);
    void hline(int x0, int x1, int y, std::uint8_t c);
    void vline(int x, int y0, int y1, std::uint8_t c);
    // Bresenham line, both ends included.
    void line(int x0, int y0, int x1, int y1, std::uint8_t c);
    // The ellipse inscribed in the box (x, y, w, h): a pixel belongs to it when
    // its centre does, so the shape is symmetric for any size.
    void fillEllipse(int x, int y, int w, int h, std::uint8_t c);
    // The same ellipse in three shades, lit from the top left.
    void fillShadedEllipse(int x, int y, int w, int h, std::uint8_t light, std::uint8_t mid, std::uint8_t dark);
    // Recolours the 4-connected region of (x, y)'s colour.
    void floodFill(int x, int y, std::uint8_t c);

    // Paints every pixel whose centre satisfies `inside(fx, fy)` (picture coordinates).
    template <class Inside>
    void fillWhere(Inside inside, std::uint8_t c) {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (inside(x + 0.5, y + 0.5)) pixels_[index(x, y)] = c;
    }
    // Paints every pixel for which `colourAt(fx, fy)` gives a colour (not kClear).
    template <class ColourAt>
    void paintWhere(ColourAt colourAt) {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const std::uint8_t c = colourAt(x + 0.5, y + 0.5);
                if (c != kClear) pixels_[index(x, y)] = c;
            }
    }

    // A text sprite: one string per row, one character per pixel, read through
    // the legend of legendColour(). '.' leaves the pixel alone.
    void drawGrid(int x, int y, std::initializer_list<std::string_view> rows, bool mirror = false);

    // Copies the non-transparent pixels of `part` at (dx, dy).
    void blit(const Canvas& part, int dx, int dy);
    // Like blit, and also rings the part with a 1-pixel outline: every pixel
    // outside the part that touches it edge to edge takes `outline`. The ring
    // is what separates a part from whatever it is drawn over.
    void stamp(const Canvas& part, int dx, int dy, std::uint8_t outline = kInk);
    // Replaces every colour c by map[c].
    void remap(const std::array<std::uint8_t, kColourCount>& map);

    Canvas mirrored() const;
    std::size_t countNot(std::uint8_t c) const;

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};

// The colour of a text-sprite character, or -1 for '.' (leave alone).
int legendColour(char ch);

// The identity colour map, to be edited into a palette swap.
std::array<std::uint8_t, kColourCount> identityMap();

}  // namespace gribo::art
