// What the reminder service costs while it waits, beside the resting game, and how
// long after the hour its notification comes. Each on a private session bus; the game
// on an X server of its own (Xvfb). The wait lasts GRIBO_REMINDERS_BENCH_SECONDS
// (60 by default; the figures in docs/decisions.md are from 600).

#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QVariantMap>
#include <cstdio>
#include <cstring>
#include <optional>

#include "bench/process_cost.h"
#include "state/hour_stamp.h"
#include "support/store_file.h"
#include "support/store_fixture.h"

namespace {

using gribo::bench::Cost;
using gribo::bench::costOf;
using gribo::bench::slurp;

// A baby at rest fed at the hour of `t` with `faim`, in the store under `config`.
void writeBaby(const QString& config, const QDateTime& t, int faim) {
    const int32_t stamp = gribo::hourStamp({t.date().year(), t.date().month(), t.date().day(), t.time().hour(), 0});
    QSettings store(gribo::test::storeFileUnder(config), QSettings::IniFormat);
    for (const auto& [key, value] : gribo::test::storedValues({.faim = faim, .fedStamp = stamp})) {
        store.setValue(QString::fromStdString(gribo::test::pathOf(key)), QString::fromStdString(value));
    }
}

QString faketimeLib() {
    for (const char* f : {"/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
                          "/usr/lib/aarch64-linux-gnu/faketime/libfaketime.so.1", "/usr/lib/faketime/libfaketime.so.1"})
        if (QFile::exists(f)) return f;
    return {};
}

// A private session bus; its address, or empty.
QString startBus(const QString& dir, QProcess& bus) {
    const QString address = "unix:path=" + dir + "/bus";
    QFile conf(dir + "/bus.conf");
    conf.open(QIODevice::WriteOnly);
    conf.write(QString("<busconfig><type>session</type><listen>%1</listen><auth>EXTERNAL</auth>"
                       "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                       "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                   .arg(address)
                   .toUtf8());
    conf.close();
    bus.start("dbus-daemon", {"--nofork", "--config-file=" + conf.fileName()});
    if (!bus.waitForStarted(5000)) return {};
    for (int i = 0; i < 100 && !QFile::exists(dir + "/bus"); ++i) QThread::msleep(50);
    return QFile::exists(dir + "/bus") ? address : QString();
}

}  // namespace

// The notification server of the latency run: it notes when each Notify arrives.
class NoteTaker : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    qint64 firstMs = -1;
public Q_SLOTS:
    uint Notify(const QString&, uint, const QString&, const QString&, const QString&, const QStringList&,
                const QVariantMap&, int) {
        if (firstMs < 0) firstMs = QDateTime::currentMSecsSinceEpoch();
        return 1;
    }
    void CloseNotification(uint) {}
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int seconds = qEnvironmentVariableIsSet("GRIBO_REMINDERS_BENCH_SECONDS")
                            ? qEnvironmentVariableIntValue("GRIBO_REMINDERS_BENCH_SECONDS")
                            : 60;
    QTemporaryDir dir;
    QProcess bus, xvfb;
    const QString address = startBus(dir.path(), bus);
    if (address.isEmpty()) {
        std::printf("reminders: no dbus-daemon, skipped\n");
        return 0;
    }
    xvfb.start("Xvfb", {":92", "-screen", "0", "640x480x24", "-nolisten", "tcp"});
    xvfb.waitForStarted(5000);
    QThread::sleep(1);

