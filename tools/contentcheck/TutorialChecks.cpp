#include "game/play/tutorial/Tutorial.h"
#include "tools/contentcheck/PackChecks.h"
#include "tools/contentcheck/PackFonts.h"

namespace contentcheck
{

namespace
{

// The tutorial writes its first line this far below the frame's top, and
// stands its close button this far above the frame's bottom.
constexpr int kTutorialBaseline = 44, kCloseButtonAboveBottom = 20;

} // namespace

void checkTutorialTexts(const contentgen::ResourceTable& table, Problems& problems)
{
    const contentgen::ResourceEntry* frame = table.find("IMAGE_TUTORIAL_FRAME_SMALL");
    const contentgen::ResourceEntry* button = table.find("IMAGE_BUTTON_MAIN_MENU");
    PackFonts fonts({"Init"});
    Quib::Font* font = fonts.Get("FONT_BUTTON_LABELS");
    if (!frame || !button || !font)
    {
        problems.push_back("the tutorial's frame, close button or font is missing: " +
                           fonts.GetErrorMessage());
        return;
    }
    const int limit = frame->height - button->height - kCloseButtonAboveBottom;
    for (const auto& [key, text] : readPropertyFile(Tutorial::kFileName, "text", problems))
    {
        const int bottom = wrappedBottom(font, text, frame->width - Tutorial::kTextMargin, kTutorialBaseline);
        if (bottom > limit)
            problems.push_back(std::string(Tutorial::kFileName) + ": the text of " + key + " runs " +
                               std::to_string(bottom - limit) + " pixels into the close button");
    }
}

} // namespace contentcheck
