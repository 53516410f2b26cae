#include "tools/musicgen/OggWriter.h"

#include <algorithm>
#include <vorbis/vorbisenc.h>

namespace musicgen
{

namespace
{

void Append(std::vector<uint8_t>& out, const ogg_page& page)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

} // namespace

std::vector<uint8_t> EncodeOggVorbis(const StereoBuffer& buffer, float quality, int serial)
{
    std::vector<uint8_t> out;
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, buffer.Rate(), quality) != 0)
    {
        vorbis_info_clear(&info);
        return out;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", "Orvellan");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
        Append(out, page);

    const std::vector<float>& samples = buffer.Samples();
    const size_t frames = buffer.Frames();
    constexpr size_t kChunk = 4096;
    size_t done = 0;
    bool ended = false;
    while (!ended)
    {
        const size_t count = std::min(kChunk, frames - done);
        if (count == 0)
        {
            vorbis_analysis_wrote(&dsp, 0);
        }
        else
        {
            float** channels = vorbis_analysis_buffer(&dsp, int(count));
            for (size_t i = 0; i < count; ++i)
            {
                channels[0][i] = samples[(done + i) * 2];
                channels[1][i] = samples[(done + i) * 2 + 1];
            }
            vorbis_analysis_wrote(&dsp, int(count));
            done += count;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1)
        {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0)
            {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                {
                    Append(out, page);
                    if (ogg_page_eos(&page) != 0)
                        ended = true;
                }
            }
        }
        if (count == 0 && !ended)
        {
            // The encoder has everything; what it still holds comes out with the end of stream.
            while (ogg_stream_flush(&stream, &page) != 0)
                Append(out, page);
            ended = true;
        }
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

} // namespace musicgen
