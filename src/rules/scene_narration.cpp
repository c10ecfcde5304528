#include "rules/scene_narration.h"

#include "assets/catalogue.h"

namespace gribo {

NarrationStep followScene(const Narration& was, const SceneSeen& seen) {
    const int droppings = asset::droppingPiles(seen.droppingsPicture);
    const bool stageChanged = seen.stade != was.stade;
    const bool dead = seen.deathNotices != was.deathNotices || (was.dead && !stageChanged);
    if (was.made && !stageChanged && droppings == was.droppings && seen.sky == was.sky && dead == was.dead) {
        Narration same = was;
        same.deathNotices = seen.deathNotices;
        return {same, false};
    }
    return {{std::string(seen.stade), droppings, std::string(seen.sky), seen.deathNotices, dead, true}, true};
}

}  // namespace gribo
