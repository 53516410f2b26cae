#include "game/minigames/vessels/VesselSolver.h"

#include <algorithm>
#include <deque>
#include <map>
#include <utility>

std::optional<std::vector<VesselPair::Operation>> SolveVessels(const VesselPair& start)
{
    using Contents = std::pair<int, int>;
    struct Step
    {
        Contents mFrom;
        VesselPair::Operation mOperation;
    };
    std::map<Contents, std::optional<Step>> reached;
    std::deque<VesselPair> queue{start};
    reached[{start.GetFirst(), start.GetSecond()}] = std::nullopt;
    while (!queue.empty())
    {
        const VesselPair pair = queue.front();
        queue.pop_front();
        Contents here{pair.GetFirst(), pair.GetSecond()};
        if (pair.IsSolved())
        {
            std::vector<VesselPair::Operation> line;
            for (auto step = reached[here]; step; step = reached[step->mFrom])
                line.push_back(step->mOperation);
            std::reverse(line.begin(), line.end());
            return line;
        }
        for (int op = 0; op < VesselPair::kOperationCount; ++op)
        {
            VesselPair next = pair;
            const auto operation = VesselPair::Operation(op);
            if (next.Apply(operation) &&
                reached.emplace(Contents{next.GetFirst(), next.GetSecond()}, Step{here, operation}).second)
                queue.push_back(next);
        }
    }
    return std::nullopt;
}
