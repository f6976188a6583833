#include "tools/audio/OggEncoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace brx::tools {
namespace {

constexpr int kChunkFrames = 4096;
constexpr int kStreamSerial = 0x42525831;

// The libvorbis objects of one encode, released together.
struct VorbisSession {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool analysisReady = false;

    VorbisSession() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~VorbisSession() {
        if (analysisReady) {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    VorbisSession(const VorbisSession&) = delete;
    VorbisSession& operator=(const VorbisSession&) = delete;
};

void appendPage(const ogg_page& page, std::vector<uint8_t>* out) {
    out->insert(out->end(), page.header, page.header + page.header_len);
    out->insert(out->end(), page.body, page.body + page.body_len);
}

bool start(VorbisSession& session, const AudioBuffer& buffer, float quality,
           std::vector<uint8_t>* out) {
    if (vorbis_encode_init_vbr(&session.info, buffer.channels(), buffer.sampleRateHz(), quality) !=
        0)
        return false;
    vorbis_analysis_init(&session.dsp, &session.info);
    vorbis_block_init(&session.dsp, &session.block);
    ogg_stream_init(&session.stream, kStreamSerial);
    session.analysisReady = true;
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&session.dsp, &session.comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&session.stream, &header);
    ogg_stream_packetin(&session.stream, &commentHeader);
    ogg_stream_packetin(&session.stream, &codeHeader);
    ogg_page page;
    while (ogg_stream_flush(&session.stream, &page) != 0) appendPage(page, out);
    return true;
}

// Moves every finished block through the encoder into pages.
void drain(VorbisSession& session, std::vector<uint8_t>* out) {
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&session.dsp, &session.block) == 1) {
        vorbis_analysis(&session.block, nullptr);
        vorbis_bitrate_addblock(&session.block);
        while (vorbis_bitrate_flushpacket(&session.dsp, &packet) == 1) {
            ogg_stream_packetin(&session.stream, &packet);
            while (ogg_stream_pageout(&session.stream, &page) != 0) appendPage(page, out);
        }
    }
}

}  // namespace

bool encodeOgg(const AudioBuffer& buffer, float quality, std::vector<uint8_t>* out,
               std::string* error) {
    out->clear();
    VorbisSession session;
    if (buffer.channels() < 1 || !start(session, buffer, quality, out)) {
        *error = "libvorbis rejected the encoder settings";
        return false;
    }
    const int channels = buffer.channels();
    for (size_t first = 0; first < buffer.frames(); first += kChunkFrames) {
        const size_t frames = std::min<size_t>(kChunkFrames, buffer.frames() - first);
        float** planes = vorbis_analysis_buffer(&session.dsp, int(frames));
        for (size_t f = 0; f < frames; ++f)
            for (int c = 0; c < channels; ++c) planes[c][f] = buffer.at(first + f, c);
        vorbis_analysis_wrote(&session.dsp, int(frames));
        drain(session, out);
    }
    vorbis_analysis_wrote(&session.dsp, 0);  // end of stream
    drain(session, out);
    return true;
}

}  // namespace brx::tools
