#include "framework/services/ImageReport.h"

#include "framework/foundation/Paths.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ImageLib.h"
#include "platform/Files.h"

#include <algorithm>
#include <cstdio>

namespace Quib
{
namespace
{

constexpr int kThumbnailSize = 64;

// Thousands separators over 64 bits: the sum over all images can pass 2^31.
std::string grouped(int64_t number)
{
    std::string digits = std::to_string(number < 0 ? 0 : number);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i)
    {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

std::string cell(const std::string& label, int64_t figure)
{
    return "<TD>" + (figure == 0 ? std::string("&nbsp;") : label + "<BR>" + grouped(figure)) + "</TD>\n";
}

std::string flagCell(const char* label, bool on)
{
    return std::string("<TD>") + (on ? label : "&nbsp;") + "</TD>\n";
}

std::string numbered(const char* pattern, int number)
{
    char text[32];
    std::snprintf(text, sizeof(text), pattern, number);
    return text;
}

} // namespace

ImageReportRow MeasureImage(const MemoryImage& image, const TextureMeasure& textures)
{
    ImageReportRow row;
    row.mWidth = image.GetWidth();
    row.mHeight = image.GetHeight();
    const int64_t n = int64_t(std::max(0, row.mWidth)) * std::max(0, row.mHeight);
    ImageMemoryFigures& figures = row.mFigures;
    if (image.mBits)
        figures.mPixels = 4 * n;
    if (const auto* dd = dynamic_cast<const DDImage*>(&image); dd && dd->mSurface)
        figures.mSurface = 4 * n;
    if (image.mPalette)
        figures.mPalette = n + 1024;
    if (image.mNativeAlphaData)
        figures.mNativeAlpha = image.mPalette ? 1024 : 4 * n;
    if (image.mRLAlphaData)
        figures.mRLAlpha = n;
    if (image.mRLAdditiveData)
        figures.mRLAdditive = n;
    if (image.mTextures && textures)
        textures(image, figures.mTextures, figures.mTextureFormat);
    row.mVolatile = image.mVolatile;
    row.mForced = image.mForced;
    row.mHasAlpha = image.mHasAlpha;
    row.mHasTrans = image.mHasTrans;
    row.mFileName = image.mPath;
    return row;
}

std::string BuildImageReportHtml(const std::vector<ImageReportRow>& rows, const std::string& dateText)
{
    ImageMemoryFigures totals;
    int64_t grandTotal = 0;
    for (const ImageReportRow& row : rows)
    {
        const ImageMemoryFigures& f = row.mFigures;
        grandTotal += f.Total();
        totals.mPixels += f.mPixels;
        totals.mPalette += f.mPalette;
        totals.mSurface += f.mSurface;
        totals.mTextures += f.mTextures;
        totals.mNativeAlpha += f.mNativeAlpha;
        totals.mRLAlpha += f.mRLAlpha;
        totals.mRLAdditive += f.mRLAdditive;
    }

    std::string html =
        "<HTML><BODY BGCOLOR=EEEEFF><CENTER><FONT SIZE=+2><B>" + dateText + "</B></FONT><BR>\n";
    html += "Total Image Allocation: " + grouped(grandTotal) + " bytes<BR>\n";
    html += "<TABLE BORDER=1 CELLSPACING=0 CELLPADDING=4>\n";
    for (size_t i = 0; i < rows.size(); ++i)
    {
        const ImageReportRow& row = rows[i];
        const ImageMemoryFigures& f = row.mFigures;
        const int number = int(i);
        html += "<TR>\n";
        html += "<TD><A HREF=" + numbered("img%04d.png", number) +
                "><IMG SRC=" + numbered("thumb%04d.jpg", number) + " WIDTH=64 HEIGHT=64></A></TD>\n";
        html += "<TD ALIGN=RIGHT>" + std::to_string(row.mWidth) + " x " + std::to_string(row.mHeight) +
                "<BR>" + grouped(f.Total()) + " bytes</TD>\n";
        html += cell("mBits", f.mPixels);
        html += cell("Palletized", f.mPalette);
        html += cell("DDSurface", f.mSurface);
        html += cell("Texture<BR>" + f.mTextureFormat, f.mTextures);
        html += flagCell("Volatile", row.mVolatile);
        html += flagCell("Forced", row.mForced);
        html += flagCell("HasAlpha", row.mHasAlpha);
        html += flagCell("HasTrans", row.mHasTrans);
        html += cell("NativeAlpha", f.mNativeAlpha);
        html += cell("RLAlpha", f.mRLAlpha);
        html += cell("RLAdditive", f.mRLAdditive);
        html += "<TD>" + (row.mFileName.empty() ? std::string("&nbsp;") : row.mFileName) + "</TD>\n";
        html += "</TR>\n";
    }
    html += "<TD>Totals</TD>\n";
    for (int64_t figure : {grandTotal, totals.mPixels, totals.mPalette, totals.mSurface, totals.mTextures})
        html += "<TD>" + grouped(figure) + "</TD>\n";
    for (int i = 0; i < 4; ++i)
        html += "<TD>&nbsp;</TD>\n";
    for (int64_t figure : {totals.mNativeAlpha, totals.mRLAlpha, totals.mRLAdditive})
        html += "<TD>" + grouped(figure) + "</TD>\n";
    html += "<TD>&nbsp;</TD>\n";
    html += "</TABLE></CENTER></BODY></HTML>\n";
    return html;
}

ImageLib::Image MakeThumbnail(const uint32_t* pixels, int width, int height)
{
    ImageLib::Image thumbnail(kThumbnailSize, kThumbnailSize);
    if (!pixels || width <= 0 || height <= 0)
        return thumbnail;
    for (int y = 0; y < kThumbnailSize; ++y)
    {
        const int sourceY = int((y + 0.5) * height) / kThumbnailSize;
        for (int x = 0; x < kThumbnailSize; ++x)
        {
            const int sourceX = int((x + 0.5) * width) / kThumbnailSize;
            thumbnail.mBits[size_t(y) * kThumbnailSize + size_t(x)] =
                pixels[size_t(sourceY) * size_t(width) + size_t(sourceX)];
        }
    }
    return thumbnail;
}

bool WriteImageReport(const std::string& folder, const std::vector<MemoryImage*>& images,
                      const TextureMeasure& textures, const std::string& dateText)
{
    DeleteDirectoryTree(folder);
    MakeDirectories(folder);
    const std::string base = EnsurePathSeparator(folder);

    std::vector<std::pair<ImageReportRow, MemoryImage*>> measured;
    for (MemoryImage* image : images)
        measured.emplace_back(MeasureImage(*image, textures), image);
    std::stable_sort(measured.begin(), measured.end(),
                     [](const auto& a, const auto& b)
                     { return a.first.mFigures.Total() > b.first.mFigures.Total(); });
    std::vector<ImageReportRow> rows;
    for (const auto& entry : measured)
        rows.push_back(entry.first);

    const std::string html = BuildImageReportHtml(rows, dateText);
    if (!platform::writeFileAtomic(platform::nativePath(base + "imagelist.html"), html.data(), html.size()))
        return false;
    for (size_t i = 0; i < measured.size(); ++i)
    {
        MemoryImage copy(*measured[i].second);
        const uint32_t* bits = copy.GetBits();
        const int width = copy.GetWidth();
        const int height = copy.GetHeight();
        if (!bits || width <= 0 || height <= 0)
            continue;
        ImageLib::SaveJpegFile(base + numbered("thumb%04d.jpg", int(i)), MakeThumbnail(bits, width, height));
        ImageLib::Image full(width, height);
        std::copy(bits, bits + size_t(width) * size_t(height), full.mBits.begin());
        ImageLib::SavePngFile(base + numbered("img%04d.png", int(i)), full);
    }
    return true;
}

} // namespace Quib
