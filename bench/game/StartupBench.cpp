// Start-up of the real game as a player runs it: execs orvellan on a fresh
// temporary data folder, under $DISPLAY when there is one (else SDL's dummy
// video driver), several rounds, and prints the milliseconds from exec to the
// title's first frame on the screen and to the end of loading, and the
// resident memory at those moments, each as a median with its spread.
//
// The game says when those moments come through its ORVELLAN_TIMING lines on
// the standard error. Without a graphics card this measures the software
// path. Its peer is boot_bench, the same start headless in one process.
//
// Each round has its own data and run-time folders, so no other copy of the
// game on the machine shares its single-instance lock.
//
// Usage: startup_bench [ROUNDS] [PATH-TO-ORVELLAN] [PATH-TO-PEER-ORVELLAN]

#include "bench/ResidentMemory.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

double MonotonicMilliseconds()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double, std::milli>(now).count();
}

// VmRSS and VmHWM of the process, in MB; empty once it has gone.
std::optional<bench::ResidentMemory> ReadResident(pid_t pid)
{
    return bench::ReadResidentMemory("/proc/" + std::to_string(pid) + "/status");
}

// Processor time the process's main thread has used, in ms: under a busy
// machine's load it changes less than the time on the clock.
std::optional<double> MainThreadCpuMilliseconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text))
        return std::nullopt;
    // The command name may hold spaces; the fields after it are counted from its ')'.
    const auto close = text.rfind(')');
    if (close == std::string::npos || close + 2 > text.size())
        return std::nullopt;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    double user = 0, system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i)
    {
        if (i == 14)
            user = std::atof(field.c_str());
        else if (i == 15)
            system = std::atof(field.c_str());
    }
    if (!fields)
        return std::nullopt;
    return (user + system) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

struct Round
{
    std::map<std::string, double> figures;
    std::string failure;
};

class GameProcess
{
public:
    GameProcess(const std::string& program, const std::string& dataFolder)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        mStart = MonotonicMilliseconds();
        mPid = fork();
        if (mPid == 0)
        {
            dup2(fds[1], STDERR_FILENO);
            close(fds[0]);
            close(fds[1]);
            setenv("ORVELLAN_TIMING", "1", 1);
            setenv("XDG_DATA_HOME", dataFolder.c_str(), 1);
            // The single-instance lock lives there: a copy of the game or a
            // test someone else runs must not make this one hand over and end.
            setenv("XDG_RUNTIME_DIR", dataFolder.c_str(), 1);
            if (getenv("DISPLAY") == nullptr)
                setenv("SDL_VIDEODRIVER", "dummy", 1);
            if (getenv("SDL_AUDIODRIVER") == nullptr)
                setenv("SDL_AUDIODRIVER", "dummy", 1);
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        mErr = fds[0];
    }

    ~GameProcess()
    {
        if (mPid > 0)
        {
            kill(mPid, SIGKILL);
            waitpid(mPid, nullptr, 0);
        }
        if (mErr >= 0)
            close(mErr);
    }

    pid_t Pid() const { return mPid; }
    double Start() const { return mStart; }

    // The next timing line's name and monotonic time, within the time-out;
    // other lines of the standard error are passed over.
    std::optional<std::pair<std::string, double>> NextMoment(int timeoutMs)
    {
        const double until = MonotonicMilliseconds() + timeoutMs;
        for (;;)
        {
            const auto newline = mPending.find('\n');
            if (newline != std::string::npos)
            {
                const std::string line = mPending.substr(0, newline);
                mPending.erase(0, newline + 1);
                std::istringstream fields(line);
                std::string tag, name;
                double at = 0;
                if (fields >> tag >> name >> at && tag == "orvellan-timing")
                    return std::make_pair(name, at);
                continue;
            }
            const int left = int(until - MonotonicMilliseconds());
            if (left <= 0)
                return std::nullopt;
            pollfd watched{mErr, POLLIN, 0};
            if (poll(&watched, 1, left) <= 0)
                return std::nullopt;
            char buffer[4096];
            const ssize_t got = read(mErr, buffer, sizeof buffer);
            if (got <= 0)
                return std::nullopt;
            mPending.append(buffer, size_t(got));
        }
    }

private:
    pid_t mPid = -1;
    int mErr = -1;
    double mStart = 0;
    std::string mPending;
};

