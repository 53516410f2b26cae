#pragma once

#include <cstdint>

// The scene screen as the diary sees it: it asks for the diary's tutorial and
// gives the scene its diary button back when the book has closed.
class DiaryOwner
{
public:
    virtual ~DiaryOwner() = default;
    // True when the tutorial was shown (pushed over the diary).
    virtual bool ShowTutorial(int n, int32_t argument) = 0;
    virtual void ShowDiaryButton() = 0;
};
