#include "foresight/tick_news.h"

#include <gtest/gtest.h>

#include <optional>

#include "state/messages.h"
#include "state/stages.h"

namespace gribo::foresight {
namespace {

TEST(TickNews, OnlyAStageBegunOrANewDeathNoticeIsNews) {
    const struct {
        const char* what;
        std::string_view before, after, notice;
        bool deathBefore;
        std::optional<Tell> news;
    } cases[] = {
        {"the baby begins to cry", stage::kNourrisson, stage::kPleure, "", false, Tell::Crying},
        {"it goes on crying", stage::kPleure, stage::kPleure, "", false, std::nullopt},
        {"it falls sick", stage::kNourrisson, stage::kMalade, "", false, Tell::Sickness},
        {"the starvation notice", stage::kNourrisson, stage::kNourrisson, message::kStarvation, false,
         Tell::Starvation},
        {"the notice again at the next tick", stage::kNourrisson, stage::kNourrisson, message::kStarvation, true,
         std::nullopt},
        {"the egg's death notice as it hatches", stage::kOeuf1, stage::kNourrisson, message::kEggDeath, false,
         Tell::EggDeath},
        {"a hatching without a notice", stage::kOeuf2, stage::kNourrisson, "", false, std::nullopt},
        {"a meal ends", stage::kMilk, stage::kNourrisson, "", false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(newsOfTick(c.before, c.after, c.notice, c.deathBefore), c.news);
    }
}

}  // namespace
}  // namespace gribo::foresight
