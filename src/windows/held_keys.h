#pragma once

// A key held down is one press: its repeats are not presses of their own. X sends a
// held key as pairs of a release and a press at the same moment, which Qt does not
// always tell from a new press (it looks for the press among the events already
// read), so a held Space would tell the room again and again, or press the button of
// a window that came up meanwhile. The keys are watched from the first call of either
// function below on, for the whole application.

class QAbstractButton;
class QKeyEvent;

namespace gribo::windows {

// `press` repeats a key held down: Qt says so, or the same key was released at the
// very moment of the press.
bool isRepeat(const QKeyEvent& press);

// Only a key pressed while `button` has the keyboard presses it: a key the player
// held down when its window came up (its press went to the room) presses nothing.
void ignoreHeldKeys(QAbstractButton* button);

}  // namespace gribo::windows
