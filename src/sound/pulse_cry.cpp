#include "sound/pulse_cry.h"

#include <pulse/error.h>

#include <QFile>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <array>
#include <cerrno>
#include <utility>

#include "sound/pulse_library.h"

namespace gribo::sound {
namespace {

// A turn of the loop goes on while it finds something to do; a connection never needs
// this many in a row, so more means something keeps it busy: the rest waits for Qt's loop.
constexpr int kMostTurns = 16;

// A file bigger than this holds more than the server's sample cache keeps: not read.
constexpr qint64 kLargestFile = kMostSampleBytes + 1024 * 1024;

// The server's name for each layout of the samples.
constexpr std::array<std::pair<SampleFormat, pa_sample_format_t>, 7> kServerFormats = {{
    {SampleFormat::U8, PA_SAMPLE_U8},
    {SampleFormat::ALaw, PA_SAMPLE_ALAW},
    {SampleFormat::MuLaw, PA_SAMPLE_ULAW},
    {SampleFormat::S16LE, PA_SAMPLE_S16LE},
    {SampleFormat::S24LE, PA_SAMPLE_S24LE},
    {SampleFormat::S32LE, PA_SAMPLE_S32LE},
    {SampleFormat::Float32LE, PA_SAMPLE_FLOAT32LE},
}};

pa_sample_format_t serverFormat(SampleFormat format) {
    for (const auto& [ours, theirs] : kServerFormats) {
        if (ours == format) return theirs;
    }
    return PA_SAMPLE_INVALID;
}

}  // namespace

// What Qt's event loop watches for the connection while it is being made: its file
// descriptors, and the loop's next timer. A notifier is kept for each descriptor seen
// and enabled only while that descriptor is watched, so none is deleted while it fires.
struct PulseCry::Watches {
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
    QTimer timer;

    explicit Watches(PulseCry* cry) {
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [cry] { cry->turn(); });
    }
    void enable(int fd, QSocketNotifier::Type type, PulseCry* cry) {
        for (const auto& n : notifiers) {
            if (n->socket() == fd && n->type() == type) {
                n->setEnabled(true);
                return;
            }
        }
        auto n = std::make_unique<QSocketNotifier>(fd, type);
        QObject::connect(n.get(), &QSocketNotifier::activated, [cry] { cry->turn(); });
        notifiers.push_back(std::move(n));
    }
    void disableAll() {
        for (const auto& n : notifiers) n->setEnabled(false);
        timer.stop();
    }
    bool any() const {
        if (timer.isActive()) return true;
        for (const auto& n : notifiers) {
            if (n->isEnabled()) return true;
        }
        return false;
    }
};

bool CryGate::admit(SteadyTime now) {
    if (last_ && now - *last_ < length_) return false;
    last_ = now;
    return true;
}

PulseCry::PulseCry(const QString& file, MonotonicClock clock)
    : clock_(std::move(clock)), gate_(std::chrono::milliseconds(0)) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return;  // no file: silent
    DecodedWav wav = f.size() > kLargestFile ? DecodedWav{std::nullopt, "longer than the sound server keeps"}
                                             : decodeWav(f.readAll());
    if (!wav.pcm) {
        qWarning("Gribo: %s is not a sound the game can play (%s): the baby cries silently", qPrintable(file),
                 wav.fault);
        return;
    }
    pcm_ = std::move(wav.pcm);
    gate_ = CryGate(std::chrono::milliseconds(pcm_->milliseconds()));
}

// At the first cry: libpulse, the cry's properties and the loop. False if the library
// cannot be had: silent from then on.
bool PulseCry::prepare() {
    if (loop_) return true;
    if (!pulse_ && !(pulse_ = PulseLibrary::get())) {
        pcm_.reset();
        return false;
    }
    // The mixer lists the cry under the game's name and icon, as an event sound, so a
    // player can lower or mute it there (and the server keeps that setting).
    if (!props_) {
        props_ = pulse_->pa_proplist_new();
        pulse_->pa_proplist_sets(props_, PA_PROP_APPLICATION_NAME, "Gribo");
        pulse_->pa_proplist_sets(props_, PA_PROP_APPLICATION_ID, GRIBO_APP_ID);
        pulse_->pa_proplist_sets(props_, PA_PROP_APPLICATION_ICON_NAME, GRIBO_APP_ID);
        pulse_->pa_proplist_sets(props_, PA_PROP_APPLICATION_VERSION, GRIBO_VERSION);
        pulse_->pa_proplist_sets(props_, PA_PROP_MEDIA_ROLE, "event");
        pulse_->pa_proplist_sets(props_, PA_PROP_MEDIA_NAME, "pleure");
    }
    loop_ = pulse_->pa_mainloop_new();
    if (!loop_) return false;
    pulse_->pa_mainloop_set_poll_func(loop_, &PulseCry::pollNow, this);
    watches_ = std::make_unique<Watches>(this);
    return true;
}

