#pragma once

#include <functional>
#include <string>

class ScreenBase;
class SandboxWidget;
class SceneMapLink;

// The screens the level map opens over itself. The scene screen, the story
// scenes and the letters belong to folders of their own; the map reaches them
// through these makers, so that a test can put recording stand-ins in their
// place. A maker that is missing or makes nothing lets the map go on at once,
// as if the screen had been shown and closed.
struct MapScreenMakers
{
    // The screen of one visit of the scene, linked to the map and to the playfield it keeps.
    std::function<ScreenBase*(SceneMapLink& map, SandboxWidget& playfield)> mMakeScene;
    // The story scene of the name; with the envelope rising as decoration.
    std::function<ScreenBase*(const std::string& name, bool withEnvelope)> mMakeStory;
    // The letter with the string-table key of its text.
    std::function<ScreenBase*(const std::string& textKey)> mMakeLetter;
};

// The makers every map uses.
MapScreenMakers& GetMapScreenMakers();
