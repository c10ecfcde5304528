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

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "anim/animation.h"
#include "care/commands.h"
#include "life/life_clock.h"
#include "state/hour_stamp.h"
#include "state/stages.h"
#include "state/store_keys.h"

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

// What a process has cost since it started.
struct Cost {
    long wakeUps = 0;         // voluntary context switches of all its threads (the sound's too)
    long preempted = 0;       // involuntary ones
    double cpuSeconds = 0;    // utime + stime of the whole process
    double onCpuSeconds = 0;  // its threads' time on a CPU, to the nanosecond
    long peakKb = 0;          // peak resident size
};

QByteArray slurp(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

long statusField(const QByteArray& status, const char* field) {
    for (const QByteArray& l : status.split('\n')) {
        if (l.startsWith(field)) return l.mid(qsizetype(std::strlen(field))).trimmed().split(' ').first().toLong();
    }
    return 0;
}

std::optional<Cost> costOf(qint64 pid) {
    const QString proc = QString("/proc/%1").arg(pid);
    const QByteArray stat = slurp(proc + "/stat");
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) return std::nullopt;
    Cost c;
    c.cpuSeconds = double(fields[11].toLongLong() + fields[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
    c.peakKb = statusField(slurp(proc + "/status"), "VmHWM:");
    for (const QString& task : QDir(proc + "/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QByteArray status = slurp(proc + "/task/" + task + "/status");
        c.wakeUps += statusField(status, "voluntary_ctxt_switches:");
        c.preempted += statusField(status, "nonvoluntary_ctxt_switches:");
        c.onCpuSeconds += double(slurp(proc + "/task/" + task + "/schedstat").split(' ').first().toLongLong()) / 1e9;
    }
    return c;
}

// One program of the side-by-side run, with a store of its own.
struct Contender {
    const char* name;
    std::vector<std::pair<Key, QString>> store;  // empty: not the game
    bool heard = true;                           // on the sound server, if there is one
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

// A PulseAudio server of the bench's own, with a null sink, in `runtime`: the one the
// games are heard on. False if there is none here.
bool soundServerIn(const QString& runtime, QProcess& server) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime);
    env.remove("PULSE_SERVER");
    server.setProcessEnvironment(env);
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.setStandardOutputFile(QProcess::nullDevice());
    server.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "--log-level=0",
                                "-L", "module-null-sink", "-L", "module-native-protocol-unix"});
    if (!server.waitForStarted(5000)) return false;
    const QString socket = runtime + "/pulse/native";
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
    QProcess sound;
    const bool server = soundServerIn(heardRuntime.path(), sound);
    const QDateTime now = QDateTime::currentDateTime();
    const QString stamp = QString::number(
        hourStamp({now.date().year(), now.date().month(), now.date().day(), now.time().hour(), now.time().minute()}));
    const auto baby = [&stamp](const char* faim) {
        return std::vector<std::pair<Key, QString>>{{Key::Stade, "nourrisson"},
                                                    {Key::Faim, faim},
                                                    {Key::Caca, "0"},
                                                    {Key::CacaFait, "Oui"},
                                                    {Key::DateNourrit, stamp}};
    };
    std::vector<std::pair<Key, QString>> egg = baby("0");
    egg[0].second = "Oeuf1";  // laid now: it beats slowly for an hour
    egg.insert(egg.end(), {{Key::Jour, QString::number(now.date().day())},
                           {Key::Mois, QString::number(now.date().month())},
                           {Key::Annee, QString::number(now.date().year())},
                           {Key::Heure, QString::number(now.time().hour())},
                           {Key::Min, QString::number(now.time().minute())}});
    Contender runs[] = {{"resting baby", baby("0")},
                        {"slow egg", egg},
                        {"crying baby", baby("700")},
                        {"crying, no srv", baby("700"), false},
                        {"bare 10 ms", {}}};
    const Contender& bare = runs[4];
    for (Contender& c : runs) {
        QSettings store(c.config.path() + "/Gribo/Gribo.conf", QSettings::IniFormat);
        for (const auto& [key, value] : c.store) {
            store.setValue(QString::fromUtf8(nameOf(key).section.data(), qsizetype(nameOf(key).section.size())) + "/" +
                               QString::fromUtf8(nameOf(key).key.data(), qsizetype(nameOf(key).key.size())),
                           value);
        }
        store.sync();
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
    if (sound.state() == QProcess::Running) {
        sound.terminate();
        sound.waitForFinished();
    }

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

}  // namespace
}  // namespace gribo

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const QByteArray display = qgetenv("GRIBO_BENCH_DISPLAY");
    gribo::measureSideBySide(display.isEmpty() ? ":91" : QString::fromLocal8Bit(display), 25, 30);
    return 0;
}
