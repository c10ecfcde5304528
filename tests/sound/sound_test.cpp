// The cry's file reader, the rule that keeps cries from piling up, and the cry played
// by a real PulseAudio server: none, one that never answers, one that answers, goes
// away and comes back. The cry's retries are timed on a fake monotonic clock.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include "platform/asset_folder.h"
#include "sound/pulse_cry.h"
#include "sound/wav_file.h"
#include "support/fakes.h"
#include "support/sound_server.h"

namespace gribo::sound {
using platform::assetFile;
using namespace std::chrono_literals;
namespace {

QByteArray le(quint32 v, int bytes) {
    QByteArray b(bytes, '\0');
    for (int i = 0; i < bytes; ++i) b[i] = char((v >> (8 * i)) & 0xff);
    return b;
}
QByteArray chunk(const char* id, const QByteArray& body, qint64 declared = -1) {
    QByteArray c = QByteArray(id, 4) + le(quint32(declared < 0 ? body.size() : declared), 4) + body;
    if (body.size() & 1) c += '\0';
    return c;
}

// A format chunk's body. The extensible one (tag 0xFFFE) names `sub` by the usual GUID
// unless `foreignGuid`; `blockAlign` 0 is the right one.
struct Fmt {
    int tag = 1, channels = 1, rate = 8000, bits = 16;
    int sub = 1;
    int blockAlign = 0;
    bool foreignGuid = false;
    int validBits = 0;  // 0: all of `bits`
};
QByteArray fmt(const Fmt& f) {
    const int align = f.blockAlign ? f.blockAlign : f.channels * f.bits / 8;
    QByteArray b = le(quint32(f.tag), 2) + le(quint32(f.channels), 2) + le(quint32(f.rate), 4) +
                   le(quint32(f.rate * align), 4) + le(quint32(align), 2) + le(quint32(f.bits), 2);
    if (f.tag == 0xFFFE) {
        b += le(22, 2) + le(quint32(f.validBits ? f.validBits : f.bits), 2) + le(0, 4) + le(quint32(f.sub), 4);
        b += f.foreignGuid ? QByteArray(12, 'x')
                           : QByteArray::fromHex(
                                 "000010008000"
                                 "00aa00389b71");
    }
    return b;
}
QByteArray riff(const QByteArray& chunks) { return "RIFF" + le(quint32(4 + chunks.size()), 4) + "WAVE" + chunks; }
QByteArray wav(const Fmt& f, const QByteArray& samples) { return riff(chunk("fmt ", fmt(f)) + chunk("data", samples)); }

struct WavCase {
    const char* name;
    QByteArray file;
    SampleFormat format;
    int rate, channels;  // rate 0: no sound
    qsizetype sampleBytes;
};

TEST(WavFile, ReadsEveryPlainWavTheServerPlaysAsItIsAndRefusesTheRest) {
    const QByteArray sixty(60, 'a');  // whole frames of every layout below
    using F = SampleFormat;
    const WavCase cases[] = {
        {"8-bit", wav({1, 1, 8000, 8}, sixty), F::U8, 8000, 1, 60},
        {"16-bit mono", wav({1, 1, 22050, 16}, sixty), F::S16LE, 22050, 1, 60},
        {"16-bit stereo", wav({1, 2, 44100, 16}, sixty), F::S16LE, 44100, 2, 60},
        {"24-bit mono", wav({1, 1, 48000, 24}, sixty), F::S24LE, 48000, 1, 60},
        {"24-bit stereo", wav({1, 2, 48000, 24}, sixty), F::S24LE, 48000, 2, 60},
        {"32-bit", wav({1, 2, 96000, 32}, sixty), F::S32LE, 96000, 2, 56},
        {"32-bit float", wav({3, 1, 44100, 32}, sixty), F::Float32LE, 44100, 1, 60},
        {"A-law", wav({6, 1, 8000, 8}, sixty), F::ALaw, 8000, 1, 60},
        {"mu-law", wav({7, 1, 8000, 8}, sixty), F::MuLaw, 8000, 1, 60},
        {"six channels", wav({1, 6, 48000, 16}, sixty), F::S16LE, 48000, 6, 60},
        {"as many channels as the server takes", wav({1, 32, 8000, 8}, sixty), F::U8, 8000, 32, 32},
        {"the highest rate", wav({1, 1, 384000, 16}, sixty), F::S16LE, 384000, 1, 60},
        {"extensible 16-bit", wav({0xFFFE, 1, 48000, 16}, sixty), F::S16LE, 48000, 1, 60},
        {"extensible 24-bit", wav({0xFFFE, 2, 48000, 24}, sixty), F::S24LE, 48000, 2, 60},
        {"extensible 24 bits in 32",
         wav({.tag = 0xFFFE, .channels = 2, .rate = 48000, .bits = 32, .validBits = 24}, sixty), F::S32LE, 48000, 2,
         56},
        {"extensible float", wav({0xFFFE, 1, 48000, 32, 3}, sixty), F::Float32LE, 48000, 1, 60},
        {"a chunk of odd size before the samples",
         riff(chunk("fmt ", fmt({1, 1, 8000, 16})) + chunk("LIST", "abc") + chunk("data", sixty)), F::S16LE, 8000, 1,
         60},
        {"samples cut short keep whole frames",
         riff(chunk("fmt ", fmt({1, 2, 8000, 24})) + chunk("data", QByteArray(20, 'a'), 400)), F::S24LE, 8000, 2, 18},

        {"12-bit", wav({1, 1, 8000, 12}, sixty), {}, 0, 0, 0},
        {"64-bit float", wav({3, 1, 8000, 64}, sixty), {}, 0, 0, 0},
        {"ADPCM", wav({0x11, 1, 8000, 4, 1, 256}, sixty), {}, 0, 0, 0},
        {"MP3", wav({0x55, 1, 8000, 0, 1, 1}, sixty), {}, 0, 0, 0},
        {"extensible ADPCM", wav({0xFFFE, 1, 8000, 16, 0x11}, sixty), {}, 0, 0, 0},
        {"extensible, another maker's encoding", wav({.tag = 0xFFFE, .foreignGuid = true}, sixty), {}, 0, 0, 0},
        {"frames that are not the size of their samples", wav({1, 1, 8000, 24, 1, 4}, sixty), {}, 0, 0, 0},
        {"no channel", wav({1, 0, 8000, 16}, sixty), {}, 0, 0, 0},
        {"more channels than the server takes", wav({1, 33, 8000, 8}, sixty), {}, 0, 0, 0},
        {"no rate", wav({1, 1, 0, 16}, sixty), {}, 0, 0, 0},
        {"a rate above the server's", wav({1, 1, 384001, 16}, sixty), {}, 0, 0, 0},
        {"more than the server's cache keeps",
         wav({1, 1, 8000, 8}, QByteArray(kMostSampleBytes + 2, 'a')),
         {},
         0,
         0,
         0},
        {"samples before their format", riff(chunk("data", sixty) + chunk("fmt ", fmt({}))), {}, 0, 0, 0},
        {"no samples", wav({}, {}), {}, 0, 0, 0},
        {"no samples chunk", riff(chunk("fmt ", fmt({}))), {}, 0, 0, 0},
        {"half a frame", wav({1, 2, 8000, 16}, "ab"), {}, 0, 0, 0},
        {"format cut short", riff(chunk("fmt ", fmt({}).left(10))), {}, 0, 0, 0},
        {"extensible format cut short", riff(chunk("fmt ", fmt({.tag = 0xFFFE}).left(30))), {}, 0, 0, 0},
        {"a chunk longer than the file", riff(chunk("LIST", "ab", 1000) + chunk("fmt ", fmt({}))), {}, 0, 0, 0},
        {"not a wave", "RIFF\x04\0\0\0AVI ", {}, 0, 0, 0},
        {"empty", {}, {}, 0, 0, 0},
    };
    for (const WavCase& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedWav decoded = decodeWav(c.file);
        if (c.rate == 0) {
            EXPECT_FALSE(decoded.pcm);
            EXPECT_STRNE(decoded.fault, "");
            continue;
        }
        ASSERT_TRUE(decoded.pcm) << decoded.fault;
        EXPECT_EQ(decoded.pcm->format, c.format);
        EXPECT_EQ(decoded.pcm->rate, c.rate);
        EXPECT_EQ(decoded.pcm->channels, c.channels);
        EXPECT_EQ(decoded.pcm->samples.size(), c.sampleBytes);
    }
}

std::optional<Pcm> theCry() {
    QFile f(assetFile("\\datas\\gribo\\pleure.wav"));
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return decodeWav(f.readAll()).pcm;
}

TEST(WavFile, TheCryIsAWholeSecondsWorthOfItsRateShorterThanASecond) {
    const std::optional<Pcm> pcm = theCry();
    ASSERT_TRUE(pcm);
    EXPECT_EQ(pcm->format, SampleFormat::S16LE);
    EXPECT_EQ(pcm->channels, 1);
    EXPECT_EQ(pcm->rate, 22050);
    // Heard whole once a second, it must end before the next one.
    EXPECT_GE(pcm->milliseconds(), 600);
    EXPECT_LT(pcm->milliseconds(), 1000);
}

struct GateCase {
    const char* name;
    std::vector<int> asked;     // ms
    std::vector<bool> started;  // for each one asked
};

TEST(CryGate, ACryStillHeardIsNeverInterruptedNorDoubled) {
    const GateCase cases[] = {
        {"once a second", {0, 1000, 2000, 3000}, {true, true, true, true}},
        {"asked again while heard", {0, 10, 679, 680}, {true, false, false, true}},
        {"a late tick then an early one", {0, 1300, 1700, 2000}, {true, true, false, true}},
        {"skipped cries do not count as heard", {0, 600, 1000, 1200}, {true, false, true, false}},
    };
    for (const GateCase& c : cases) {
        SCOPED_TRACE(c.name);
        CryGate gate(std::chrono::milliseconds(680));
        const SteadyTime t0 = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < c.asked.size(); ++i) {
            EXPECT_EQ(gate.admit(t0 + std::chrono::milliseconds(c.asked[i])), c.started[i]) << "at " << c.asked[i];
        }
    }
}

// Waits, running the GUI thread's event loop (where the connection is made), until
// `done` holds; a minute without it ends the test.
bool eventually(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(60000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return done();
}

// This process talks only to a server in a runtime folder of its own, and never
// starts one; the server is started and stopped by the test.
class PrivateRuntime {
public:
    PrivateRuntime() : old_(qgetenv("XDG_RUNTIME_DIR")), oldConfig_(qgetenv("PULSE_CLIENTCONFIG")) {
        qputenv("XDG_RUNTIME_DIR", path().toUtf8());
        qputenv("PULSE_CLIENTCONFIG", server.clientConfig().toUtf8());
        qunsetenv("PULSE_SERVER");
    }
    ~PrivateRuntime() {
        server.stop();
        restore("XDG_RUNTIME_DIR", old_);
        restore("PULSE_CLIENTCONFIG", oldConfig_);
    }
    QString path() const { return dir_.path(); }

private:
    static void restore(const char* name, const QByteArray& value) {
        if (value.isEmpty()) {
            qunsetenv(name);
        } else {
            qputenv(name, value);
        }
    }
    QTemporaryDir dir_;
    QByteArray old_, oldConfig_;

public:
    test::SoundServer server{dir_.path()};
};

// Takes connections on the server's socket and never answers; counts them.
class MuteServer {
public:
    explicit MuteServer(const QString& runtime) : runtime_(runtime) {}
    bool listen() {
        QDir().mkpath(runtime_ + "/pulse");
        QObject::connect(&socket_, &QLocalServer::newConnection, [this] {
            while (QLocalSocket* s = socket_.nextPendingConnection()) {
                ++connections;
                QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            }
        });
        return socket_.listen(runtime_ + "/pulse/native");
    }
    int connections = 0;

private:
    QString runtime_;
    QLocalServer socket_;
};

// The cries asked, on the cry's monotonic clock, and how the game stands with the
// server after each: no server at first, then one that takes connections and never
// answers. A new try only at a cry kRetry after the last try; a connection never
// ready is given up then.
TEST(PulseCry, TriesAServerAgainOnlyAtACryThreeSecondsAfterItsLastTry) {
    PrivateRuntime runtime;
    test::FakeSteadyClock clock;
    PulseCry cry(assetFile("\\datas\\gribo\\pleure.wav"), clock.reader());
    EXPECT_EQ(cry.link(), PulseCry::Link::None);  // nothing is tried before the first cry
    cry.playCry();
    ASSERT_TRUE(eventually([&] { return cry.link() == PulseCry::Link::Lost; }));
    EXPECT_FALSE(cry.watching());

    MuteServer mute(runtime.path());
    ASSERT_TRUE(mute.listen());
    struct Step {
        int at;  // ms after the first cry
        PulseCry::Link link;
        int connections;  // -1: not counted here (a try would show in the next count)
    };
    const Step steps[] = {
        {1000, PulseCry::Link::Lost, -1},       // a server now, but no try this soon
        {2999, PulseCry::Link::Lost, -1},       //
        {3000, PulseCry::Link::Connecting, 1},  // the next try
        {4000, PulseCry::Link::Connecting, -1}, {5999, PulseCry::Link::Connecting, -1},
        {6000, PulseCry::Link::Connecting, 2},  // never ready: given up for a new one
        {7000, PulseCry::Link::Connecting, -1}, {9000, PulseCry::Link::Connecting, 3},
    };
    int at = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.at);
        clock.advance(std::chrono::milliseconds(s.at - at));
        at = s.at;
        cry.playCry();  // returns at once, whatever the server does
        EXPECT_EQ(cry.link(), s.link);
        if (s.connections < 0) continue;
        EXPECT_TRUE(eventually([&] { return mute.connections >= s.connections; }));
        EXPECT_EQ(mute.connections, s.connections);
    }
}

