#pragma once

// The game as assistive technologies (screen readers; AT-SPI on Linux) meet it: the
// scene is one picture whose name says what the pet is doing and whose description
// tells the droppings and the sky; the statistics and the vet are dialogs, the death
// notice an alert.

#include <QWidget>
#include <string>

#include "state/pet_state.h"
#include "state/ports.h"
#include "ui/picture_slots.h"

namespace gribo::ui {

// Gives the scene the role of a picture without parts (its slots are hidden from the
// accessibility tree), Form2 and Form4 the role of dialogs and Form3 that of an
// alert. Installs once; later calls do nothing. The main window's narrator installs
// them, before any window of the game shows.
void installAccessibleRoles();

// Keeps the scene's accessible name and description in step with the game, from the
// pet's stage and what the slots show: the droppings on the floor and the sky in the
// window.
class SceneNarrator {
public:
    SceneNarrator(QWidget& scene, const SlotPictures& pictures);
    SceneNarrator(const SceneNarrator&) = delete;
    SceneNarrator& operator=(const SceneNarrator&) = delete;

    // Called after every handler. Only a text that changed reaches the widget, whose
    // setters announce the change (NameChanged, DescriptionChanged).
    void follow(const PetState& pet);

private:
    QWidget& scene_;
    const SlotPictures& pictures_;
    bool said_ = false;  // whether the words were made yet, and from what
    std::string stade_;
    int droppings_ = 0;
    std::string sky_;
};

}  // namespace gribo::ui