    // 1. Waiting: a resting baby, whose crying is hours away, beside the resting game.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", address);
    env.insert("DISPLAY", ":92");
    env.insert("QT_QPA_PLATFORM", "xcb");
    QTemporaryDir serviceConfig, gameConfig;
    writeBaby(serviceConfig.path(), QDateTime::currentDateTime(), 0);
    writeBaby(gameConfig.path(), QDateTime::currentDateTime(), 0);
    QProcess service, game;
    env.insert("XDG_CONFIG_HOME", serviceConfig.path());
    service.setProcessEnvironment(env);
    service.setProcessChannelMode(QProcess::ForwardedChannels);
    service.start(GRIBO_REMINDERS_EXE, {});
    env.insert("XDG_CONFIG_HOME", gameConfig.path());
    env.insert("XDG_RUNTIME_DIR", dir.path());
    // Not on the service's bus: the service would see it and keep quiet.
    env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    game.setProcessEnvironment(env);
    game.start(GRIBO_EXE, {});
    service.waitForStarted(5000);
    game.waitForStarted(5000);
    QThread::sleep(25);  // past the game's first life-clock tick
    const std::optional<Cost> s0 = costOf(service.processId()), g0 = costOf(game.processId());
    QThread::sleep(static_cast<unsigned long>(seconds));
    const std::optional<Cost> s1 = costOf(service.processId()), g1 = costOf(game.processId());
    std::printf("\nThe reminder service waiting (a resting baby, crying hours away) beside the resting game, %d s:\n",
                seconds);
    std::printf("%-20s %14s %14s %12s %14s\n", "", "wake-ups/hour", "wake-ups/min", "CPU ms", "peak RSS kB");
    for (const auto& [name, a, b] : {std::tuple{"gribo-reminders", s0, s1}, std::tuple{"gribo (resting)", g0, g1}}) {
        if (!a || !b) {
            std::printf("%-20s did not run\n", name);
            continue;
        }
        const double wakes = double(b->wakeUps - a->wakeUps);
        std::printf("%-20s %14.1f %14.3f %12.0f %14ld\n", name, wakes * 3600 / seconds, wakes * 60 / seconds,
                    1000 * (b->cpuSeconds - a->cpuSeconds), b->peakKb);
    }
    if (s1 && g1)
        std::printf("resident memory of the service: %.0f %% of the game's\n",
                    100.0 * double(s1->peakKb) / double(g1->peakKb));
    service.kill();
    game.kill();
    service.waitForFinished();
    game.waitForFinished();

    // 2. The hour: the wall clock faked 3 s before an hour at which the baby cries.
    const QString lib = faketimeLib();
    if (lib.isEmpty()) {
        std::printf("no libfaketime: the notification's delay after the hour is not measured\n");
    } else {
        QDBusConnection conn = QDBusConnection::connectToBus(address, "bench");
        NoteTaker notes;
        conn.registerObject("/org/freedesktop/Notifications", &notes, QDBusConnection::ExportAllSlots);
        conn.registerService("org.freedesktop.Notifications");
        const QDateTime fakeHour(QDate(2024, 6, 10), QTime(10, 0));
        // The offset is whole seconds: the real moment of the faked hour follows from it.
        const qint64 offset = (fakeHour.toMSecsSinceEpoch() - QDateTime::currentMSecsSinceEpoch() - 3000) / 1000;
        const qint64 realHourMs = fakeHour.toMSecsSinceEpoch() - offset * 1000;
        QTemporaryDir config;
        writeBaby(config.path(), QDateTime(QDate(2024, 6, 10), QTime(9, 0)), 500);
        QProcessEnvironment fenv = QProcessEnvironment::systemEnvironment();
        fenv.insert("DBUS_SESSION_BUS_ADDRESS", address);
        fenv.insert("XDG_CONFIG_HOME", config.path());
        fenv.insert("LD_PRELOAD", lib);
        fenv.insert("FAKETIME_DONT_FAKE_MONOTONIC", "1");
        fenv.insert("FAKETIME", QString("%1%2").arg(offset >= 0 ? "+" : "").arg(offset));
        QProcess faked;
        faked.setProcessEnvironment(fenv);
        faked.setProcessChannelMode(QProcess::ForwardedChannels);
        faked.start(GRIBO_REMINDERS_EXE, {});
        QElapsedTimer deadline;
        deadline.start();
        while (notes.firstMs < 0 && deadline.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (notes.firstMs < 0) {
            std::printf("no notification within two minutes of the hour\n");
        } else {
            std::printf("the notification came %.3f s after the hour (goal: within a minute)\n",
                        double(notes.firstMs - realHourMs) / 1000.0);
        }
        faked.kill();
        faked.waitForFinished();
    }
    xvfb.terminate();
    xvfb.waitForFinished();
    bus.terminate();
    bus.waitForFinished();
    return 0;
}

#include "reminders_bench.moc"
