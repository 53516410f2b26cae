#include "framework/resources/ImageFile.h"
#include "framework/resources/ImageLib.h"

#include <csetjmp>
#include <png.h>

namespace ImageLib
{

void PngReadCallback(png_structp png, png_bytep data, png_size_t length)
{
    auto* file = static_cast<ImageFile*>(png_get_io_ptr(png));
    if (file->Read(data, length) != length)
        png_error(png, "Read Error");
}

namespace
{

// Readers report nothing: a damaged file just gives no image.
void PngSilentError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void PngSilentWarning(png_structp, png_const_charp) {}

struct PngReadState
{
    ImageFile file;
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::unique_ptr<Image> image;
    std::vector<png_bytep> rows;

    ~PngReadState() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

// Everything libpng can jump out of lives in the state, so a jump skips no destructor.
bool Decode(PngReadState& state)
{
    png_structp png = state.png;
    png_infop info = state.info;
    if (setjmp(png_jmpbuf(png)))
        return false;

    png_set_read_fn(png, &state.file, PngReadCallback);
    png_set_user_limits(png, kMaxImageDimension, kMaxImageDimension);
    png_read_info(png, info);

    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    if (!SizeAllowed(width, height))
        return false;

    png_set_expand(png);
    // Sixteen-bit samples would make rows twice as wide as the pixel array.
    png_set_scale_16(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4)
        return false;

    state.image = Image::Uninitialized(static_cast<int>(width), static_cast<int>(height));
    state.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        state.rows[y] =
            reinterpret_cast<png_bytep>(state.image->GetPixels() + static_cast<size_t>(y) * width);
    png_read_image(png, state.rows.data());
    png_read_end(png, nullptr);
    return true;
}

} // namespace

std::unique_ptr<Image> ReadPngImage(const std::string& fileName)
{
    PngReadState state;
    if (!state.file.Open(fileName))
        return nullptr;
    state.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngSilentError, PngSilentWarning);
    if (!state.png)
        return nullptr;
    state.info = png_create_info_struct(state.png);
    if (!state.info)
        return nullptr;
    if (!Decode(state))
        return nullptr;
    return std::move(state.image);
}

} // namespace ImageLib
