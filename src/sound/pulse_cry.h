#pragma once

// The baby's cry, played by the desktop's sound server (PulseAudio, or PipeWire's
// pulse server) from its sample cache.
//
// The WAV file is decoded once. At the first cry the game connects to the server and
// hands it the cry once, as a sample of its own; every cry after that is one short
// request, "play that sample", and the server plays it whole while the game does
// nothing.
//
// The connection runs on the GUI thread, in a loop of libpulse's that the game turns
// itself, never waiting. While the game connects and hands the sample over (a few
// milliseconds, once per server), the connection's sockets and timers are watched
// through Qt's event loop. Once the sample is in the server's cache nothing of the
// connection is watched: each cry reads what the server said since the last one (its
// replies, or that it went away), sends its request and returns. So a cry costs the
// game the one wake-up of its picture, and a quiet pet costs none.
//
// A cry due while the last one is still heard is skipped, so every cry ends whole
// and none is cut (no click). No file, a file that is no sound the server plays (said
// once on stderr), no server: the game plays on silently. When the server goes away, a later cry (one every few
// seconds at most) connects again and hands the sample over again, so the cry comes
// back with the server. playCry never waits on the server: it sends a request if it
// can, and returns.

#include <poll.h>

#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "sound/wav_file.h"
#include "state/ports.h"

struct pa_mainloop;
struct pa_context;
struct pa_stream;
struct pa_proplist;

namespace gribo::sound {

struct PulseLibrary;
using SteadyTime = std::chrono::steady_clock::time_point;
// The monotonic clock the cry is timed on: the system's, or a test's.
using MonotonicClock = std::function<SteadyTime()>;

// When a cry may start: not while the last one it let through is still heard.
class CryGate {
public:
    explicit CryGate(std::chrono::milliseconds length) : length_(length) {}
    // Whether a cry starts at `now`; if so it is the one heard from now on.
    bool admit(SteadyTime now);

private:
    std::chrono::milliseconds length_;
    std::optional<SteadyTime> last_;
};

class PulseCry : public Sound {
public:
    // How the game stands with the server.
    enum class Link {
        None,        // never tried (no cry yet, or no sound to play)
        Connecting,  // connecting, then handing the sample over
        Ready,       // the sample is in the server's cache: cries are heard
        Lost,        // no server, or it went away: silent until a later cry connects again
    };

    // The server's sample cache holds the cry under this name.
    static constexpr const char* kSampleName = GRIBO_APP_ID ".pleure";
    // A cry asked while the game connects is still played if the sample is ready this
    // soon after; later, it would come after its picture and is skipped.
    static constexpr std::chrono::milliseconds kLatest{50};
    // After a failure, the next connection is tried at a cry this long after the last try;
    // a connection still not ready this long after its try is given up for a new one.
    static constexpr std::chrono::seconds kRetry{3};

    // Made and played on a thread that runs a Qt event loop (the GUI thread). Reads
    // `file` now; times the retries on `clock`.
    explicit PulseCry(
        const QString& file, MonotonicClock clock = [] { return std::chrono::steady_clock::now(); });
    ~PulseCry() override;
    PulseCry(const PulseCry&) = delete;
    PulseCry& operator=(const PulseCry&) = delete;
    void playCry() override;

    Link link() const { return link_; }
    // Whether Qt's event loop watches the connection now (only while it is being made).
    bool watching() const;

private:
    struct Watches;
    bool prepare();
    void turn();
    void watch();
    static int pollNow(pollfd* fds, unsigned long count, int timeout, void* self);
    void connectNow(SteadyTime now);
    void dropConnection();
    void upload();
    void play(SteadyTime now);
    static void contextChanged(pa_context* context, void* self);
    static void uploadChanged(pa_stream* stream, void* self);
    static void played(pa_context* context, uint32_t stream, void* self);

    MonotonicClock clock_;
    std::optional<Pcm> pcm_;
    CryGate gate_;
    const PulseLibrary* pulse_ = nullptr;  // from the first cry on
    pa_proplist* props_ = nullptr;
    pa_mainloop* loop_ = nullptr;  // from the first cry on
    // What the loop would have waited on at its last turn: its file descriptors, and how
    // long until its next timer (-1: none).
    std::vector<pollfd> polled_;
    int polledTimeout_ = -1;
    std::unique_ptr<Watches> watches_;
    pa_context* context_ = nullptr;
    pa_stream* upload_ = nullptr;
    Link link_ = Link::None;
    std::optional<SteadyTime> lastTry_;
    std::optional<SteadyTime> waiting_;  // a cry asked while connecting
};

}  // namespace gribo::sound
