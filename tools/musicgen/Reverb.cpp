#include "tools/musicgen/Reverb.h"

#include <vector>

namespace musicgen
{

namespace
{

class Comb
{
public:
    Comb(size_t length, float feedback) : mLine(length, 0.0f), mFeedback(feedback) {}
    float Process(float input)
    {
        const float out = mLine[mAt];
        mLine[mAt] = input + out * mFeedback;
        mAt = (mAt + 1) % mLine.size();
        return out;
    }

private:
    std::vector<float> mLine;
    float mFeedback;
    size_t mAt = 0;
};

class AllPass
{
public:
    explicit AllPass(size_t length) : mLine(length, 0.0f) {}
    float Process(float input)
    {
        const float delayed = mLine[mAt];
        const float out = delayed - 0.5f * input;
        mLine[mAt] = input + 0.5f * delayed;
        mAt = (mAt + 1) % mLine.size();
        return out;
    }

private:
    std::vector<float> mLine;
    size_t mAt = 0;
};

struct Room
{
    std::vector<Comb> combs;
    std::vector<AllPass> diffusers;

    float Process(float input)
    {
        float sum = 0.0f;
        for (Comb& comb : combs)
            sum += comb.Process(input);
        for (AllPass& diffuser : diffusers)
            sum = diffuser.Process(sum);
        return sum * 0.25f;
    }
};

Room MakeRoom(int rate, double spread)
{
    Room room;
    for (double ms : {29.7, 37.1, 41.1, 43.7})
        room.combs.emplace_back(size_t((ms + spread) * rate / 1000.0), 0.8f);
    for (double ms : {5.0, 1.7})
        room.diffusers.emplace_back(size_t((ms + spread * 0.1) * rate / 1000.0));
    return room;
}

} // namespace

void AddReverb(StereoBuffer& buffer, float wet)
{
    Room left = MakeRoom(buffer.Rate(), 0.0);
    Room right = MakeRoom(buffer.Rate(), 1.3);
    std::vector<float>& samples = buffer.Samples();
    const size_t frames = buffer.Frames();
    std::vector<float> dry = samples;
    const int passes = buffer.Looping() ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass)
    {
        const bool keep = pass + 1 == passes;
        for (size_t i = 0; i < frames; ++i)
        {
            const float mono = (dry[i * 2] + dry[i * 2 + 1]) * 0.5f;
            const float l = left.Process(mono);
            const float r = right.Process(mono);
            if (keep)
            {
                samples[i * 2] = dry[i * 2] + wet * l;
                samples[i * 2 + 1] = dry[i * 2 + 1] + wet * r;
            }
        }
    }
}

} // namespace musicgen
