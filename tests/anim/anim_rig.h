#pragma once

// What the animation tests share: ticks numbered from 1 on a rig, and the pictures
// named as the game's files are, so that an expected trace reads like the sequence.

#include <cstdint>
#include <string>
#include <string_view>

#include "anim/animation.h"
#include "support/fakes.h"

namespace gribo::test {

using Load = PictureRecorder::Load;

inline std::string inDatas(std::string_view file) { return "\\datas\\" + std::string(file); }
inline std::string inGribo(std::string_view file) { return "\\datas\\gribo\\" + std::string(file); }

// A load into the pet slot Image2 from datas\gribo, or into a room slot from datas.
inline Load frameAt(int tick, std::string_view file) { return {tick, Slot::Image2, inGribo(file)}; }
inline Load roomAt(int tick, Slot slot, std::string_view file) { return {tick, slot, inDatas(file)}; }

// Puts the pet in `stade` with the count given, as the part that starts a stage does.
inline void enter(Rig& rig, std::string_view stade, int16_t compteur = 0) {
    rig.game.pet.stade = std::string(stade);
    rig.game.pet.compteur = compteur;
}

// Runs `n` ticks, numbering them on from the last one run.
inline void run(Rig& rig, int n) {
    for (int i = 0; i < n; ++i) {
        rig.stamp(rig.pictures.tick + 1);
        animationTick(rig.game);
    }
}

}  // namespace gribo::test
