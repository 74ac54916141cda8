#include "grammar/RegisterBanks.h"

namespace baudrill {

namespace {

template <class T>
void Undo(detail::RegisterBank<T>& bank, const detail::RegisterUndo& change)
{
    std::vector<T>& stack = bank.stacks[change.reg];
    switch (change.op) {
    case detail::RegisterOp::Push:
        stack.pop_back();
        break;
    case detail::RegisterOp::Pop:
        stack.push_back(std::move(bank.replaced.back()));
        bank.replaced.pop_back();
        break;
    case detail::RegisterOp::SetTop:
        stack.back() = std::move(bank.replaced.back());
        bank.replaced.pop_back();
        break;
    }
}

}  // namespace

void RegisterBanks::UndoTo(std::size_t height)
{
    while (log_.size() > height) {
        const detail::RegisterUndo change = log_.back();
        log_.pop_back();
        switch (change.bank) {
        case kIntBank: Undo(ints_, change); break;
        case kStringBank: Undo(strings_, change); break;
        case kValueBank: Undo(values_, change); break;
        default: Undo(elements_, change); break;
        }
    }
}

void RegisterBanks::ForgetUndo()
{
    log_.clear();
    ints_.replaced.clear();
    strings_.replaced.clear();
    values_.replaced.clear();
    elements_.replaced.clear();
}

}  // namespace baudrill
