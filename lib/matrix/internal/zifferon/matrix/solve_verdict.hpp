#pragma once

#include <ostream>

#include "zifferon/matrix/solve_status.hpp"

namespace zifferon {

// What the solver's screens say of a solved system: a sentence when it has no solution or
// infinitely many, otherwise the solution, which each screen writes in its own form.
template <class WriteSolution>
void writeSolveVerdict(std::ostream& out, SolveStatus status, WriteSolution writeSolution) {
    switch (status) {
        case SolveStatus::NoSolution:
            out << "Das Gleichungssystem hat keine Loesung.\n";
            break;
        case SolveStatus::UniqueSolution:
            writeSolution();
            break;
        case SolveStatus::InfiniteSolutions:
            out << "Das Gleichungssystem hat unendlich viele Loesungen.\n";
            break;
    }
}

}  // namespace zifferon
