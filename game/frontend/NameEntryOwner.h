#pragma once

// The screen that opens the name entry: it shows the profiles' names as lines,
// tells which one is chosen for a rename, and shows the names again once a
// profile was made or renamed.
class NameEntryOwner
{
public:
    virtual ~NameEntryOwner() = default;

    virtual int GetSelectedLine() const = 0;
    virtual int GetProfileLineCount() const = 0;
    // Fills the lines again from the profile list.
    virtual void RefreshList() = 0;
    // Selects the line and scrolls so that it shows.
    virtual void SelectLine(int line) = 0;
};
