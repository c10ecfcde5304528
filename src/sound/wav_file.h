#pragma once

// The game's sound is a RIFF/WAVE file, which a player may replace with one of their
// own. This reads any WAV whose samples the sound server plays as they are: integer
// PCM of 8, 16, 24 or 32 bits, 32-bit float, A-law and mu-law, in the plain or the
// extensible header, any rate and channel count the server takes. Nothing is
// converted: the samples go to the server in the file's own format.

#include <QByteArray>
#include <optional>

namespace gribo::sound {

// How the samples are laid out, named as the sound server names them.
enum class SampleFormat { U8, ALaw, MuLaw, S16LE, S24LE, S32LE, Float32LE };

// Bytes of one sample of one channel.
int bytesPerSample(SampleFormat format);

struct Pcm {
    SampleFormat format = SampleFormat::S16LE;
    int rate = 0;        // frames per second
    int channels = 0;    // interleaved in `samples`
    QByteArray samples;  // as in the file, whole frames only

    int bytesPerFrame() const { return bytesPerSample(format) * channels; }
    qsizetype frames() const { return samples.size() / bytesPerFrame(); }
    // How long the sound lasts, in milliseconds (rounded up).
    qint64 milliseconds() const { return (qint64(frames()) * 1000 + rate - 1) / rate; }
};

// What the sound server takes, and so what a sound may be.
inline constexpr int kMostChannels = 32;
inline constexpr int kHighestRate = 384000;
// The server's sample cache keeps a sound of at most this many bytes.
inline constexpr qsizetype kMostSampleBytes = 16 * 1024 * 1024;

struct DecodedWav {
    std::optional<Pcm> pcm;
    const char* fault = "";  // without a sound: why, in a few words
};

// Reads a WAV file. Another encoding, a broken or truncated header, samples before
// their format, no samples, or more than the server keeps: no sound, and the fault.
// A data chunk cut short keeps the whole frames it holds.
DecodedWav decodeWav(const QByteArray& file);

}  // namespace gribo::sound
