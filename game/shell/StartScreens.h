#pragma once

#include <functional>

namespace Quib
{
class Widget;
}

class ScreenBase;
class SharkInterface;

// The first screens the application shows: the title while the big group
// loads, then the intro. They belong to the front end, which builds on this
// shell, so the program entry hands their makers to the application.
struct StartScreens
{
    std::function<Quib::Widget*(SharkInterface&)> mMakeTitle;
    std::function<ScreenBase*(SharkInterface&)> mMakeIntro;
};