PulseCry::~PulseCry() {
    watches_.reset();
    dropConnection();
    if (loop_) pulse_->pa_mainloop_free(loop_);
    if (props_) pulse_->pa_proplist_free(props_);
}

bool PulseCry::watching() const { return watches_ && watches_->any(); }

// Runs the loop, without waiting, until it finds nothing more to do: what the server
// sent is read and answered, what the game asked is sent. Then Qt's loop watches the
// connection if it is being made, and nothing of it otherwise.
void PulseCry::turn() {
    if (!loop_) return;
    int turns = 0;
    for (; turns < kMostTurns; ++turns) {
        if (pulse_->pa_mainloop_prepare(loop_, -1) < 0 || pulse_->pa_mainloop_poll(loop_) < 0) break;
        if (pulse_->pa_mainloop_dispatch(loop_) <= 0) break;
    }
    if (turns == kMostTurns) polledTimeout_ = 0;  // more to do: soon, from Qt's loop
    watch();
}

void PulseCry::watch() {
    watches_->disableAll();
    if (link_ != Link::Connecting) return;
    for (const pollfd& p : polled_) {
        if (p.events & POLLIN) watches_->enable(p.fd, QSocketNotifier::Read, this);
        if (p.events & POLLOUT) watches_->enable(p.fd, QSocketNotifier::Write, this);
    }
    if (polledTimeout_ >= 0) watches_->timer.start(polledTimeout_);
}

// The loop's poll: notes what the loop would wait on, and looks without waiting.
int PulseCry::pollNow(pollfd* fds, unsigned long count, int timeout, void* self) {
    PulseCry& cry = *static_cast<PulseCry*>(self);
    cry.polled_.assign(fds, fds + count);
    cry.polledTimeout_ = timeout;
    int ready;
    do {
        ready = ::poll(fds, count, 0);
    } while (ready < 0 && errno == EINTR);
    return ready;
}

void PulseCry::playCry() {
    if (!pcm_) return;
    const SteadyTime t = clock_();
    if (!prepare()) return;
    turn();  // what the server said since the last cry: its replies, or that it went away
    switch (link_) {
        case Link::Ready:
            play(t);
            break;
        case Link::Connecting:
            // A server that takes the connection and never answers is left for a new try.
            if (t - *lastTry_ < kRetry) {
                waiting_ = t;
                break;
            }
            connectNow(t);
            break;
        case Link::None:
        case Link::Lost:
            if (lastTry_ && t - *lastTry_ < kRetry) break;  // silent until the next try
            connectNow(t);
            break;
    }
    turn();  // the request goes out now
}

// A new connection, after the old one (if any) is dropped.
void PulseCry::connectNow(SteadyTime t) {
    dropConnection();
    lastTry_ = t;
    link_ = Link::Lost;
    context_ = pulse_->pa_context_new_with_proplist(pulse_->pa_mainloop_get_api(loop_), "Gribo", props_);
    if (!context_) return;
    pulse_->pa_context_set_state_callback(context_, &PulseCry::contextChanged, this);
    link_ = Link::Connecting;
    // Never starts a server: that is the desktop's business, and it would wait for it.
    if (pulse_->pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) link_ = Link::Lost;
    if (link_ == Link::Connecting) waiting_ = t;
}

