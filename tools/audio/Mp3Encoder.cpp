#include "tools/audio/Mp3Encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <memory>

#include "tools/audio/WavWriter.h"

namespace brx::tools {
namespace {

constexpr int kChunkFrames = 8192;
// LAME's own bound for one call's output: 1.25 x samples + 7200 bytes.
constexpr int kChunkOutputBytes = kChunkFrames * 5 / 4 + 7200;
// Quality 2 is LAME's "near best" noise shaping, still fast at these lengths.
constexpr int kLameQuality = 2;

struct LameDeleter {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};
using LamePtr = std::unique_ptr<lame_global_flags, LameDeleter>;

LamePtr configure(const AudioBuffer& buffer, int bitRateKbps) {
    LamePtr lame(lame_init());
    if (!lame) return nullptr;
    lame_set_in_samplerate(lame.get(), buffer.sampleRateHz());
    lame_set_out_samplerate(lame.get(), buffer.sampleRateHz());
    lame_set_num_channels(lame.get(), buffer.channels());
    lame_set_mode(lame.get(), buffer.channels() == 1 ? MONO : JOINT_STEREO);
    lame_set_brate(lame.get(), bitRateKbps);
    lame_set_VBR(lame.get(), vbr_off);
    lame_set_quality(lame.get(), kLameQuality);
    lame_set_bWriteVbrTag(lame.get(), 1);
    if (lame_init_params(lame.get()) < 0) return nullptr;
    return lame;
}

// Feeds the samples in chunks of 16-bit PCM; returns false when LAME reports an error.
bool encodeFrames(lame_global_flags* lame, const AudioBuffer& buffer, std::vector<uint8_t>* out) {
    const int channels = buffer.channels();
    std::vector<int16_t> pcm(size_t(kChunkFrames) * channels);
    std::vector<uint8_t> chunk(kChunkOutputBytes);
    for (size_t start = 0; start < buffer.frames(); start += kChunkFrames) {
        const size_t frames = std::min<size_t>(kChunkFrames, buffer.frames() - start);
        for (size_t i = 0; i < frames * channels; ++i)
            pcm[i] = toPcm16(buffer.samples()[start * channels + i]);
        const int written = channels == 1
                                ? lame_encode_buffer(lame, pcm.data(), pcm.data(), int(frames),
                                                     chunk.data(), int(chunk.size()))
                                : lame_encode_buffer_interleaved(lame, pcm.data(), int(frames),
                                                                 chunk.data(), int(chunk.size()));
        if (written < 0) return false;
        out->insert(out->end(), chunk.begin(), chunk.begin() + written);
    }
    const int flushed = lame_encode_flush(lame, chunk.data(), int(chunk.size()));
    if (flushed < 0) return false;
    out->insert(out->end(), chunk.begin(), chunk.begin() + flushed);
    return true;
}

}  // namespace

bool encodeMp3(const AudioBuffer& buffer, int bitRateKbps, std::vector<uint8_t>* out,
               std::string* error) {
    out->clear();
    if (buffer.channels() < 1 || buffer.channels() > 2) {
        *error = "MP3 needs one or two channels";
        return false;
    }
    LamePtr lame = configure(buffer, bitRateKbps);
    if (!lame) {
        *error = "LAME rejected the encoder settings";
        return false;
    }
    if (!encodeFrames(lame.get(), buffer, out)) {
        *error = "LAME failed while encoding";
        return false;
    }
    // The first frame was reserved for the tag that records encoder delay and padding.
    std::vector<uint8_t> tag(2880);
    const size_t tagBytes = lame_get_lametag_frame(lame.get(), tag.data(), tag.size());
    if (tagBytes > 0 && tagBytes <= tag.size() && tagBytes <= out->size())
        std::copy(tag.begin(), tag.begin() + tagBytes, out->begin());
    return true;
}

}  // namespace brx::tools
