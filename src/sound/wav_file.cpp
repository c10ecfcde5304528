#include "sound/wav_file.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace gribo::sound {
namespace {

quint32 le32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint16 le16(const char* p) { return qFromLittleEndian<quint16>(p); }

}  // namespace

std::optional<Pcm> decodeWav(const QByteArray& file) {
    if (file.size() < 12 || std::memcmp(file.constData(), "RIFF", 4) != 0 ||
        std::memcmp(file.constData() + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    std::optional<Pcm> format;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const char* chunk = file.constData() + at;
        const qsizetype size = qsizetype(le32(chunk + 4));
        const qsizetype body = at + 8;
        const qsizetype left = file.size() - body;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16 || left < 16) return std::nullopt;
            const char* f = chunk + 8;
            const quint16 tag = le16(f), channels = le16(f + 2), bits = le16(f + 14);
            const quint32 rate = le32(f + 4);
            // PCM, or the extensible form whose sub-format is PCM.
            const bool pcm = tag == 1 || (tag == 0xFFFE && size >= 40 && left >= 40 && le16(f + 24) == 1);
            if (!pcm || bits != 16 || channels == 0 || channels > 8 || rate < 1000 || rate > 384000) {
                return std::nullopt;
            }
            format = Pcm{int(rate), int(channels), {}};
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!format) return std::nullopt;  // samples before their format
            const qsizetype frame = 2 * format->channels;
            const qsizetype bytes = std::min(size, left) / frame * frame;
            if (bytes <= 0) return std::nullopt;
            format->samples = file.mid(body, bytes);
            return format;
        }
        if (size > left) return std::nullopt;
        at = body + size + (size & 1);  // chunks are padded to an even size
    }
    return std::nullopt;
}

}  // namespace gribo::sound
