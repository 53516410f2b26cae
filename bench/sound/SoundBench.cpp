// Mixing cost per second of audio, and Ogg Vorbis decoding through the
// project's readers against a plain decoder loop on the same file.
#include "bench/BenchRounds.h"
#include "framework/resources/OggSound.h"
#include "framework/resources/SoundFile.h"
#include "platform/Mixer.h"
#include "platform/MusicStream.h"
#include "platform/OggDecoder.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <tremor/ivorbisfile.h>

namespace
{

// Long test files are made at run time so that none is committed.
std::string musicFile()
{
    static const std::string path = []
    {
        const auto file = std::filesystem::temp_directory_path() / "orvellan-bench-music.ogg";
        if (!std::filesystem::exists(file))
        {
            const std::string command = "sox -n -r 44100 -c 2 '" + file.string() +
                                        "' synth 60 sine 220 sine 330 tremolo 3 40 vol 0.5 2>/dev/null";
            if (std::system(command.c_str()) != 0)
            {
                std::fprintf(stderr, "sox is needed to make %s\n", file.c_str());
                std::exit(1);
            }
        }
        return file.string();
    }();
    return path;
}

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

std::shared_ptr<const platform::AudioBuffer> tone(uint16_t channels, uint32_t rate, uint16_t bits,
                                                  double seconds)
{
    const size_t frames = size_t(rate * seconds);
    platform::AudioFormat format{channels, rate, bits};
    std::vector<uint8_t> bytes(frames * format.blockAlign());
    for (size_t i = 0; i < frames * channels; ++i)
    {
        const double value = std::sin(double(i) * 0.05) * 0.3;
        if (bits == 8)
            bytes[i] = uint8_t(128 + value * 127);
        else
        {
            const auto sample = uint16_t(int16_t(value * 32767));
            bytes[2 * i] = uint8_t(sample);
            bytes[2 * i + 1] = uint8_t(sample >> 8);
        }
    }
    return std::make_shared<const platform::AudioBuffer>(format, std::move(bytes));
}

std::map<std::string, double> gSecondsPerRun;

void MixVoicesAndMusic(benchmark::State& state)
{
    constexpr double kAudioSeconds = 60.0;
    platform::Mixer mixer;
    const std::shared_ptr<const platform::AudioBuffer> sounds[] = {
        tone(1, 22050, 16, 1.3), tone(2, 44100, 16, 0.7), tone(1, 11025, 8, 2.1), tone(2, 48000, 16, 1.1)};
    std::vector<std::unique_ptr<platform::Voice>> voices;
    for (int i = 0; i < 32; ++i)
    {
        const auto& sound = sounds[i % 4];
        auto voice = std::make_unique<platform::Voice>(mixer, sound);
        voice->setFrequency(uint32_t(sound->format().samplesPerSecond * (0.75 + 0.05 * (i % 10))));
        voice->setPan((i % 9 - 4) * 1000);
        voice->setAttenuation(-(i % 5) * 300);
        voice->play(true);
        voices.push_back(std::move(voice));
    }
    auto source = Quib::OpenSoundFile(musicFile());
    auto decoder = std::make_unique<platform::OggDecoder>();
    std::string error;
    if (!decoder->open(std::move(source), error))
    {
        state.SkipWithError(error.c_str());
        return;
    }
    platform::MusicStream music(mixer, std::make_unique<platform::OggPcmSource>(std::move(decoder)));
    music.play(true, true);

    std::vector<int16_t> out(1024 * 2);
    double cpu = 0;
    for (auto _ : state)
    {
        const double start = threadCpuSeconds();
        for (size_t done = 0; done < size_t(kAudioSeconds * mixer.outputRate()); done += 1024)
            mixer.render(out.data(), 1024);
        cpu += threadCpuSeconds() - start;
        benchmark::DoNotOptimize(out.data());
    }
    const double perAudioSecond = cpu / double(state.iterations()) / kAudioSeconds;
    state.counters["cpu_ms_per_audio_s"] = perAudioSecond * 1000.0;
    state.counters["core_percent"] = perAudioSecond * 100.0;
}
BENCHMARK(MixVoicesAndMusic)->Unit(benchmark::kMillisecond)->Iterations(1);

void DecodeOggWithReader(benchmark::State& state)
{
    const std::string path = musicFile();
    for (auto _ : state)
    {
        Quib::DecodedSound sound;
        std::string error;
        if (!Quib::ReadOggSound(Quib::OpenSoundFile(path), path, sound, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(sound.bytes.data());
    }
}
BENCHMARK(DecodeOggWithReader)->Unit(benchmark::kMillisecond)->Iterations(5);

void DecodeOggPlainLoop(benchmark::State& state)
{
    const std::string path = musicFile();
    for (auto _ : state)
    {
        std::vector<char> pcm;
        FILE* file = std::fopen(path.c_str(), "rb");
        OggVorbis_File vf;
        if (!file || ov_open(file, &vf, nullptr, 0) < 0)
        {
            state.SkipWithError("cannot open the Ogg file");
            break;
        }
        pcm.resize(size_t(ov_pcm_total(&vf, -1)) * size_t(ov_info(&vf, -1)->channels) * 2);
        size_t filled = 0;
        int link = 0;
        while (filled < pcm.size())
        {
            const long got =
                ov_read(&vf, pcm.data() + filled, int(std::min<size_t>(pcm.size() - filled, 65536)), &link);
            if (got <= 0)
                break;
            filled += size_t(got);
        }
        ov_clear(&vf);
        benchmark::DoNotOptimize(pcm.data());
    }
}
BENCHMARK(DecodeOggPlainLoop)->Unit(benchmark::kMillisecond)->Iterations(5);

// Collects each benchmark's median CPU time so the decoding ratio can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                gSecondsPerRun[run.run_name.str()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv)
{
    std::vector<char*> args = benchrounds::WithRoundDefaults(argc, argv);
    argc = int(args.size()) - 1;
    argv = args.data();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto reader = gSecondsPerRun.find("DecodeOggWithReader/iterations:5");
    const auto plain = gSecondsPerRun.find("DecodeOggPlainLoop/iterations:5");
    if (reader != gSecondsPerRun.end() && plain != gSecondsPerRun.end() && plain->second > 0)
        std::printf("Ogg decoding, project reader / plain decoder loop, median processor time: %.3f\n",
                    reader->second / plain->second);
    benchmark::Shutdown();
    return 0;
}
