// What the game costs while it runs: the two ticks of the core, a picture decode,
// and the real program left running offscreen (CPU time and peak memory).

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <map>
#include <string>

#include "anim/animation.h"
#include "care/commands.h"
#include "life/life_clock.h"
#include "state/stages.h"

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

// Reads utime + stime (clock ticks) and the peak resident size (kB) of a process.
bool processCost(qint64 pid, double& cpuSeconds, long& peakKb) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) return false;
    cpuSeconds = double(fields[11].toLongLong() + fields[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& l : status.readAll().split('\n')) {
        if (l.startsWith("VmHWM:")) peakKb = l.mid(6).trimmed().split(' ').first().toLong();
    }
    return true;
}

// The real program, offscreen, as a hatched baby at rest, left running for a while.
void measureRunningProgram(int seconds) {
    QTemporaryDir config;
    QDir().mkpath(config.path() + "/Gribo");
    QFile conf(config.path() + "/Gribo/Gribo.conf");
    if (conf.open(QIODevice::WriteOnly)) {
        conf.write("[stade]\nstade=nourrisson\n[stats]\nfaim=0\ncaca=2\ncacafait=Oui\n");
        conf.close();
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", config.path());
    p.setProcessEnvironment(env);
    p.start(GRIBO_EXE, {});
    if (!p.waitForStarted(10000)) {
        std::printf("could not start %s\n", GRIBO_EXE);
        return;
    }
    QThread::sleep(2);  // past start-up
    double cpu0 = 0, cpu1 = 0;
    long peak = 0;
    processCost(p.processId(), cpu0, peak);
    QThread::sleep(static_cast<unsigned long>(seconds));
    processCost(p.processId(), cpu1, peak);
    p.kill();
    p.waitForFinished();
    std::printf("\nRunning program (offscreen, baby at rest, %d s): CPU %.2f %% of one core, peak RSS %ld kB\n",
                seconds, 100.0 * (cpu1 - cpu0) / seconds, peak);
}

}  // namespace
}  // namespace gribo

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gribo::measureRunningProgram(20);
    return 0;
}