// No callback of the old connection comes after this.
void PulseCry::dropConnection() {
    waiting_.reset();
    if (upload_) {
        pulse_->pa_stream_set_state_callback(upload_, nullptr, nullptr);
        pulse_->pa_stream_disconnect(upload_);
        pulse_->pa_stream_unref(upload_);
        upload_ = nullptr;
    }
    if (context_) {
        pulse_->pa_context_set_state_callback(context_, nullptr, nullptr);
        pulse_->pa_context_disconnect(context_);
        pulse_->pa_context_unref(context_);
        context_ = nullptr;
    }
}

void PulseCry::contextChanged(pa_context* context, void* self) {
    PulseCry& cry = *static_cast<PulseCry*>(self);
    if (context != cry.context_) return;
    switch (cry.pulse_->pa_context_get_state(context)) {
        case PA_CONTEXT_READY:
            cry.upload();
            return;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            cry.link_ = Link::Lost;  // the next cry, kRetry after this connection's try, connects again
            cry.waiting_.reset();
            return;
        default:
            return;
    }
}

// Hands the whole cry to the server's sample cache, under our name (replacing what an
// earlier run of the game left there).
void PulseCry::upload() {
    pa_sample_spec sampleFormat{};
    sampleFormat.format = serverFormat(pcm_->format);
    sampleFormat.rate = static_cast<uint32_t>(pcm_->rate);
    sampleFormat.channels = static_cast<uint8_t>(pcm_->channels);
    // The file names no channels: the server's usual ones, as many as there are.
    pa_channel_map channels{};
    pulse_->pa_channel_map_init_extend(&channels, sampleFormat.channels, PA_CHANNEL_MAP_DEFAULT);
    upload_ = pulse_->pa_stream_new_with_proplist(context_, kSampleName, &sampleFormat, &channels, props_);
    if (!upload_) {
        link_ = Link::Lost;
        return;
    }
    pulse_->pa_stream_set_state_callback(upload_, &PulseCry::uploadChanged, this);
    if (pulse_->pa_stream_connect_upload(upload_, static_cast<size_t>(pcm_->samples.size())) < 0) link_ = Link::Lost;
}

void PulseCry::uploadChanged(pa_stream* stream, void* self) {
    PulseCry& cry = *static_cast<PulseCry*>(self);
    if (stream != cry.upload_) return;
    switch (cry.pulse_->pa_stream_get_state(stream)) {
        case PA_STREAM_READY:
            if (cry.pulse_->pa_stream_write(stream, cry.pcm_->samples.constData(),
                                            static_cast<size_t>(cry.pcm_->samples.size()), nullptr, 0,
                                            PA_SEEK_RELATIVE) < 0 ||
                cry.pulse_->pa_stream_finish_upload(stream) < 0) {
                cry.link_ = Link::Lost;
            }
            return;
        case PA_STREAM_TERMINATED: {  // the whole cry is in the cache
            cry.pulse_->pa_stream_set_state_callback(stream, nullptr, nullptr);
            cry.pulse_->pa_stream_unref(stream);
            cry.upload_ = nullptr;
            cry.link_ = Link::Ready;
            const SteadyTime t = cry.clock_();
            if (cry.waiting_ && t - *cry.waiting_ <= kLatest) cry.play(t);
            cry.waiting_.reset();
            return;
        }
        case PA_STREAM_FAILED:
            cry.link_ = Link::Lost;
            cry.waiting_.reset();
            return;
        default:
            return;
    }
}

// One cry, whole, unless the last one is still heard.
void PulseCry::play(SteadyTime t) {
    if (!gate_.admit(t)) return;
    pa_operation* op = pulse_->pa_context_play_sample_with_proplist(context_, kSampleName, nullptr, PA_VOLUME_INVALID,
                                                                    props_, &PulseCry::played, this);
    if (op) pulse_->pa_operation_unref(op);
}

// The server did not find the sample (another program took its name away, say): it is
// handed over again, and the next cry is heard.
void PulseCry::played(pa_context* context, uint32_t stream, void* self) {
    PulseCry& cry = *static_cast<PulseCry*>(self);
    if (stream != PA_INVALID_INDEX || context != cry.context_ || cry.link_ != Link::Ready) return;
    if (cry.pulse_->pa_context_errno(context) != PA_ERR_NOENTITY) return;
    cry.link_ = Link::Connecting;
    cry.lastTry_ = cry.clock_();
    cry.upload();
}

}  // namespace gribo::sound
