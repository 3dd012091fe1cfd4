#pragma once
// An input routine written as an ordered table of named stages. Each stage is a member of the
// routine's owner that takes the routine's context and answers whether it handled the input
// (nothing after it runs) or passed it on. The order lives in one table, so a reader sees the
// whole routine at a glance, and the name of the stage that ended a run is kept for tracing
// and tests.
//
// Use: declare the stages as members `bool stage(TContext&)`, build a table inside a member
// (where the members are accessible) and call RunStages:
//
//     static constexpr TInputStage<TQvStringGrid, TPressContext> kStages[] = {
//         {"askCanClickCell", &TQvStringGrid::askCanClickCell}, ...};
//     const char* endedBy = RunStages(*this, ctx, std::span(kStages));

#include <span>

namespace grid {

template <class Owner, class Context>
struct TInputStage {
    const char* Name;
    bool (Owner::*Run)(Context&); // true: handled, the routine ends here
};

// Runs the stages in order up to the first that handles the input. Answers that stage's name,
// or nullptr when every stage passed it on.
template <class Owner, class Context>
const char* RunStages(Owner& owner, Context& context, std::span<const TInputStage<Owner, Context>> stages)
{
    for (const auto& stage : stages)
        if ((owner.*stage.Run)(context))
            return stage.Name;
    return nullptr;
}

} // namespace grid
