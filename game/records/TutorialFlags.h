#pragma once

#include "framework/foundation/Buffer.h"

#include <array>

// Which tutorials this profile has seen: 0 is the level map's, 1 to 11 the
// scene screen's and the diary's. A seen tutorial is never shown again.
struct TutorialFlags
{
    static constexpr int kCount = 12;

    std::array<bool, kCount> mFlags{};

    bool IsSet(int index) const;
    void Set(int index);
    void ClearAll();

    // Flags beyond the twelve in a damaged file are read and dropped.
    void Read(Quib::Buffer& buffer);
    void Write(Quib::Buffer& buffer) const;

    bool operator==(const TutorialFlags&) const = default;
};
