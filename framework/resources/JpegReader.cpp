#include "framework/resources/ImageFile.h"
#include "framework/resources/ImageLib.h"

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>

namespace ImageLib
{

namespace
{

constexpr size_t kJpegBufferSize = 4096;
// A progressive file may declare scan after scan; no real picture needs this many.
constexpr int kMaxJpegScans = 500;
constexpr long kMaxJpegMemory = 512L * 1024 * 1024;

struct JpegError
{
    jpeg_error_mgr manager;
    jmp_buf jump;
};

struct JpegSource
{
    jpeg_source_mgr manager;
    ImageFile* file;
    JOCTET* buffer;
    bool startOfFile;
};

void JpegSilentOutput(j_common_ptr) {}

int64_t CeilDiv(int64_t a, int64_t b)
{
    return (a + b - 1) / b;
}

// The 8 x 8 blocks a component of the picture holds, as a scan of it alone codes them.
int64_t ComponentBlocks(const jpeg_decompress_struct& info, const jpeg_component_info& component)
{
    const int64_t maxH = std::max(info.max_h_samp_factor, 1);
    const int64_t maxV = std::max(info.max_v_samp_factor, 1);
    return CeilDiv(CeilDiv(int64_t(info.image_width) * component.h_samp_factor, maxH), 8) *
           CeilDiv(CeilDiv(int64_t(info.image_height) * component.v_samp_factor, maxV), 8);
}

// A header whose size the rest of the file cannot fill is a lie; believing it
// would cost the whole picture's memory and decoding time for a few bytes.
// With Huffman coding every block of a sequential scan takes at least two bits
// (a DC code and an end-of-block code) for each component of the scan; the
// first scan of a progressive picture holds at least a one-bit DC code for each
// block. Arithmetic coding can take less than a bit for a block: there every
// coded unit takes at least one bit.
bool DataCanFill(const jpeg_decompress_struct& info, int64_t scanBytes)
{
    int64_t bits = 0;
    if (info.arith_code)
    {
        const int64_t unitWidth = 8 * int64_t(std::max(info.max_h_samp_factor, 1));
        const int64_t unitHeight = 8 * int64_t(std::max(info.max_v_samp_factor, 1));
        bits = CeilDiv(info.image_width, unitWidth) * CeilDiv(info.image_height, unitHeight);
    }
    else
    {
        const int64_t blockBits = info.progressive_mode ? 1 : 2;
        for (int i = 0; i < info.comps_in_scan; ++i)
            bits += blockBits * ComponentBlocks(info, *info.cur_comp_info[i]);
    }
    return scanBytes * 8 >= bits;
}

void JpegLimitScans(j_common_ptr info)
{
    auto* decompressor = reinterpret_cast<j_decompress_ptr>(info);
    if (decompressor->input_scan_number > kMaxJpegScans)
        ERREXIT(info, JERR_NOTIMPL);
}

} // namespace

void JpegErrorExit(j_common_ptr info)
{
    (*info->err->output_message)(info);
    longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void JpegSourceInit(j_decompress_ptr info)
{
    reinterpret_cast<JpegSource*>(info->src)->startOfFile = true;
}

boolean JpegSourceFill(j_decompress_ptr info)
{
    auto* source = reinterpret_cast<JpegSource*>(info->src);
    size_t count = source->file->Read(source->buffer, kJpegBufferSize);
    if (count == 0)
    {
        if (source->startOfFile)
            ERREXIT(info, JERR_INPUT_EMPTY);
        WARNMS(info, JWRN_JPEG_EOF);
        // A truncated file still ends: the decoder is handed an end-of-image marker.
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    }
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = count;
    source->startOfFile = false;
    return TRUE;
}

void JpegSourceSkip(j_decompress_ptr info, long count)
{
    jpeg_source_mgr* source = info->src;
    if (count <= 0)
        return;
    while (count > static_cast<long>(source->bytes_in_buffer))
    {
        count -= static_cast<long>(source->bytes_in_buffer);
        JpegSourceFill(info);
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<size_t>(count);
}

void JpegSourceTerminate(j_decompress_ptr) {}

void JpegUseFile(j_decompress_ptr info, ImageFile* file)
{
    if (!info->src)
    {
        auto* source = static_cast<JpegSource*>((*info->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(JpegSource)));
        source->buffer = static_cast<JOCTET*>((*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info),
                                                                        JPOOL_PERMANENT, kJpegBufferSize));
        info->src = &source->manager;
    }
    auto* source = reinterpret_cast<JpegSource*>(info->src);
    source->manager.init_source = JpegSourceInit;
    source->manager.fill_input_buffer = JpegSourceFill;
    source->manager.skip_input_data = JpegSourceSkip;
    source->manager.resync_to_restart = jpeg_resync_to_restart;
    source->manager.term_source = JpegSourceTerminate;
    source->manager.bytes_in_buffer = 0;
    source->manager.next_input_byte = nullptr;
    source->file = file;
}

namespace
{

struct JpegReadState
{
    ImageFile file;
    jpeg_decompress_struct info{};
    JpegError error{};
    jpeg_progress_mgr progress{};
    std::unique_ptr<Image> image;
    std::vector<JSAMPLE> row;

    ~JpegReadState() { jpeg_destroy_decompress(&info); }
};

void StoreRow(const JSAMPLE* in, int components, bool invertedInk, uint32_t* out, int width)
{
    if (components == 1)
    {
        for (int x = 0; x < width; ++x)
            out[x] = 0xFF000000u + in[x] * 0x010101u;
        return;
    }
    if (components == 3)
    {
        for (int x = 0; x < width; ++x, in += 3)
            out[x] = 0xFF000000u | uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | in[2];
        return;
    }
    // Ink amounts times the black channel; most writers store the inks inverted.
    const uint32_t flip = invertedInk ? 0 : 255;
    for (int x = 0; x < width; ++x, in += 4)
    {
        uint32_t k = in[3] ^ flip;
        uint32_t r = (in[0] ^ flip) * k / 255;
        uint32_t g = (in[1] ^ flip) * k / 255;
        uint32_t b = (in[2] ^ flip) * k / 255;
        out[x] = 0xFF000000u | r << 16 | g << 8 | b;
    }
}

// Everything libjpeg can jump out of lives in the state, so a jump skips no destructor.
bool Decode(JpegReadState& state)
{
    j_decompress_ptr info = &state.info;
    if (setjmp(state.error.jump))
        return false;

    jpeg_create_decompress(info);
    info->mem->max_memory_to_use = kMaxJpegMemory;
    state.progress.progress_monitor = JpegLimitScans;
    info->progress = &state.progress;
    JpegUseFile(info, &state.file);
    jpeg_read_header(info, TRUE);
    if (!SizeAllowed(info->image_width, info->image_height) ||
        !DataCanFill(*info, int64_t(info->src->bytes_in_buffer) + state.file.Remaining()))
        return false;
    // Colour pictures come out of the decoder as whole opaque pixels in memory order,
    // written straight into the image without a row to convert.
    const bool wholePixels = info->out_color_space == JCS_RGB;
    if (wholePixels)
        info->out_color_space = std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    jpeg_start_decompress(info);

    int components = info->output_components;
    if (components != 1 && components != 3 && components != 4)
        return false;
    if (wholePixels && components != 4)
        return false;
    int width = static_cast<int>(info->output_width);
    int height = static_cast<int>(info->output_height);
    if (!SizeAllowed(width, height))
        return false;
    bool invertedInk = info->saw_Adobe_marker;

    state.image = Image::Uninitialized(width, height);
    if (wholePixels)
    {
        for (int y = 0; y < height; ++y)
        {
            auto rowPointer =
                reinterpret_cast<JSAMPROW>(state.image->GetPixels() + static_cast<size_t>(y) * width);
            if (jpeg_read_scanlines(info, &rowPointer, 1) != 1)
                return false;
        }
        jpeg_finish_decompress(info);
        return true;
    }
    state.row.resize(static_cast<size_t>(width) * components);
    JSAMPROW rowPointer = state.row.data();
    for (int y = 0; y < height; ++y)
    {
        if (jpeg_read_scanlines(info, &rowPointer, 1) != 1)
            return false;
        StoreRow(state.row.data(), components, invertedInk,
                 state.image->GetPixels() + static_cast<size_t>(y) * width, width);
    }
    jpeg_finish_decompress(info);
    return true;
}

} // namespace

std::unique_ptr<Image> ReadJpegImage(const std::string& fileName)
{
    JpegReadState state;
    if (!state.file.Open(fileName))
        return nullptr;
    state.info.err = jpeg_std_error(&state.error.manager);
    state.error.manager.error_exit = JpegErrorExit;
    state.error.manager.output_message = JpegSilentOutput;
    if (!Decode(state))
        return nullptr;
    return std::move(state.image);
}

} // namespace ImageLib
