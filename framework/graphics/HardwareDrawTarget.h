#pragma once

namespace Quib
{

// Implemented by destination images that may draw through the hardware path, so
// that the drawing context can send sub-pixel transforms there as one matrix draw.
class HardwareDrawTarget
{
public:
    virtual ~HardwareDrawTarget() = default;
    virtual bool IsDrawnThrough3D() const = 0;
};

} // namespace Quib
