#include "framework/resources/ImageLib.h"
#include "platform/Files.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <png.h>

namespace ImageLib
{

namespace
{

bool HasPixels(const Image& image)
{
    return image.mWidth > 0 && image.mHeight > 0 &&
           image.mBits.size() == static_cast<size_t>(image.mWidth) * static_cast<size_t>(image.mHeight);
}

void PngWriteToMemory(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void PngFlushNothing(png_structp) {}

void PngWriteError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void PngWriteWarning(png_structp, png_const_charp) {}

struct PngWriteState
{
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<unsigned char> bytes;

    ~PngWriteState() { png_destroy_write_struct(&png, info ? &info : nullptr); }
};

bool EncodePng(PngWriteState& state, const Image& image)
{
    png_structp png = state.png;
    png_infop info = state.info;
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, &state.bytes, PngWriteToMemory, PngFlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.mWidth), static_cast<png_uint_32>(image.mHeight),
                 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color_8 significant{8, 8, 8, 8, 8};
    png_set_sBIT(png, info, &significant);
    png_write_info(png, info);
    // In memory a pixel's bytes run blue, green, red, alpha.
    png_set_bgr(png);
    for (int y = 0; y < image.mHeight; ++y)
    {
        auto* row = reinterpret_cast<png_bytep>(const_cast<uint32_t*>(image.GetPixels()) +
                                                static_cast<size_t>(y) * image.mWidth);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

struct JpegWriteError
{
    jpeg_error_mgr manager;
    jmp_buf jump;
};

void JpegWriteErrorExit(j_common_ptr info)
{
    longjmp(reinterpret_cast<JpegWriteError*>(info->err)->jump, 1);
}

struct JpegWriteState
{
    jpeg_compress_struct info{};
    JpegWriteError error{};
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    std::vector<JSAMPLE> row;

    ~JpegWriteState()
    {
        jpeg_destroy_compress(&info);
        std::free(bytes);
    }
};

bool EncodeJpeg(JpegWriteState& state, const Image& image)
{
    j_compress_ptr info = &state.info;
    if (setjmp(state.error.jump))
        return false;
    jpeg_create_compress(info);
    jpeg_mem_dest(info, &state.bytes, &state.size);
    info->image_width = static_cast<JDIMENSION>(image.mWidth);
    info->image_height = static_cast<JDIMENSION>(image.mHeight);
    info->input_components = 3;
    info->in_color_space = JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, 80, TRUE);
    jpeg_start_compress(info, TRUE);
    state.row.resize(static_cast<size_t>(image.mWidth) * 3);
    JSAMPROW rowPointer = state.row.data();
    for (int y = 0; y < image.mHeight; ++y)
    {
        const uint32_t* in = image.GetPixels() + static_cast<size_t>(y) * image.mWidth;
        for (int x = 0; x < image.mWidth; ++x)
        {
            state.row[x * 3] = static_cast<JSAMPLE>(in[x] >> 16);
            state.row[x * 3 + 1] = static_cast<JSAMPLE>(in[x] >> 8);
            state.row[x * 3 + 2] = static_cast<JSAMPLE>(in[x]);
        }
        jpeg_write_scanlines(info, &rowPointer, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

} // namespace

bool SavePngFile(const std::string& fileName, const Image& image)
{
    if (!HasPixels(image))
        return false;
    PngWriteState state;
    state.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngWriteError, PngWriteWarning);
    if (!state.png)
        return false;
    state.info = png_create_info_struct(state.png);
    if (!state.info || !EncodePng(state, image))
        return false;
    return platform::writeFile(platform::slashPath(fileName), state.bytes.data(), state.bytes.size());
}

bool SaveJpegFile(const std::string& fileName, const Image& image)
{
    if (!HasPixels(image))
        return false;
    JpegWriteState state;
    state.info.err = jpeg_std_error(&state.error.manager);
    state.error.manager.error_exit = JpegWriteErrorExit;
    if (!EncodeJpeg(state, image))
        return false;
    return platform::writeFile(platform::slashPath(fileName), state.bytes, state.size);
}

} // namespace ImageLib
