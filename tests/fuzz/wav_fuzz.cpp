// The WAV reader on any bytes (libFuzzer): it never crashes, and a sound it takes holds
// what the cry relies on: whole frames of a layout the server plays, within its limits.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "sound/wav_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gribo::sound;
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const DecodedWav wav = decodeWav(file);
    if (!wav.pcm) {
        if (wav.fault == nullptr || *wav.fault == '\0') std::abort();  // a refusal says why
        return 0;
    }
    const Pcm& pcm = *wav.pcm;
    if (pcm.channels < 1 || pcm.channels > kMostChannels) std::abort();
    if (pcm.rate < 1 || pcm.rate > kHighestRate) std::abort();
    if (pcm.samples.isEmpty() || pcm.samples.size() > kMostSampleBytes) std::abort();
    if (pcm.samples.size() % pcm.bytesPerFrame() != 0) std::abort();
    if (pcm.milliseconds() < 1) std::abort();
    return 0;
}
