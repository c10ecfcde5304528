#include "sound/wav_file.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>

namespace gribo::sound {
namespace {

quint32 le32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint16 le16(const char* p) { return qFromLittleEndian<quint16>(p); }

constexpr quint16 kExtensible = 0xFFFE;
// The extensible header names its encoding by a GUID: the encoding's tag, then these
// twelve bytes.
constexpr char kSubFormatTail[12] = {0x00, 0x00,       0x10, 0x00, char(0x80), 0x00,
                                     0x00, char(0xAA), 0x00, 0x38, char(0x9B), 0x71};

// The encodings the server plays as they are, by the header's tag and bits per sample.
struct Encoding {
    quint16 tag;
    quint16 bits;
    SampleFormat format;
};
constexpr std::array<Encoding, 7> kEncodings = {{
    {1, 8, SampleFormat::U8},  // 8-bit PCM is unsigned
    {1, 16, SampleFormat::S16LE},
    {1, 24, SampleFormat::S24LE},
    {1, 32, SampleFormat::S32LE},
    {3, 32, SampleFormat::Float32LE},
    {6, 8, SampleFormat::ALaw},
    {7, 8, SampleFormat::MuLaw},
}};

DecodedWav fault(const char* why) { return {std::nullopt, why}; }

}  // namespace

int bytesPerSample(SampleFormat format) {
    switch (format) {
        case SampleFormat::U8:
        case SampleFormat::ALaw:
        case SampleFormat::MuLaw:
            return 1;
        case SampleFormat::S16LE:
            return 2;
        case SampleFormat::S24LE:
            return 3;
        case SampleFormat::S32LE:
        case SampleFormat::Float32LE:
            return 4;
    }
    return 1;
}

DecodedWav decodeWav(const QByteArray& file) {
    if (file.size() < 12 || std::memcmp(file.constData(), "RIFF", 4) != 0 ||
        std::memcmp(file.constData() + 8, "WAVE", 4) != 0) {
        return fault("not a RIFF/WAVE file");
    }
    std::optional<Pcm> format;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const char* chunk = file.constData() + at;
        const qsizetype size = qsizetype(le32(chunk + 4));
        const qsizetype body = at + 8;
        const qsizetype left = file.size() - body;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16 || left < 16) return fault("its format is cut short");
            const char* f = chunk + 8;
            quint16 tag = le16(f);
            const quint16 channels = le16(f + 2), blockAlign = le16(f + 12), bits = le16(f + 14);
            const quint32 rate = le32(f + 4);
            if (tag == kExtensible) {
                if (size < 40 || left < 40) return fault("its extensible format is cut short");
                if (le16(f + 26) != 0 || std::memcmp(f + 28, kSubFormatTail, sizeof kSubFormatTail) != 0) {
                    return fault("an unknown encoding");
                }
                tag = le16(f + 24);  // the samples fill their containers: played as `bits` wide
            }
            const auto encoding = std::find_if(kEncodings.begin(), kEncodings.end(),
                                               [&](const Encoding& e) { return e.tag == tag && e.bits == bits; });
            if (encoding == kEncodings.end()) return fault("an encoding the sound server does not play");
            if (channels == 0 || channels > kMostChannels) return fault("no channel, or too many");
            if (rate == 0 || rate > quint32(kHighestRate)) return fault("a rate the sound server does not play");
            format = Pcm{encoding->format, int(rate), int(channels), {}};
            if (blockAlign != format->bytesPerFrame()) return fault("its frames are not the size of its samples");
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!format) return fault("samples before their format");
            const qsizetype frame = format->bytesPerFrame();
            const qsizetype bytes = std::min(size, left) / frame * frame;
            if (bytes <= 0) return fault("no samples");
            if (bytes > kMostSampleBytes) return fault("longer than the sound server keeps");
            format->samples = file.mid(body, bytes);
            return {std::move(format), ""};
        }
        if (size > left) return fault("a chunk longer than the file");
        at = body + size + (size & 1);  // chunks are padded to an even size
    }
    return fault(format ? "no samples" : "no format");
}

}  // namespace gribo::sound
