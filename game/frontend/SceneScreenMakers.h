#pragma once

// Registers the front-end screens a scene opens: the pause menu and, at the
// end of the game, the high-score screen.
void RegisterFrontEndSceneScreens();
