#pragma once

// Registers the screens a scene opens that the scene screen cannot build
// itself: the pause menu, the diary, the tutorials and, at the end of the
// game, the high-score screen.
void RegisterFrontEndSceneScreens();
