#pragma once

// Every file of the asset folder, by the relative path the game loads it with.
// Paths keep the game's backslashes; the picture adapter turns them into '/'.
// Standard C++ only, and nothing of the game below it: the stages, the sky and the
// sequences name their pictures from here.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <tuple>

namespace gribo::asset {

inline constexpr std::string_view kFond = "\\datas\\fond.bmp";
inline constexpr std::string_view kFondSdb = "\\datas\\fondsdb.bmp";
inline constexpr std::string_view kVide = "\\datas\\vide.gif";
inline constexpr std::string_view kCielNuit = "\\datas\\cielnuit.gif";
inline constexpr std::string_view kCielAube = "\\datas\\cielaube.gif";
inline constexpr std::string_view kCiel = "\\datas\\ciel.gif";
inline constexpr std::string_view kCielSoir = "\\datas\\cielsoir.gif";
inline constexpr std::string_view kMalade = "\\datas\\gribo\\nourrissonmalade.gif";
inline constexpr std::string_view kPleureWav = "\\datas\\gribo\\pleure.wav";

#define GRIBO_FRAME(prefix, n) "\\datas\\gribo\\" prefix #n ".gif"

// Index i holds frame i + 1.
inline constexpr std::array<std::string_view, 11> kOeuf = {
    GRIBO_FRAME("oeufbleuF", 1), GRIBO_FRAME("oeufbleuF", 2),  GRIBO_FRAME("oeufbleuF", 3), GRIBO_FRAME("oeufbleuF", 4),
    GRIBO_FRAME("oeufbleuF", 5), GRIBO_FRAME("oeufbleuF", 6),  GRIBO_FRAME("oeufbleuF", 7), GRIBO_FRAME("oeufbleuF", 8),
    GRIBO_FRAME("oeufbleuF", 9), GRIBO_FRAME("oeufbleuF", 10), GRIBO_FRAME("oeufbleuF", 11)};
inline constexpr std::array<std::string_view, 13> kNourrisson = {
    GRIBO_FRAME("nourrissonF", 1),  GRIBO_FRAME("nourrissonF", 2),  GRIBO_FRAME("nourrissonF", 3),
    GRIBO_FRAME("nourrissonF", 4),  GRIBO_FRAME("nourrissonF", 5),  GRIBO_FRAME("nourrissonF", 6),
    GRIBO_FRAME("nourrissonF", 7),  GRIBO_FRAME("nourrissonF", 8),  GRIBO_FRAME("nourrissonF", 9),
    GRIBO_FRAME("nourrissonF", 10), GRIBO_FRAME("nourrissonF", 11), GRIBO_FRAME("nourrissonF", 12),
    GRIBO_FRAME("nourrissonF", 13)};
inline constexpr std::array<std::string_view, 9> kViande = {
    GRIBO_FRAME("nourrissonviandeF", 1), GRIBO_FRAME("nourrissonviandeF", 2), GRIBO_FRAME("nourrissonviandeF", 3),
    GRIBO_FRAME("nourrissonviandeF", 4), GRIBO_FRAME("nourrissonviandeF", 5), GRIBO_FRAME("nourrissonviandeF", 6),
    GRIBO_FRAME("nourrissonviandeF", 7), GRIBO_FRAME("nourrissonviandeF", 8), GRIBO_FRAME("nourrissonviandeF", 9)};
inline constexpr std::array<std::string_view, 7> kMilk = {
    GRIBO_FRAME("nourrissonmilkF", 1), GRIBO_FRAME("nourrissonmilkF", 2), GRIBO_FRAME("nourrissonmilkF", 3),
    GRIBO_FRAME("nourrissonmilkF", 4), GRIBO_FRAME("nourrissonmilkF", 5), GRIBO_FRAME("nourrissonmilkF", 6),
    GRIBO_FRAME("nourrissonmilkF", 7)};
inline constexpr std::array<std::string_view, 6> kBain = {
    GRIBO_FRAME("nourrissonbainF", 1), GRIBO_FRAME("nourrissonbainF", 2), GRIBO_FRAME("nourrissonbainF", 3),
    GRIBO_FRAME("nourrissonbainF", 4), GRIBO_FRAME("nourrissonbainF", 5), GRIBO_FRAME("nourrissonbainF", 6)};
inline constexpr std::array<std::string_view, 2> kPleure = {GRIBO_FRAME("nourrissonpleureF", 1),
                                                            GRIBO_FRAME("nourrissonpleureF", 2)};
inline constexpr std::array<std::string_view, 5> kCrotte = {GRIBO_FRAME("crotte", 1), GRIBO_FRAME("crotte", 2),
                                                            GRIBO_FRAME("crotte", 3), GRIBO_FRAME("crotte", 4),
                                                            GRIBO_FRAME("crotte", 5)};
#undef GRIBO_FRAME

inline constexpr std::array<std::string_view, 4> kSkies = {kCielNuit, kCielAube, kCiel, kCielSoir};

namespace detail {
template <std::size_t... N>
constexpr auto join(const std::array<std::string_view, N>&... lists) {
    std::array<std::string_view, (N + ...)> out{};
    auto at = out.begin();
    ((at = std::copy(lists.begin(), lists.end(), at)), ...);
    return out;
}
}  // namespace detail

// The whole folder, every file once, in the order of its families. Its size is the
// one count of the catalogue.
inline constexpr auto kAllFiles =
    detail::join(std::array{kFond, kFondSdb, kVide}, kSkies, kOeuf, kNourrisson, kViande, kMilk, std::array{kMalade},
                 kBain, kPleure, kCrotte, std::array{kPleureWav});

// The path of idle frame `n` (1..13) or droppings picture for `count` (1 or more).
std::string_view idleFrame(int n);
std::string_view droppings(int count);
// The piles a picture of the droppings slot shows: n for crotte<n>.gif, 0 for any
// other picture (the empty one after a bath).
int droppingPiles(std::string_view picture);

// "datas/gribo/crotte1.gif" for "\datas\gribo\crotte1.gif": the path below the folder
// that holds the executable, with '/' separators.
std::string toRelativeFile(std::string_view path);

}  // namespace gribo::asset