// Collects what the program logs.
struct Logged {
    Logged() {
        lines().clear();
        previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { lines().push_back(text); });
    }
    ~Logged() { qInstallMessageHandler(previous); }
    static std::vector<QString>& lines() {
        static std::vector<QString> all;
        return all;
    }
    QtMessageHandler previous;
};

TEST(PulseCry, AFileThatIsNoCryNeverTalksToTheServerAndIsToldOnce) {
    QTemporaryDir dir;
    QFile bad(dir.path() + "/pleure.wav");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(wav({1, 1, 8000, 12}, "abcdef"));  // 12-bit samples: no server plays them
    bad.close();
    const struct {
        QString file;
        int told;
    } cases[] = {{bad.fileName(), 1}, {dir.path() + "/absent.wav", 0}};  // no file: silent, as no sound
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        const Logged logged;
        PulseCry cry(c.file);
        for (int i = 0; i < 3; ++i) cry.playCry();
        EXPECT_EQ(cry.link(), PulseCry::Link::None);
        EXPECT_FALSE(cry.watching());
        ASSERT_EQ(int(Logged::lines().size()), c.told);
        if (c.told) {
            EXPECT_TRUE(Logged::lines()[0].contains(c.file)) << Logged::lines()[0].toStdString();
            EXPECT_TRUE(Logged::lines()[0].contains("encoding")) << Logged::lines()[0].toStdString();
        }
    }
}

