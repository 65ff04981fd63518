// The named levels as (time_budget, clock_limit) pairs: the game's level table takes them
// from here, and callers without the game's level menu (the CLI) use them directly. Budgets
// 1..5 mean fixed depths 2..6.
#pragma once

#include <cstdint>

namespace qv {

struct LevelPair {
    int32_t time_budget;
    int32_t clock_limit;
};

inline constexpr LevelPair NAMED_LEVELS[9] = {
    {5, 58},    {2, 58},    {5, 158},   {6, 358},     {10, 600},
    {160, 178}, {270, 298}, {540, 598}, {1680, 1798},
};

}  // namespace qv
