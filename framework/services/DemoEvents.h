#pragma once

namespace Quib
{

// Event codes of the demo stream (mouse flag 0). Stored files depend on them.
namespace DemoCode
{
constexpr int kMoveTo = 0;
constexpr int kActivate = 1;
constexpr int kMinimise = 2;
constexpr int kKeyDown = 3;
constexpr int kKeyUp = 4;
constexpr int kChar = 5;
constexpr int kClose = 6;
constexpr int kMouseEnter = 7;
constexpr int kMouseLeave = 8;
constexpr int kLoadingDone = 9;
constexpr int kRegistryRead = 11;
constexpr int kRegistryWrite = 12;
constexpr int kFileExists = 14;
constexpr int kFileRead = 15;
constexpr int kFileWrite = 16;
constexpr int kHttpResult = 17;
constexpr int kOpaqueBuffer = 18;
constexpr int kWheel = 21;
constexpr int kDisplayMode = 23;
constexpr int kFiller = 31;
} // namespace DemoCode

// Kinds of the mouse events (mouse flag 1).
namespace DemoMouseKind
{
constexpr int kMoveBy = 0;
constexpr int kButton = 1;
} // namespace DemoMouseKind

constexpr int kDemoDeltaBits = 4;
constexpr int kDemoMaxDelta = 15;
constexpr int kDemoCodeBits = 5;
constexpr int kDemoRelativeBits = 6;
constexpr int kDemoCoordinateBits = 12;
constexpr int kDemoClickBits = 3;

} // namespace Quib
