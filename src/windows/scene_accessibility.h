#pragma once

// The game as assistive technologies (screen readers; AT-SPI on Linux) meet it: the
// scene is one picture whose name says what the pet is doing and whose description
// tells the droppings and the sky; the statistics and the vet are dialogs, the death
// notice an alert.

#include <QWidget>
#include <functional>

#include "rules/scene_narration.h"
#include "state/pet_state.h"
#include "state/ports.h"
#include "windows/picture_slots.h"
#include "windows/secondary_windows.h"

namespace gribo::windows {

// Gives the scene the role of a picture without parts (its slots are hidden from the
// accessibility tree), Form2 and Form4 the role of dialogs and Form3 that of an
// alert. Installs once; later calls do nothing. The main window's narrator installs
// them, before any window of the game shows.
void installAccessibleRoles();

// Keeps the scene's accessible name and description in step with the game, from the
// pet's stage, the death notice and what the slots show: the droppings the floor
// shows, and the sky picture in the window.
//
// A screen reader speaks the name of the object in focus whenever it changes, so the
// name changes once for each thing a player should hear of (a stage, the droppings,
// the death notice) and never for a frame; the description is read with the name
// but changes silently. Space or Enter on the scene tells the whole scene again,
// unless the menus hold the keyboard.
class SceneNarrator : public QObject {
public:
    SceneNarrator(QWidget& scene, const SlotPictures& pictures, const CountedWindows& windows);
    SceneNarrator(const SceneNarrator&) = delete;
    SceneNarrator& operator=(const SceneNarrator&) = delete;

    // Called after every handler. Only a name that changed reaches the widget, whose
    // setter announces it (NameChanged).
    void follow(const PetState& pet);
    // Tells the whole scene, name and rest, to the screen reader once more.
    void tellAgain();
    // While `inMenus` holds, the scene takes none of the keys that tell it: they are
    // the menus'.
    void leaveKeysWhile(std::function<bool()> inMenus) { inMenus_ = std::move(inMenus); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& scene_;
    const SlotPictures& pictures_;
    const CountedWindows& windows_;
    Narration narration_;  // what the words were last made from
    std::function<bool()> inMenus_;
};

// The scene's description as assistive technologies read it: it changes without an
// event of its own (the name carries the news).
QString sceneDescription(const QWidget& scene);
// The scene's name, as assistive technologies read it.
QString sceneName(const QWidget& scene);

}  // namespace gribo::windows
