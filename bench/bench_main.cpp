// What the game costs while it runs: the two ticks of the core, a picture decode, and
// the real program left running under Xvfb beside a bare window with a 10 ms timer
// (wake-ups of all its threads, CPU time and peak memory), on a private sound server
// where PulseAudio is installed.
//
// A wake-up is a thread leaving its sleep: each time one of the program's threads goes
// to sleep (a voluntary context switch) something wakes it later. Preemptions are
// counted apart: a running thread that gives the CPU to another it woke (the X server,
// the sound server) on the same CPU was not asleep, and how often that happens depends
// on where the scheduler put the two.

#include <benchmark/benchmark.h>
#include <poll.h>

#ifdef GRIBO_BENCH_DAMAGE
#include <xcb/damage.h>
#include <xcb/xcb.h>
#endif

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "anim/animation.h"
#include "bench/process_cost.h"
#include "care/commands.h"
#include "life/life_clock.h"
#include "sound/pulse_cry.h"
#include "state/hour_stamp.h"
#include "state/stages.h"
#include "state/store_keys.h"
#include "support/sound_server.h"
#include "support/store_file.h"
#include "support/store_fixture.h"

namespace gribo {
namespace {

// Ports that cost nothing, so only the game's own work is measured.
struct QuietClock : Clock {
    LocalDateTime now() const override { return {2024, 6, 1, 12, 0}; }
};
struct QuietRandom : Random {
    void reseed() override {}
    double next() override { return flip = 0.7 - flip; }
    double flip = 0.0;
};
struct QuietStore : SettingsStore {
    std::string read(std::string_view, std::string_view key) override {
        return key == "datenourrit" ? "17482344" : "0";
    }
    void write(std::string_view, std::string_view, std::string_view) override { ++writes; }
    long writes = 0;
};
struct QuietSlots : PictureSlots {
    void load(Slot, std::string_view) override { ++loads; }
    long loads = 0;
};
struct QuietWindows : Windows {
    void show(Window, std::string_view) override {}
};
struct QuietSound : Sound {
    void playCry() override {}
};

struct Bench {
    QuietClock clock;
    QuietRandom random;
    QuietStore store;
    QuietSlots slots;
    QuietWindows windows;
    QuietSound sound;
    Platform platform{clock, random, store, slots, windows, sound};
    Game game{platform};
};

void BM_AnimationTick(benchmark::State& state, std::string_view stade) {
    Bench b;
    b.game.pet.stade = stade;
    b.game.pet.numimage = 5;
    for (auto _ : state) {
        animationTick(b.game);
        if (b.game.pet.stade != stade) {  // an activity ended: start it again
            b.game.pet.stade = stade;
            b.game.pet.compteur = 0;
        }
        benchmark::DoNotOptimize(b.game.pet.compteur);
    }
    state.counters["loads/tick"] = benchmark::Counter(double(b.slots.loads) / double(state.iterations()));
    state.counters["writes/tick"] = benchmark::Counter(double(b.store.writes) / double(state.iterations()));
}
BENCHMARK_CAPTURE(BM_AnimationTick, oeuf1, stage::kOeuf1);
BENCHMARK_CAPTURE(BM_AnimationTick, nourrisson, stage::kNourrisson);
BENCHMARK_CAPTURE(BM_AnimationTick, bain, stage::kBain);
BENCHMARK_CAPTURE(BM_AnimationTick, milk, stage::kMilk);
BENCHMARK_CAPTURE(BM_AnimationTick, pleure, stage::kPleure);

void BM_LifeClockTick(benchmark::State& state) {
    Bench b;
    b.game.pet.stade = stage::kNourrisson;
    for (auto _ : state) {
        lifeClockTick(b.game);
        b.game.pet.stade = stage::kNourrisson;
    }
}
BENCHMARK(BM_LifeClockTick);

void BM_DecodePicture(benchmark::State& state, const char* file) {
    const QString path = QString(GRIBO_DATAS) + "/" + file;
    if (!QFile::exists(path)) {
        state.SkipWithError("no generated pictures");
        return;
    }
    for (auto _ : state) {
        QImageReader reader(path);
        QImage image = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK_CAPTURE(BM_DecodePicture, idle_gif, "gribo/nourrissonF7.gif");
BENCHMARK_CAPTURE(BM_DecodePicture, room_bmp, "fond.bmp");

using bench::Cost;
using bench::costOf;
using bench::slurp;

// A store for the game: `values` written as QSettings writes them, under `config`.
void layOut(const QString& config, const std::vector<std::pair<Key, std::string>>& values) {
    QSettings store(test::storeFileUnder(config), QSettings::IniFormat);
    for (const auto& [key, value] : values) {
        store.setValue(QString::fromStdString(test::pathOf(key)), QString::fromStdString(value));
    }
    store.sync();
}

int32_t hourStampNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return hourStamp({now.date().year(), now.date().month(), now.date().day(), now.time().hour(), 0});
}

// One program of the side-by-side run, with a store of its own.
struct Contender {
    const char* name;
    std::vector<std::pair<Key, std::string>> store;  // empty: not the game
    bool heard = true;                               // on the sound server, if there is one
    QTemporaryDir config{};
    QProcess process{};
    std::optional<Cost> before{}, after{};
};

// Puts the X server on `display` up, unless one already answers there.
bool xServerOn(const QString& display, QProcess& xvfb) {
    const QString socket = "/tmp/.X11-unix/X" + display.mid(1);
    if (QFile::exists(socket)) return true;
    xvfb.start("Xvfb", {display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (!xvfb.waitForStarted(5000)) return false;
    for (int i = 0; i < 100 && !QFile::exists(socket); ++i) QThread::msleep(50);
    return QFile::exists(socket);
}

// The real program under Xvfb as a resting baby, a slow egg and a crying baby (heard on
// a private sound server, and with no server), beside a bare Qt window with a 10 ms
// timer, all in the same run: the wake-ups of all their threads and the CPU time over
// `seconds`, from `settle` seconds after start (the crying baby starts crying at the
// first life-clock tick, 20 s after start).
void measureSideBySide(const QString& display, int settle, int seconds) {
    QProcess xvfb;
    if (!xServerOn(display, xvfb)) {
        std::printf("\nno X server on %s (is Xvfb installed?): side-by-side figure skipped\n", qPrintable(display));
        return;
    }
    QTemporaryDir heardRuntime, silentRuntime;
    test::SoundServer sound(heardRuntime.path());
    const bool server = sound.start();
    const QDateTime now = QDateTime::currentDateTime();
    const auto baby = [](int faim) { return test::storedValues({.faim = faim, .fedStamp = hourStampNow()}); };
    // Laid now: it beats slowly for an hour.
    std::vector<std::pair<Key, std::string>> egg =
        test::storedValues({.fedStamp = hourStampNow(), .stade = stage::kOeuf1});
    egg.insert(egg.end(), {{Key::Jour, std::to_string(now.date().day())},
                           {Key::Mois, std::to_string(now.date().month())},
                           {Key::Annee, std::to_string(now.date().year())},
                           {Key::Heure, std::to_string(now.time().hour())},
                           {Key::Min, std::to_string(now.time().minute())}});
    Contender runs[] = {{"resting baby", baby(0)},
                        {"slow egg", egg},
                        {"crying baby", baby(700)},
                        {"crying, no srv", baby(700), false},
                        {"bare 10 ms", {}}};
    const Contender& bare = runs[4];
    for (Contender& c : runs) {
        layOut(c.config.path(), c.store);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("DISPLAY", display);
        env.insert("XDG_CONFIG_HOME", c.config.path());
        env.insert("XDG_RUNTIME_DIR", c.heard ? heardRuntime.path() : silentRuntime.path());
        env.remove("PULSE_SERVER");
        c.process.setProcessEnvironment(env);
        c.process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        c.process.start(c.store.empty() ? GRIBO_BARE_WINDOW : GRIBO_EXE, {});
        c.process.waitForStarted(10000);
    }
    QThread::sleep(static_cast<unsigned long>(settle));
    for (Contender& c : runs) c.before = costOf(c.process.processId());
    QThread::sleep(static_cast<unsigned long>(seconds));
    for (Contender& c : runs) c.after = costOf(c.process.processId());
    for (Contender& c : runs) {
        c.process.kill();
        c.process.waitForFinished();
    }
    if (xvfb.state() == QProcess::Running) {
        xvfb.terminate();
        xvfb.waitForFinished();
    }
    sound.stop();

    std::printf(
        "\nThe running program under Xvfb %s, %d s from %d s after start, beside a bare Qt window with "
        "a 10 ms timer;\nthe games %s\n",
        qPrintable(display), seconds, settle,
        server ? "on a private PulseAudio server (\"no srv\": none)"
               : "with no sound server (PulseAudio is not installed)");
    std::printf("%-14s %12s %10s %12s %14s %10s %13s %11s\n", "", "wake-ups/s", "x bare", "preempted/s", "CPU ms (u+s)",
                "x bare", "on-CPU ms", "x bare");
    if (!bare.before || !bare.after) {
        std::printf("the bare window did not run\n");
        return;
    }
    const double bareWakes = double(bare.after->wakeUps - bare.before->wakeUps) / seconds;
    const double bareCpu = 1000 * (bare.after->cpuSeconds - bare.before->cpuSeconds);
    const double bareOnCpu = 1000 * (bare.after->onCpuSeconds - bare.before->onCpuSeconds);
    for (const Contender& c : runs) {
        if (!c.before || !c.after) {
            std::printf("%-14s did not run\n", c.name);
            continue;
        }
        const double wakes = double(c.after->wakeUps - c.before->wakeUps) / seconds;
        const double preempted = double(c.after->preempted - c.before->preempted) / seconds;
        const double cpu = 1000 * (c.after->cpuSeconds - c.before->cpuSeconds);
        const double onCpu = 1000 * (c.after->onCpuSeconds - c.before->onCpuSeconds);
        std::printf("%-14s %12.2f %10.3f %12.2f %14.0f %10.3f %13.1f %11.3f   peak RSS %ld kB\n", c.name, wakes,
                    wakes / bareWakes, preempted, cpu, bareCpu > 0 ? cpu / bareCpu : 0.0, onCpu, onCpu / bareOnCpu,
                    c.after->peakKb);
    }
}

// How long the server takes to start a cry's stream after the game asks for it: the
// cry goes with its picture, so this is how late it is heard. Ten cries a second apart
// on a private PulseAudio, each timed from playCry to the server's report of the new
// stream (pactl subscribe, whose own delay is in the figure).
void measureCryStart() {
    QTemporaryDir runtime;
    test::SoundServer server(runtime.path());
    if (!server.start()) {
        std::printf("\nno PulseAudio here: the cry's start is not measured\n");
        return;
    }
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR"), oldConfig = qgetenv("PULSE_CLIENTCONFIG");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    qputenv("PULSE_CLIENTCONFIG", server.clientConfig().toUtf8());
    std::vector<double> delays;
    {
        sound::PulseCry cry(QString(GRIBO_DATAS) + "/gribo/pleure.wav");
        QElapsedTimer waited;
        waited.start();
        while (cry.link() != sound::PulseCry::Link::Ready && waited.elapsed() < 30000) {
            if (cry.link() != sound::PulseCry::Link::Connecting) cry.playCry();
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
        QProcess events;
        events.setProcessEnvironment(server.environment());
        events.start("pactl", {"subscribe"});
        events.waitForStarted(5000);
        // Waits for a report holding `what`; its time in ms, or -1 after `ms`.
        const auto reported = [&events](const char* what, int ms) -> double {
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < ms) {
                while (events.canReadLine()) {
                    if (events.readLine().contains(what)) return double(clock.nsecsElapsed()) / 1e6;
                }
                events.waitForReadyRead(int(ms - clock.elapsed()));
            }
            return -1;
        };
        // Once the server reports a change of the sink's volume, it reports every new stream.
        for (int i = 0; i < 20; ++i) {
            server.pactl({"set-sink-volume", "ecoute", i % 2 ? "100%" : "99%"});
            if (reported("'change' on sink", 1000) >= 0) break;
        }
        for (int i = 0; i < 10 && cry.link() == sound::PulseCry::Link::Ready; ++i) {
            QThread::msleep(1000);  // the last cry is over
            while (events.canReadLine()) events.readLine();
            QElapsedTimer asked;
            asked.start();
            cry.playCry();
            const double sent = double(asked.nsecsElapsed()) / 1e6;
            const double started = reported("'new' on sink-input", 1000);
            if (started >= 0) delays.push_back(sent + started);
        }
        events.kill();
        events.waitForFinished();
    }
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
    qputenv("PULSE_CLIENTCONFIG", oldConfig);
    if (delays.empty()) {
        std::printf("\nthe server started none of the cries\n");
        return;
    }
    std::sort(delays.begin(), delays.end());
    std::printf(
        "\nThe cry's start on a private PulseAudio, from the request to the server's new stream "
        "(%zu cries): median %.1f ms, %.1f to %.1f ms\n",
        delays.size(), delays[delays.size() / 2], delays.front(), delays.back());
}

#ifdef GRIBO_BENCH_DAMAGE
// Watches the X server's screen: when a window is mapped, and when it is first drawn.
class ScreenWatch {
public:
    explicit ScreenWatch(const QString& display) : c_(xcb_connect(display.toLocal8Bit().constData(), nullptr)) {
        if (xcb_connection_has_error(c_)) return;
        damage_ = xcb_get_extension_data(c_, &xcb_damage_id);
        if (!damage_ || !damage_->present) return;
        free(xcb_damage_query_version_reply(c_, xcb_damage_query_version(c_, 1, 1), nullptr));
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c_, root, XCB_CW_EVENT_MASK, &events);
        xcb_damage_create(c_, xcb_generate_id(c_), root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        xcb_flush(c_);
        ok_ = true;
    }
    ~ScreenWatch() { xcb_disconnect(c_); }
    bool ok() const { return ok_; }

    // Starts `process` and waits for its window's first picture (the first damage to
    // the screen once a window is mapped): the time from the start, in ms, or -1.
    double firstPaint(QProcess& process, const QString& exe, const QStringList& args) {
        drain();
        QElapsedTimer clock;
        clock.start();
        process.start(exe, args);
        bool mapped = false;
        while (clock.elapsed() < 10000) {
            while (xcb_generic_event_t* e = next(10)) {
                const int type = e->response_type & 0x7f;
                if (type == XCB_MAP_NOTIFY) {
                    mapped = true;
                    window_ = reinterpret_cast<xcb_map_notify_event_t*>(e)->window;
                }
                const bool painted = mapped && type == damage_->first_event + XCB_DAMAGE_NOTIFY;
                free(e);
                if (painted) return double(clock.nsecsElapsed()) / 1e6;
            }
        }
        return -1;
    }
    // Kills `process` and waits until its window has left the screen.
    void close(QProcess& process) {
        process.kill();
        process.waitForFinished();
        QElapsedTimer clock;
        clock.start();
        while (window_ && clock.elapsed() < 5000) {
            while (xcb_generic_event_t* e = next(10)) {
                const bool gone = (e->response_type & 0x7f) == XCB_DESTROY_NOTIFY &&
                                  reinterpret_cast<xcb_destroy_notify_event_t*>(e)->window == window_;
                free(e);
                if (gone) window_ = 0;
            }
        }
        window_ = 0;
    }

private:
    xcb_generic_event_t* next(int ms) {
        if (xcb_generic_event_t* e = xcb_poll_for_event(c_)) return e;
        pollfd p{xcb_get_file_descriptor(c_), POLLIN, 0};
        ::poll(&p, 1, ms);
        return xcb_poll_for_event(c_);
    }
    void drain() {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) free(e);
    }
    xcb_connection_t* c_;
    const xcb_query_extension_reply_t* damage_ = nullptr;
    xcb_window_t window_ = 0;
    bool ok_ = false;
};

// Start-up: the time from a program's start to its window's first picture under Xvfb,
// for the game (a resting baby, as a player finds it) and a bare Qt window, in turns,
// and for a bare window with a menu bar of two entries: what text alone costs.
void measureFirstPaint(const QString& display, int pairs) {
    QProcess xvfb;
    if (!xServerOn(display, xvfb)) return;
    ScreenWatch screen(display);
    if (!screen.ok()) {
        std::printf("\nno DAMAGE extension on %s: start-up not measured\n", qPrintable(display));
        return;
    }
    // A session bus of the run's own, as a desktop has (accessibility and menus ask it).
    QProcess bus;
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    bus.waitForReadyRead(10000);
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    QTemporaryDir config;
    layOut(config.path(), test::storedValues({.fedStamp = hourStampNow()}));
    struct Yardstick {
        const char* name;
        QString exe;
        QStringList args;
        std::vector<double> ms;
    } sticks[] = {{"game", GRIBO_EXE, {}, {}},
                  {"bare window", GRIBO_BARE_WINDOW, {}, {}},
                  {"bare + menu bar", GRIBO_BARE_WINDOW, {"--menu-bar"}, {}}};
    for (int pair = 0; pair < pairs; ++pair) {
        for (Yardstick& y : sticks) {
            QTemporaryDir runtime;  // a new game each time, as after a reboot
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("QT_QPA_PLATFORM", "xcb");
            env.insert("DISPLAY", display);
            env.insert("XDG_CONFIG_HOME", config.path());
            env.insert("XDG_RUNTIME_DIR", runtime.path());
            env.insert("DBUS_SESSION_BUS_ADDRESS", address.isEmpty() ? "disabled:" : address);
            QProcess p;
            p.setProcessEnvironment(env);
            p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            const double ms = screen.firstPaint(p, y.exe, y.args);
            if (ms >= 0) y.ms.push_back(ms);
            screen.close(p);
        }
    }
    bus.kill();
    bus.waitForFinished();
    if (xvfb.state() == QProcess::Running) {
        xvfb.terminate();
        xvfb.waitForFinished();
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[v.size() / 2];
    };
    const double bare = median(sticks[1].ms);
    std::printf("\nStart-up under Xvfb %s, from the start to the window's first picture (median of %d, in turns):\n",
                qPrintable(display), pairs);
    for (const Yardstick& y : sticks) {
        std::printf("%-16s %7.1f ms  %6.2f x bare\n", y.name, median(y.ms), bare > 0 ? median(y.ms) / bare : 0.0);
    }
}
#endif

}  // namespace
}  // namespace gribo

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const QByteArray display = qgetenv("GRIBO_BENCH_DISPLAY");
    const QString on = display.isEmpty() ? ":91" : QString::fromLocal8Bit(display);
#ifdef GRIBO_BENCH_DAMAGE
    const int pairs = qEnvironmentVariableIntValue("GRIBO_BENCH_STARTS");
    gribo::measureFirstPaint(on, pairs > 0 ? pairs : 10);
#else
    std::printf("\nlibxcb-damage0-dev is missing: start-up not measured (make bench installs it)\n");
#endif
    gribo::measureCryStart();
    gribo::measureSideBySide(on, 25, 30);
    return 0;
}
