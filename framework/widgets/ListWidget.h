#pragma once

#include "framework/widgets/ScrollListener.h"
#include "framework/widgets/Widget.h"

#include <string>
#include <vector>

namespace Quib
{

class Font;
class ListListener;
class ScrollbarWidget;

// A list box of coloured text lines with a highlighted line that follows the
// mouse and a selected line set by the program. Lists chained through their
// parent and child links form the columns of one table and change together.
class ListWidget : public Widget, public ScrollListener
{
public:
    enum ColorIndex
    {
        COLOR_BKG = 0,
        COLOR_OUTLINE = 1,
        COLOR_TEXT = 2,
        COLOR_HILITE = 3,
        COLOR_SELECT = 4,
        COLOR_SELECT_TEXT = 5,
    };

    ListWidget(Font* font, ListListener* listener);

    void OnDetached(WidgetManager* manager) override;
    void Draw(Graphics* g) override;
    void OnZOrderChanged() override;
    void Resize(int x, int y, int width, int height) override;
    void OnMouseLeave() override;
    void OnMouseMove(int x, int y) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnMouseWheel(int steps) override;

    virtual std::string GetSortKey(int index) const;
    virtual void SortLines(bool ascending);
    virtual std::string GetLineText(int index) const;
    virtual int AddLine(const std::string& text, bool sorted);
    virtual void SetLineText(int index, const std::string& text);
    virtual int GetLineCount() const;
    virtual int FindLine(const std::string& text) const;
    virtual void SetLineColorByText(const std::string& text, const Color& color);
    virtual void SetLineColor(int index, const Color& color);
    virtual void RemoveLine(int index);
    virtual void RemoveAllLines();
    virtual int GetOptimalWidth() const;
    virtual int GetOptimalHeight() const;
    virtual void SetSelection(int index);

    void OnScroll(int id, double position) override;

    int mId = 1;
    Font* mFont;
    ScrollbarWidget* mScrollbar = nullptr;
    int mJustify = 0;
    std::vector<std::string> mLines;
    std::vector<Color> mLineColors;
    double mPosition = 0.0;
    double mPageSize = 0.0;
    int mHiliteIdx = -1;
    int mSelectIdx = -1;
    ListListener* mListener;
    ListWidget* mParentList = nullptr;
    ListWidget* mChildList = nullptr;
    bool mSortFromChild = false;
    bool mDrawOutline = true;
    int mMaxNumericPlaces = 0;
    int mItemHeight = -1;
    bool mDrawSelectWhenHilited = false;
    bool mDoFingerWhenHilited = true;

private:
    std::vector<ListWidget*> Chain();
    int LineHeight() const;
    bool IsValidIndex(int index) const { return index >= 0 && size_t(index) < mLines.size(); }
    void SetHilite(int index);
    void SelectCursor(int cursor);
};

} // namespace Quib
