#include "foresight/tick_news.h"

#include <array>
#include <optional>
#include <string_view>

#include "state/messages.h"
#include "state/stages.h"

namespace gribo::foresight {
namespace {

struct News {
    std::string_view text;  // the death notice's message, or the stage entered
    Tell tell;
};
constexpr std::array<News, 2> kDeathNotices = {
    {{message::kStarvation, Tell::Starvation}, {message::kEggDeath, Tell::EggDeath}}};
constexpr std::array<News, 2> kStagesEntered = {{{stage::kPleure, Tell::Crying}, {stage::kMalade, Tell::Sickness}}};

std::optional<Tell> find(const std::array<News, 2>& table, std::string_view text) {
    for (const News& n : table)
        if (n.text == text) return n.tell;
    return std::nullopt;
}

}  // namespace

std::optional<Tell> newsOfTick(std::string_view stadeBefore, std::string_view stadeAfter, std::string_view deathNotice,
                               bool deathBefore) {
    if (!deathNotice.empty() && !deathBefore) {
        if (const auto tell = find(kDeathNotices, deathNotice)) return tell;
    }
    if (stadeAfter != stadeBefore) return find(kStagesEntered, stadeAfter);
    return std::nullopt;
}

}  // namespace gribo::foresight
