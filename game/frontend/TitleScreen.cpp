#include "game/frontend/TitleScreen.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

TitleScreen::TitleScreen(SharkInterface* app) : mApp(app), mPicture(IMAGE_LEGAL_TITLE) {}

TitleScreen::~TitleScreen()
{
    if (mApp->mResourceManager)
        mApp->mResourceManager->UnloadGroup("LegalScreens");
}

int TitleScreen::LoadingPercent() const
{
    return int(100 * mApp->GetLoadingProgress());
}

std::string TitleScreen::LoadingLine(const std::string& label, int percent)
{
    return label + std::string(size_t(percent / 16 % 4), '.');
}

void TitleScreen::UpdateFraction(float)
{
    ++mUpdateCount;
    const int percent = LoadingPercent();
    switch (mState)
    {
    case STATE_FADING_IN:
        mAlpha += 4;
        if (mAlpha > 254)
        {
            mAlpha = 255;
            mState = STATE_HOLDING;
            mUpdateCount = 0;
        }
        break;
    case STATE_HOLDING:
        if (mUpdateCount > 200 && percent == 100)
            mState = STATE_FADING_OUT;
        break;
    case STATE_FADING_OUT:
        mAlpha -= 4;
        if (mAlpha < 0)
        {
            mAlpha = 0;
            AdvancePicture();
        }
        break;
    default:
        break;
    }
    if (mState == STATE_FINISHED && percent == 100)
    {
        mApp->mWidgetManager->RemoveChild(this);
        mApp->DeferWidgetDelete(this);
        mApp->OnTitleScreenFinished();
    }
}

void TitleScreen::AdvancePicture()
{
    if (mPicture == IMAGE_LEGAL_PUBLISHER)
    {
        mState = STATE_FINISHED;
    }
    else if (mPicture == IMAGE_LEGAL_TITLE)
    {
        mPicture = IMAGE_LEGAL_PUBLISHER;
        mState = STATE_FADING_IN;
    }
}

void TitleScreen::OnMouseButtonDown(int, int, int button, int)
{
    if (button != 0 || LoadingPercent() < 100 || mState == STATE_FINISHED)
        return;
    mAlpha = 0;
    AdvancePicture();
}

void TitleScreen::Draw(Quib::Graphics* g)
{
    g->SetColor(Quib::Color(0, 0, 0));
    g->FillRect(0, 0, 800, 600);
    if (mPicture != nullptr)
    {
        g->SetTintImages(true);
        g->SetColor(Quib::Color(255, 255, 255, mAlpha));
        g->DrawImage(mPicture, int((800.0 - mPicture->GetWidth()) / 2),
                     int((600.0 - mPicture->GetHeight()) / 2));
        g->SetTintImages(false);
    }
    const int percent = LoadingPercent();
    if (mPicture != IMAGE_LEGAL_TITLE || percent >= 100 || FONT_BUTTON_LABELS == nullptr)
        return;
    const std::string label = StringTable::GetInstance().Lookup("LBL_LOADING");
    const int width = FONT_BUTTON_LABELS->GetStringWidth(label);
    g->SetFont(FONT_BUTTON_LABELS);
    g->SetColor(Quib::Color(0, 0, 0));
    g->DrawString(LoadingLine(label, percent), 400 - width / 2, 570);
}