// A private PulseAudio server, running, for each test of the cry heard.
class PulseCryOnAServer : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"pulseaudio", "pactl", "parec"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                GTEST_SKIP() << "no " << tool << " here (scripts/install-deps --test)";
            }
        }
        ASSERT_TRUE(runtime.server.start());
    }
    // Cries until the sample is in the server's cache, the clock moving a second each.
    bool ready(PulseCry& cry) {
        return eventually([&] {
            if (cry.link() == PulseCry::Link::Ready) return true;
            if (cry.link() != PulseCry::Link::Connecting) {
                clock.advance(1s);
                cry.playCry();
            }
            return false;
        });
    }
    PrivateRuntime runtime;
    test::FakeSteadyClock clock;
};

TEST_F(PulseCryOnAServer, IsHeardFromTheServersCacheUnderTheGamesNameAndComesBackWithTheServer) {
    PulseCry cry(assetFile("\\datas\\gribo\\pleure.wav"), clock.reader());
    cry.playCry();
    EXPECT_TRUE(cry.watching());  // Qt's loop carries the connection until the sample is in
    ASSERT_TRUE(eventually([&] { return cry.link() == PulseCry::Link::Ready; }));
    EXPECT_TRUE(runtime.server.pactl({"list", "samples", "short"}).contains(PulseCry::kSampleName));
    // From then on nothing of the server's wakes the game between cries, not even its
    // replies to them: each cry reads them.
    EXPECT_FALSE(cry.watching());
    // Each cry is a stream of the server's, named as the game in the mixer.
    EXPECT_TRUE(eventually([&] {
        clock.advance(1s);
        cry.playCry();
        const QString inputs = runtime.server.pactl({"list", "sink-inputs"});
        return inputs.contains("application.name = \"Gribo\"") &&
               inputs.contains("application.icon_name = \"" GRIBO_APP_ID "\"") &&
               inputs.contains("media.role = \"event\"");
    }));
    EXPECT_FALSE(cry.watching());

    runtime.server.stop();
    EXPECT_TRUE(eventually([&] {
        clock.advance(1s);
        cry.playCry();  // the next cry finds the server gone, and is silent
        return cry.link() == PulseCry::Link::Lost;
    }));
    EXPECT_FALSE(cry.watching());
    ASSERT_TRUE(runtime.server.start());
    clock.advance(PulseCry::kRetry);
    cry.playCry();  // a try, kRetry after the last one: it connects again
    EXPECT_TRUE(eventually([&] { return cry.link() == PulseCry::Link::Ready; }));
    EXPECT_TRUE(runtime.server.pactl({"list", "samples", "short"}).contains(PulseCry::kSampleName));
}

