#include "game/frontend/MainMenu.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/MusicInterface.h"
#include "game/shell/MusicTracks.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"

void MainMenu::OnEntered(GameStateStack* stack)
{
    ScreenBase::OnEntered(stack);
    Quib::MusicInterface* music = SharkInterface::GetInstance()->mMusicInterface.get();
    if (music != nullptr && !music->IsTrackPlaying(MUSIC_MAIN_THEME))
        FadeInMusic(MUSIC_MAIN_THEME);
}

void MainMenu::Draw(Quib::Graphics* g)
{
    g->DrawImage(IMAGE_MAIN_MENU_BACK_FULL, 0, 0);
    g->DrawImage(IMAGE_MAIN_MENU_TITLE, (800 - IMAGE_MAIN_MENU_TITLE->GetWidth()) / 2, 40);
}
