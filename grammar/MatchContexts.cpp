#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"

namespace baudrill {

void ParseContext::GrowValues() { state.values.reserve(state.values.empty() ? 16 : 2 * state.values.capacity()); }

void ParseContext::MakeFieldValuesNow()
{
    const std::size_t count = fieldCount_;
    fieldCount_ = 0;
    fieldMaker_(state.values, input.data() + fieldAt_, count);
}

void ParseContext::CutValues(std::size_t count)
{
    if (count >= ValueCount())
        return;
    if (count >= state.values.size()) {
        fieldCount_ = count - state.values.size();
        return;
    }
    state.values.resize(count);
    fieldCount_ = 0;
}

void ParseContext::Renew(InputView bytes)
{
    input = bytes;
    stop = false;
    state.pos = 0;
    state.values.clear();
    fieldCount_ = 0;
    state.registers.Clear();
    state.retry = true;
    state.current = nullptr;
    stepsLeft = DefaultStepBudget;
    auto choices = std::move(run.choices);
    choices.clear();
    run = RunControl<ParseMark>();
    run.choices = std::move(choices);
    reach_ = 0;
}

void ParseContext::Restore(const ParseMark& mark)
{
    state.pos = mark.pos;
    CutValues(mark.values);
    state.registers.UndoTo(mark.undo);
    state.retry = mark.retry;
}

void ComposeContext::Restore(const ComposeMark& mark)
{
    state.next = mark.next;
    if (state.output.size() > mark.output)
        state.output.resize(mark.output);
    while (!state.escapes.empty() && state.escapes.back() >= state.output.size())
        state.escapes.pop_back();
    state.registers.UndoTo(mark.undo);
    state.retry = mark.retry;
}

}  // namespace baudrill
