#pragma once

// A private PulseAudio server for a test or the bench, in a runtime folder of its own:
// tests/support/sound_server.sh run as a command (GRIBO_SOUND_SERVER names it). It has
// one null sink, "ecoute", as its default, and it counts as started once it answers.

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <utility>

namespace gribo::test {

class SoundServer {
public:
    // The server will run in `runtime` (an XDG_RUNTIME_DIR). Its clients, this process
    // included once it takes environment()'s PULSE_CLIENTCONFIG, never start a server.
    explicit SoundServer(QString runtime) : runtime_(std::move(runtime)) {
        QFile conf(clientConfig());
        if (conf.open(QIODevice::WriteOnly)) conf.write("autospawn = no\n");
    }
    ~SoundServer() { stop(); }
    SoundServer(const SoundServer&) = delete;
    SoundServer& operator=(const SoundServer&) = delete;

    // Starts it and waits until it answers (60 s at most). False if it does not.
    bool start() {
        stop();
        helper_.setProcessEnvironment(environment());
        helper_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        helper_.start("bash", {GRIBO_SOUND_SERVER, runtime_, "pulseaudio"});
        const QDeadlineTimer deadline(60000);
        while (!helper_.canReadLine()) {
            if (helper_.state() == QProcess::NotRunning || deadline.hasExpired()) return false;
            helper_.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 1000)));
        }
        return helper_.readLine().trimmed() == "ready";
    }

    // Stops it; its socket is gone when this returns.
    void stop() {
        if (helper_.state() == QProcess::NotRunning) return;
        helper_.terminate();
        if (!helper_.waitForFinished(60000)) {
            helper_.kill();
            helper_.waitForFinished();
        }
    }

    // What `pactl args` prints, asked of this server.
    QString pactl(const QStringList& args) const {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start("pactl", args);
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    // The environment of a client of this server, on the machine's own clock.
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& name : env.keys()) {
            if (name == "LD_PRELOAD" || name.startsWith("FAKETIME") || name.startsWith("PULSE_")) env.remove(name);
        }
        env.insert("XDG_RUNTIME_DIR", runtime_);
        env.insert("PULSE_CLIENTCONFIG", clientConfig());
        return env;
    }
    QString clientConfig() const { return runtime_ + "/gribo-client.conf"; }

private:
    QString runtime_;
    QProcess helper_;
};

}  // namespace gribo::test
