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

RegisterBanks::RegisterBanks(const RegisterBanks& other)
    : storage_(other.storage_ ? std::make_unique<Storage>(*other.storage_) : nullptr)
{
}

RegisterBanks& RegisterBanks::operator=(const RegisterBanks& other)
{
    if (this != &other)
        storage_ = other.storage_ ? std::make_unique<Storage>(*other.storage_) : nullptr;
    return *this;
}

void RegisterBanks::UndoTo(std::size_t height)
{
    if (!storage_)
        return;
    std::vector<detail::RegisterUndo>& log = storage_->log;
    while (log.size() > height) {
        const detail::RegisterUndo change = log.back();
        log.pop_back();
        switch (change.bank) {
        case kIntBank: Undo(storage_->ints, change); break;
        case kStringBank: Undo(storage_->strings, change); break;
        case kValueBank: Undo(storage_->values, change); break;
        default: Undo(storage_->elements, change); break;
        }
    }
}

void RegisterBanks::ForgetUndo()
{
    if (!storage_)
        return;
    storage_->log.clear();
    storage_->ints.replaced.clear();
    storage_->strings.replaced.clear();
    storage_->values.replaced.clear();
    storage_->elements.replaced.clear();
}

}  // namespace baudrill
