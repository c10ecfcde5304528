#include "ui/pulse_cry.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/proplist.h>
#include <pulse/scache.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <QFile>

#if GRIBO_PULSE_GLIB
#include <pulse/glib-mainloop.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#endif

namespace gribo::ui {
namespace {

// Holds the connection's lock for one scope; the loop's thread waits meanwhile. No lock
// on the GUI thread's own loop: everything happens on that thread.
class Locked {
public:
    explicit Locked(pa_threaded_mainloop* loop) : loop_(loop) {
        if (loop_) pa_threaded_mainloop_lock(loop_);
    }
    ~Locked() {
        if (loop_) pa_threaded_mainloop_unlock(loop_);
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

SteadyTime now() { return std::chrono::steady_clock::now(); }

#if GRIBO_PULSE_GLIB
// Whether this, the application's main thread, runs Qt's GLib event dispatcher, which
// iterates GLib's default context there.
bool onGlibLoop() {
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) return false;
    const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    return dispatcher && dispatcher->inherits("QEventDispatcherGlib");
}
#endif

}  // namespace

bool CryGate::admit(SteadyTime now) {
    if (last_ && now - *last_ < length_) return false;
    last_ = now;
    return true;
}

PulseCry::PulseCry(const QString& file, Loop loop) : gate_(std::chrono::milliseconds(0)), wanted_(loop) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return;  // silent
    pcm_ = decodeWav(f.readAll());
    if (!pcm_) return;
    gate_ = CryGate(std::chrono::milliseconds(pcm_->milliseconds()));
    // The mixer lists the cry under the game's name and icon, as an event sound, so a
    // player can lower or mute it there (and the server keeps that setting).
    props_ = pa_proplist_new();
    pa_proplist_sets(props_, PA_PROP_APPLICATION_NAME, "Gribo");
    pa_proplist_sets(props_, PA_PROP_APPLICATION_ID, GRIBO_APP_ID);
    pa_proplist_sets(props_, PA_PROP_APPLICATION_ICON_NAME, GRIBO_APP_ID);
    pa_proplist_sets(props_, PA_PROP_APPLICATION_VERSION, GRIBO_VERSION);
    pa_proplist_sets(props_, PA_PROP_MEDIA_ROLE, "event");
    pa_proplist_sets(props_, PA_PROP_MEDIA_NAME, "pleure");
}

PulseCry::~PulseCry() {
    if (thread_) {
        {
            Locked lock(thread_);
            dropConnection();
        }
        pa_threaded_mainloop_stop(thread_);
        pa_threaded_mainloop_free(thread_);
    }
#if GRIBO_PULSE_GLIB
    if (glib_) {
        dropConnection();
        pa_glib_mainloop_free(glib_);
    }
#endif
    if (props_) pa_proplist_free(props_);
}

PulseCry::Link PulseCry::link() const {
    Locked lock(thread_);
    return link_;
}

// The loop the connection runs on, from the first cry on: the GUI thread's own where
// it is GLib's, else a thread of its own. False if neither can run.
bool PulseCry::startLoop() {
    if (api_) return true;
#if GRIBO_PULSE_GLIB
    if (wanted_ == Loop::Gui && onGlibLoop()) {
        glib_ = pa_glib_mainloop_new(g_main_context_default());
        if (glib_) {
            api_ = pa_glib_mainloop_get_api(glib_);
            return true;
        }
    }
#endif
    thread_ = pa_threaded_mainloop_new();
    if (!thread_) return false;
    pa_threaded_mainloop_set_name(thread_, "gribo-cry");
    if (pa_threaded_mainloop_start(thread_) < 0) {
        pa_threaded_mainloop_free(thread_);
        thread_ = nullptr;
        return false;
    }
    api_ = pa_threaded_mainloop_get_api(thread_);
    return true;
}

void PulseCry::playCry() {
    if (!pcm_) return;
    const SteadyTime t = now();
    if (!startLoop()) return;
    Locked lock(thread_);
    switch (link_) {
        case Link::Ready:
            play(t);
            return;
        case Link::Connecting:
            // A server that takes the connection and never answers is left for a new try.
            if (t - *lastTry_ < kRetry) {
                waiting_ = t;
                return;
            }
            break;
        case Link::None:
        case Link::Lost:
            if (lastTry_ && t - *lastTry_ < kRetry) return;  // silent until the next try
            break;
    }
    connectNow(t);
    if (link_ == Link::Connecting) waiting_ = t;
}

// A new connection, after the old one (if any) is dropped. The lock is held.
void PulseCry::connectNow(SteadyTime t) {
    dropConnection();
    lastTry_ = t;
    link_ = Link::Lost;
    context_ = pa_context_new_with_proplist(api_, "Gribo", props_);
    if (!context_) return;
    pa_context_set_state_callback(context_, &PulseCry::contextChanged, this);
    link_ = Link::Connecting;
    // Never starts a server: that is the desktop's business, and it would wait for it.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) link_ = Link::Lost;
}

// The lock is held. No callback of the old connection comes after this.
void PulseCry::dropConnection() {
    waiting_.reset();
    if (upload_) {
        pa_stream_set_state_callback(upload_, nullptr, nullptr);
        pa_stream_disconnect(upload_);
        pa_stream_unref(upload_);
        upload_ = nullptr;
    }
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
}

void PulseCry::contextChanged(pa_context* context, void* self) {
    PulseCry& cry = *static_cast<PulseCry*>(self);
    if (context != cry.context_) return;
    switch (pa_context_get_state(context)) {
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
    sampleFormat.format = PA_SAMPLE_S16LE;
    sampleFormat.rate = static_cast<uint32_t>(pcm_->rate);
    sampleFormat.channels = static_cast<uint8_t>(pcm_->channels);
    upload_ = pa_stream_new_with_proplist(context_, kSampleName, &sampleFormat, nullptr, props_);
    if (!upload_) {
        link_ = Link::Lost;
        return;
    }
    pa_stream_set_state_callback(upload_, &PulseCry::uploadChanged, this);
    if (pa_stream_connect_upload(upload_, static_cast<size_t>(pcm_->samples.size())) < 0) link_ = Link::Lost;
}

void PulseCry::uploadChanged(pa_stream* stream, void* self) {
    PulseCry& cry = *static_cast<PulseCry*>(self);
    if (stream != cry.upload_) return;
    switch (pa_stream_get_state(stream)) {
        case PA_STREAM_READY:
            if (pa_stream_write(stream, cry.pcm_->samples.constData(), static_cast<size_t>(cry.pcm_->samples.size()),
                                nullptr, 0, PA_SEEK_RELATIVE) < 0 ||
                pa_stream_finish_upload(stream) < 0) {
                cry.link_ = Link::Lost;
            }
            return;
        case PA_STREAM_TERMINATED: {  // the whole cry is in the cache
            pa_stream_set_state_callback(stream, nullptr, nullptr);
            pa_stream_unref(stream);
            cry.upload_ = nullptr;
            cry.link_ = Link::Ready;
            const SteadyTime t = now();
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

// One cry, whole, unless the last one is still heard. The lock is held.
void PulseCry::play(SteadyTime t) {
    if (!gate_.admit(t)) return;
    pa_operation* op = pa_context_play_sample_with_proplist(context_, kSampleName, nullptr, PA_VOLUME_INVALID, props_,
                                                            &PulseCry::played, this);
    if (op) pa_operation_unref(op);
}

// The server did not find the sample (another program took its name away, say): it is
// handed over again, and the next cry is heard.
void PulseCry::played(pa_context* context, uint32_t stream, void* self) {
    PulseCry& cry = *static_cast<PulseCry*>(self);
    if (stream != PA_INVALID_INDEX || context != cry.context_ || cry.link_ != Link::Ready) return;
    if (pa_context_errno(context) != PA_ERR_NOENTITY) return;
    cry.link_ = Link::Connecting;
    cry.lastTry_ = now();
    cry.upload();
}

}  // namespace gribo::ui