// Reads the server's events (pactl subscribe) as they come.
class ServerEvents {
public:
    explicit ServerEvents(const test::SoundServer& server) {
        events_.setProcessEnvironment(server.environment());
        events_.start("pactl", {"subscribe"});
    }
    ~ServerEvents() {
        events_.kill();
        events_.waitForFinished();
    }
    // Waits until the server reports an event holding `what`; false after `ms`.
    bool next(const char* what, int ms = 60000) {
        const QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) {
            while (events_.canReadLine()) {
                if (events_.readLine().contains(what)) return true;
            }
            events_.waitForReadyRead(100);
        }
        return false;
    }

private:
    QProcess events_;
};

// The cry goes with its picture: its request leaves in the tick that shows the picture,
// before playCry returns. Nothing of the connection is watched once the sample is in,
// so a request still queued then would never reach the server.
TEST_F(PulseCryOnAServer, EachCrysRequestReachesTheServerBeforeTheCryReturns) {
    PulseCry cry(assetFile("\\datas\\gribo\\pleure.wav"), clock.reader());
    ASSERT_TRUE(ready(cry));
    ServerEvents events(runtime.server);
    // Once the server reports a change of the sink's volume, it reports every new stream
    // (a change made before pactl subscribed is not reported: made again).
    for (int i = 0;; ++i) {
        ASSERT_LT(i, 100) << "pactl subscribe reports nothing";
        runtime.server.pactl({"set-sink-volume", "ecoute", i % 2 ? "100%" : "99%"});
        if (events.next("'change' on sink", 1000)) break;
    }
    for (int i = 0; i < 3; ++i) {
        clock.advance(1s);
        cry.playCry();
        EXPECT_FALSE(cry.watching());
        EXPECT_TRUE(events.next("'new' on sink-input")) << "cry " << i << " started no stream on the server";
    }
}

