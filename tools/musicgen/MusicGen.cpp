// Writes the game's eight music tracks as Ogg Vorbis files.
//
//   musicgen --strings STRINGS_XML --out FOLDER

#include "tools/musicgen/OggWriter.h"
#include "tools/musicgen/Tracks.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{

int fail(const std::string& message)
{
    std::fprintf(stderr, "musicgen: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::string strings, out;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        const std::string arg = argv[i];
        if (arg == "--strings")
            strings = argv[i + 1];
        else if (arg == "--out")
            out = argv[i + 1];
        else
            return fail("unknown option " + arg);
    }
    if (strings.empty() || out.empty())
        return fail("usage: musicgen --strings STRINGS_XML --out FOLDER");
    std::ifstream in(strings, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::vector<int> lengths = musicgen::IntroTextLengths(text.str());
    if (!in || lengths.empty())
        return fail("cannot read the intro texts from " + strings);

    struct Job
    {
        std::string file;
        std::function<musicgen::StereoBuffer()> make;
    };
    std::vector<Job> jobs = {{"MainTheme.ogg", [] { return musicgen::MainTheme(); }}};
    for (int n = 1; n <= 6; ++n)
        jobs.push_back(
            {"Gameplay_Scene" + std::to_string(n) + ".ogg", [n] { return musicgen::SceneLoop(n); }});
    const musicgen::IntroTiming timing = musicgen::TimeIntro(lengths);
    jobs.push_back({"Intro_voiceover.ogg", [timing] { return musicgen::IntroMusic(timing); }});

    std::vector<std::vector<uint8_t>> files(jobs.size());
    std::vector<std::thread> workers;
    for (size_t i = 0; i < jobs.size(); ++i)
        workers.emplace_back([&, i]
                             { files[i] = musicgen::EncodeOggVorbis(jobs[i].make(), 0.3f, int(i + 1)); });
    for (std::thread& worker : workers)
        worker.join();
    for (size_t i = 0; i < jobs.size(); ++i)
    {
        const std::string path = out + "/" + jobs[i].file;
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(files[i].data()), std::streamsize(files[i].size()));
        if (files[i].empty() || !file)
            return fail("cannot write " + path);
    }
    return 0;
}