Round RunRound(const std::string& program, int settleMs)
{
    Round round;
    char folderTemplate[] = "/tmp/orvellan-startup-XXXXXX";
    const char* folder = mkdtemp(folderTemplate);
    if (folder == nullptr)
    {
        round.failure = "no temporary folder";
        return round;
    }
    {
        GameProcess game(program, folder);
        if (game.Pid() <= 0)
            round.failure = "could not start the game";
        while (round.failure.empty() && round.figures.count("loading_ms") == 0)
        {
            const auto moment = game.NextMoment(30000);
            if (!moment)
            {
                round.failure = "the game ended or went silent before loading ended";
                break;
            }
            const auto resident = ReadResident(game.Pid());
            if (moment->first == "first-frame")
            {
                round.figures["first_frame_ms"] = moment->second - game.Start();
                if (const auto cpu = MainThreadCpuMilliseconds(game.Pid()))
                    round.figures["first_frame_main_cpu_ms"] = *cpu;
                if (resident)
                    round.figures["intro_first_frame_rss_MB"] = resident->rss;
            }
            else if (moment->first == "loading-done")
                round.figures["loading_ms"] = moment->second - game.Start();
        }
        if (round.failure.empty())
        {
            // The intro goes on after loading; let it draw a while before the
            // memory it holds is read.
            game.NextMoment(settleMs);
            if (const auto resident = ReadResident(game.Pid()))
            {
                round.figures["intro_loaded_rss_MB"] = resident->rss;
                round.figures["intro_loaded_hwm_MB"] = resident->hwm;
            }
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return round;
}

struct Spread
{
    double median = 0;
    double min = 0;
    double max = 0;
};

std::optional<Spread> SpreadOf(std::vector<double> values)
{
    if (values.empty())
        return std::nullopt;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return Spread{n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2, values.front(),
                  values.back()};
}

std::string SpreadText(const std::vector<double>& values)
{
    const auto spread = SpreadOf(values);
    if (!spread)
        return "(never reached)";
    char text[96];
    std::snprintf(text, sizeof text, "%8.1f  (%.1f .. %.1f, n=%zu)", spread->median, spread->min, spread->max,
                  values.size());
    return text;
}

// One line per figure: the median and spread of the game, of its peer when one
// was given, and the goal the figure is held to.
void PrintFigure(const std::string& name, const std::vector<double>& values, const std::vector<double>* peer,
                 std::optional<double> goal)
{
    std::printf("%-26s %-36s", name.c_str(), SpreadText(values).c_str());
    if (peer != nullptr)
        std::printf(" %-36s", SpreadText(*peer).c_str());
    if (goal)
        std::printf(" goal %.0f", *goal);
    std::printf("\n");
}

std::string DefaultProgram(const char* self)
{
    std::error_code error;
    const auto here = std::filesystem::canonical("/proc/self/exe", error);
    if (!error)
        return (here.parent_path().parent_path().parent_path() / "game" / "orvellan").string();
    return std::filesystem::path(self).parent_path().string() + "/../../game/orvellan";
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::string program = argc > 2 ? argv[2] : DefaultProgram(argv[0]);
    // A second game (another build) runs in alternate rounds, so that both meet
    // the same load of the machine.
    const std::string peer = argc > 3 ? argv[3] : "";
    const char* display = std::getenv("DISPLAY");
    std::printf("startup_bench: %s, %d rounds, %s\n", program.c_str(), rounds,
                display ? (std::string("DISPLAY=") + display).c_str() : "SDL dummy video driver");
    std::printf("measures the software path when the machine has no graphics card; "
                "its peer is boot_bench (the same start headless, in one process)\n");
    if (!peer.empty())
        std::printf("peer column: %s, run in alternate rounds\n", peer.c_str());
    std::printf("%-26s %-36s%s goal\n", "figure (ms, MB)", "median  (min .. max)",
                peer.empty() ? "" : " peer median  (min .. max)           ");

    std::map<std::string, std::vector<double>> figures[2];
    int failures = 0;
    for (int i = 0; i < rounds; ++i)
    {
        for (int which = 0; which < (peer.empty() ? 1 : 2); ++which)
        {
            const Round round = RunRound(which == 0 ? program : peer, 1000);
            if (!round.failure.empty())
            {
                std::printf("round %d%s: %s\n", i + 1, which == 0 ? "" : " (peer)", round.failure.c_str());
                ++failures;
            }
            for (const auto& [name, value] : round.figures)
                figures[which][name].push_back(value);
        }
    }
    const std::pair<const char*, std::optional<double>> shown[] = {
        {"first_frame_ms", 300.0},        {"loading_ms", 700.0},       {"first_frame_main_cpu_ms", {}},
        {"intro_first_frame_rss_MB", {}}, {"intro_loaded_rss_MB", {}}, {"intro_loaded_hwm_MB", {}},
    };
    for (const auto& [name, goal] : shown)
        PrintFigure(name, figures[0][name], peer.empty() ? nullptr : &figures[1][name], goal);
    return failures == rounds * (peer.empty() ? 1 : 2) ? 1 : 0;
}