// The real cry in another layout, as a player might save it.
QByteArray cryAs(const Pcm& cry, int tag, int bits) {
    QByteArray out;
    for (qsizetype i = 0; i + 1 < cry.samples.size(); i += 2) {
        const qint16 s = qFromLittleEndian<qint16>(cry.samples.constData() + i);
        switch (bits) {
            case 8:
                out += char(quint8((s >> 8) + 128));
                break;
            case 16:
                out += le(quint32(quint16(s)), 2);
                break;
            case 24:
                out += le(quint32(qint32(s) * 256), 3);
                break;
            case 32:
                if (tag == 3) {
                    const float f = float(s) / 32768.0f;
                    quint32 raw;
                    std::memcpy(&raw, &f, 4);
                    out += le(raw, 4);
                } else {
                    out += le(quint32(qint32(s) * 65536), 4);
                }
                break;
        }
    }
    return wav({tag, 1, cry.rate, bits}, out);
}

// The sink's monitor, recorded as 16-bit mono samples at 22050 Hz.
class Recording {
public:
    explicit Recording(const test::SoundServer& server) {
        parec_.setProcessEnvironment(server.environment());
        parec_.start("parec", {"--latency-msec=20", "-d", "ecoute.monitor", "--raw", "--format=s16le", "--rate=22050",
                               "--channels=1"});
    }
    ~Recording() {
        parec_.kill();
        parec_.waitForFinished();
    }
    // How many 5 ms windows of the recording there are so far.
    qsizetype windows() {
        read();
        return qsizetype(loud_.size());
    }
    // Whether the recording holds a sound from window `from` on: 50 ms louder than
    // -40 dB of full scale.
    bool soundFrom(qsizetype from) {
        read();
        int run = 0;
        for (qsizetype w = from; w < qsizetype(loud_.size()); ++w) {
            run = loud_[std::size_t(w)] ? run + 1 : 0;
            if (run >= 10) return true;
        }
        return false;
    }
    // Whether its last 200 ms are quiet.
    bool quietAtEnd() {
        read();
        if (loud_.size() < 40) return false;
        return std::none_of(loud_.end() - 40, loud_.end(), [](bool l) { return l; });
    }

private:
    static constexpr qsizetype kWindowBytes = 2 * 110;
    void read() {
        pending_ += parec_.readAllStandardOutput();
        qsizetype at = 0;
        for (; at + kWindowBytes <= pending_.size(); at += kWindowBytes) {
            double energy = 0;
            for (qsizetype i = at; i < at + kWindowBytes; i += 2) {
                const double s = qFromLittleEndian<qint16>(pending_.constData() + i) / 32768.0;
                energy += s * s;
            }
            loud_.push_back(std::sqrt(energy / double(kWindowBytes / 2)) > 0.01);
        }
        pending_.remove(0, at);
    }
    QProcess parec_;
    QByteArray pending_;
    std::vector<bool> loud_;
};

