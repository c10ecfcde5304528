// Every text the game shows, word for word as the player reads it, written out once
// here. The other tests compare with the game's constants; this one pins them.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "care/commands.h"
#include "life/life_rig.h"

namespace gribo {
namespace {

using test::LifeRig;

// What the game showed in `window` while `play` ran on a fresh rig.
std::string shownBy(const std::function<void(LifeRig&)>& play, Window window) {
    LifeRig rig;
    play(rig);
    EXPECT_FALSE(rig.windows.shown.empty());
    if (rig.windows.shown.empty()) return {};
    EXPECT_EQ(rig.windows.shown.back().window, window);
    return rig.windows.shown.back().text;
}

std::function<void(LifeRig&)> vetSees(const char* stade, int caca) {
    return [=](LifeRig& rig) {
        rig.baby(stade, 0, rig.now(), caca);
        veterinaire(rig.game);
    };
}

TEST(TheGamesWords, AsThePlayerReadsThem) {
    const struct {
        const char* what;
        std::function<void(LifeRig&)> play;
        Window window;
        const char* text;
    } cases[] = {
        {"egg left too long",
         [](LifeRig& rig) {
             rig.egg("Oeuf1", 2024, 6, 10, 10);
             rig.clock.set(2024, 6, 10, 19);
             rig.tick();
         },
         Window::DeathNotice,
         "Triste nouvelle, Gribo  est mort, faute d'avoir recu des soins adaptés lors de sa naissance."},
        {"starving baby",
         [](LifeRig& rig) {
             rig.baby("nourrisson", 1000, rig.now());
             rig.tick();
         },
         Window::DeathNotice,
         "Triste nouvelle, Gribo est mort. Pensez à le nourir : ce n'est pas parceque sa fenetre est fermée que "
         "votre animal n'a pas faim !"},
        {"droppings", vetSees("nourrissonpleure", 2), Window::Vet,
         "\r\nQu'est ce que c'est que ça ?\r\nSi vous ne nettoyez pas, votre animal a de FORTES CHANCES de tomber "
         "malade, voir de mourir."},
        {"new egg", vetSees("Oeuf1", 0), Window::Vet,
         "\r\nAucune inquietude à avoir. Cet oeuf me semble parfaitement normal."},
        {"egg near hatching", vetSees("Oeuf2", 0), Window::Vet,
         "\r\nLorsque la vitesse de battement d'un oeuf s'accelere, l'éclosion est proche. Ne la ratez pas !"},
        {"healthy baby", vetSees("nourrisson", 0), Window::Vet,
         "Ce nourrisson m'a l'air en parfaite santé. Occupez vous bien de lui !"},
        {"sick baby", vetSees("nourrissonmalade", 0), Window::Vet,
         "Vous nourrissez trop ce bébé !\r\nFaites plus attention à l'avenir."},
        {"statistics",
         [](LifeRig& rig) {
             rig.baby("nourrissonmilk", -70, rig.now(), 2, "Non");
             stats(rig.game);
         },
         Window::Stats, "Stade :nourrissonmilk Faim : -70\r\n Cacafait: Non caca:2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shownBy(c.play, c.window), c.text) << c.what;
    }
}

}  // namespace
}  // namespace gribo
