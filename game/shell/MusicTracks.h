#pragma once

// The music interface's track ids and their files.
enum MusicTrack : int
{
    MUSIC_MAIN_THEME = 0,
    MUSIC_GAMEPLAY_SCENE_1 = 1,
    MUSIC_GAMEPLAY_SCENE_2 = 2,
    MUSIC_GAMEPLAY_SCENE_3 = 3,
    MUSIC_GAMEPLAY_SCENE_4 = 4,
    MUSIC_GAMEPLAY_SCENE_5 = 5,
    MUSIC_GAMEPLAY_SCENE_6 = 6,
    MUSIC_INTRO_VOICEOVER = 7,
};

inline constexpr const char* kMusicTrackFiles[] = {
    "Music\\MainTheme.ogg",       "Music\\Gameplay_Scene1.ogg", "Music\\Gameplay_Scene2.ogg",
    "Music\\Gameplay_Scene3.ogg", "Music\\Gameplay_Scene4.ogg", "Music\\Gameplay_Scene5.ogg",
    "Music\\Gameplay_Scene6.ogg", "Music\\Intro_voiceover.ogg",
};