TEST_F(PulseCryOnAServer, EveryLayoutOfTheCryIsHeardAsTheServerNamesIt) {
    const std::optional<Pcm> cry = theCry();
    ASSERT_TRUE(cry);
    const struct {
        const char* name;
        int tag, bits;
        const char* server;  // the sample's format, as the server lists it
    } cases[] = {
        {"8-bit", 1, 8, "u8 1ch 22050Hz"},         {"16-bit", 1, 16, "s16le 1ch 22050Hz"},
        {"24-bit", 1, 24, "s24le 1ch 22050Hz"},    {"32-bit", 1, 32, "s32le 1ch 22050Hz"},
        {"float", 3, 32, "float32le 1ch 22050Hz"},
    };
    QTemporaryDir dir;
    Recording heard(runtime.server);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(dir.path() + "/" + c.name + ".wav");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(cryAs(*cry, c.tag, c.bits));
        file.close();
        // The last case's cry is over in the recording: what comes next is this one's.
        ASSERT_TRUE(eventually([&] { return heard.quietAtEnd(); }));
        const qsizetype from = heard.windows();

        PulseCry player(file.fileName(), clock.reader());
        ASSERT_TRUE(ready(player));
        EXPECT_TRUE(runtime.server.pactl({"list", "samples"}).contains(c.server));
        clock.advance(1s);
        player.playCry();
        EXPECT_TRUE(eventually([&] { return heard.soundFrom(from); }));
    }
}

}  // namespace
}  // namespace gribo::sound
