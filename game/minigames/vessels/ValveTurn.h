#pragma once

// A tank valve's turn: opening goes to -90 degrees, closing back to 0, 18
// degrees every second update. A turning valve takes no clicks.
class ValveTurn
{
public:
    static constexpr float kOpen = -90.0f;

    void Open() { mState = State::Opening; }
    void Close() { mState = State::Closing; }
    void Update();

    bool IsStill() const { return mState == State::Still; }
    float GetAngle() const { return mAngle; }

private:
    enum class State
    {
        Still,
        Opening,
        Closing
    };
    State mState = State::Still;
    float mAngle = 0.0f;
    int mTick = 0;
};
