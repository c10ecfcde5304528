// What the game sets in its environment before Qt starts.

#include "platform/platform_env.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <initializer_list>
#include <utility>
#include <vector>

namespace gribo::platform {
namespace {

#if defined(Q_OS_LINUX)
// Sets the variables of `values` (nullptr: unset) for the life of the object, and puts
// back what was there.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(std::initializer_list<std::pair<const char*, const char*>> values) {
        for (const auto& [name, value] : values) {
            before_.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
            if (value) {
                qputenv(name, value);
            } else {
                qunsetenv(name);
            }
        }
    }
    ~ScopedEnvironment() {
        for (const auto& b : before_) b.set ? qputenv(b.name, b.value) : qunsetenv(b.name);
    }

private:
    struct Before {
        const char* name;
        bool set;
        QByteArray value;
    };
    std::vector<Before> before_;
};

TEST(PlatformEnvironment, NamesTheSoundAndSkipsSharedMemoryUnlessThePlayerSaidOtherwise) {
    const QByteArray ours = "application.name='Gribo' application.icon_name='" GRIBO_APP_ID "'";
    const struct {
        const char* what;
        const char* pulse;  // before; nullptr: unset
        const char* mitshm;
        QByteArray pulseAfter;
        QByteArray mitshmAfter;
    } cases[] = {
        {"nothing set", nullptr, nullptr, ours, "1"},
        {"set empty", "", "", ours, "1"},
        {"the player's own properties, which win", "media.role='game'", "0", ours + " media.role='game'", "0"},
        {"named already (a restart)", ours.constData(), "1", ours, "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedEnvironment env({{"PULSE_PROP_OVERRIDE", c.pulse}, {"QT_XCB_NO_MITSHM", c.mitshm}});
        prepareEnvironment();
        EXPECT_EQ(qgetenv("PULSE_PROP_OVERRIDE"), c.pulseAfter);
        EXPECT_EQ(qgetenv("QT_XCB_NO_MITSHM"), c.mitshmAfter);
        prepareEnvironment();  // once more changes nothing
        EXPECT_EQ(qgetenv("PULSE_PROP_OVERRIDE"), c.pulseAfter);
    }
}
#endif

}  // namespace
}  // namespace gribo::platform
