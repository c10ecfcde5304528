#pragma once

// The baby's cry, played by the desktop's sound server (PulseAudio, or PipeWire's
// pulse server) from its sample cache.
//
// The WAV file is decoded once. At the first cry the game connects to the server and
// hands it the cry once, as a sample of its own; every cry after that is one short
// request, "play that sample", and the server plays it whole while the game does
// nothing.
//
// Where Qt runs its GUI thread on GLib's loop (Linux, as a rule), the connection lives
// on that loop: the request goes out from playCry itself and the server's reply wakes
// the GUI thread once, with no thread of the cry's own. Elsewhere (QT_NO_GLIB=1, a Qt
// without GLib) the connection has a thread of its own, "gribo-cry". Either way a quiet
// pet costs no wake-up: nothing of the connection's waits on a clock between cries.
//
// A cry due while the last one is still heard is skipped, so every cry ends whole
// and none is cut (no click). No file, a file that is not 16-bit PCM, no server: the
// game plays on silently. When the server goes away, a later cry (one every few
// seconds at most) connects again and hands the sample over again, so the cry comes
// back with the server. playCry never waits on the server: it sends a request if it
// can, and returns.

#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>

#include "state/ports.h"
#include "ui/wav_file.h"

struct pa_threaded_mainloop;
struct pa_glib_mainloop;
struct pa_mainloop_api;
struct pa_context;
struct pa_stream;
struct pa_proplist;

namespace gribo::ui {

using SteadyTime = std::chrono::steady_clock::time_point;

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
    static constexpr const char* kSampleName = "io.github.gribo.Gribo.pleure";
    // A cry asked while the game connects is still played if the sample is ready this
    // soon after; later, it would come after its picture and is skipped.
    static constexpr std::chrono::milliseconds kLatest{50};
    // After a failure, the next connection is tried at a cry this long after the last try;
    // a connection still not ready this long after its try is given up for a new one.
    static constexpr std::chrono::seconds kRetry{3};

    // Where the connection runs.
    enum class Loop {
        Gui,     // on the GUI thread's GLib loop where Qt runs on one, else on a thread
        Thread,  // on a thread of its own, "gribo-cry"
    };

    explicit PulseCry(const QString& file, Loop loop = Loop::Gui);
    ~PulseCry() override;
    void playCry() override;

    Link link() const;
    // Whether the connection has a thread of its own (known from the first cry on).
    bool hasThread() const { return thread_ != nullptr; }

private:
    bool startLoop();
    void connectNow(SteadyTime now);
    void dropConnection();
    void upload();
    void play(SteadyTime now);
    static void contextChanged(pa_context* context, void* self);
    static void uploadChanged(pa_stream* stream, void* self);
    static void played(pa_context* context, uint32_t stream, void* self);

    std::optional<Pcm> pcm_;
    CryGate gate_;
    pa_proplist* props_ = nullptr;
    Loop wanted_;
    // From the first cry on, one of these two runs the connection.
    pa_glib_mainloop* glib_ = nullptr;
    pa_threaded_mainloop* thread_ = nullptr;
    pa_mainloop_api* api_ = nullptr;
    // The rest is only touched on the GUI thread, or with the thread's lock held.
    pa_context* context_ = nullptr;
    pa_stream* upload_ = nullptr;
    Link link_ = Link::None;
    std::optional<SteadyTime> lastTry_;
    std::optional<SteadyTime> waiting_;  // a cry asked while connecting
};

}  // namespace gribo::ui
