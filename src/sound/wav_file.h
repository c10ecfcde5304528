#pragma once

// The game's sounds are RIFF/WAVE files of 16-bit PCM. This reads one into its samples,
// whole frames only, and refuses anything else.

#include <QByteArray>
#include <optional>

namespace gribo::sound {

struct Pcm {
    int rate = 0;        // frames per second
    int channels = 0;    // interleaved in `samples`
    QByteArray samples;  // signed 16-bit little-endian, whole frames only

    qsizetype frames() const { return samples.size() / (2 * channels); }
    // How long the sound lasts, in milliseconds (rounded up).
    qint64 milliseconds() const { return (qint64(frames()) * 1000 + rate - 1) / rate; }
};

// Reads a WAV file of 16-bit PCM, any rate and channel count. Another encoding, a
// broken or truncated header, samples before their format, or no samples at all: no
// sound. A data chunk cut short keeps the whole frames it holds.
std::optional<Pcm> decodeWav(const QByteArray& file);

}  // namespace gribo::sound
