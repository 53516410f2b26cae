#pragma once

#include "platform/RenderDevice.h"

#include <cstdint>
#include <vector>

namespace Quib
{

struct TexturePiece
{
    platform::TextureId mTexture = 0;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
};

// The textures one image is drawn from on the hardware path, cut into pieces the
// device accepts, row by row. The display owns it; the image points to it.
class ImageTextures
{
public:
    std::vector<TexturePiece> mPieces;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    int32_t mColumns = 0;
    int32_t mRows = 0;
    int32_t mPieceWidth = 64;
    int32_t mPieceHeight = 64;
    int32_t mBitsChangedCount = 0;
    // Bytes the textures take, for the application's image report.
    int32_t mTexMemSize = 0;
    float mMaxTotalU = 0.0f;
    float mMaxTotalV = 0.0f;
    uint32_t mFormat = 0; // 0: no textures
    uint32_t mImageFlags = 0;

    const TexturePiece& Piece(int32_t column, int32_t row) const
    {
        return mPieces[size_t(row) * size_t(mColumns) + size_t(column)];
    }
};

} // namespace Quib
