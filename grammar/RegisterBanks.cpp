#include "grammar/RegisterBanks.h"

#include <algorithm>
#include <bit>
#include <span>

namespace baudrill {

namespace {

// Takes one change back on a stack: a push is dropped, a pop or a set-top gets
// the entry it replaced back.
template <class T>
void TakeBack(std::vector<T>& stack, detail::RegisterOp op, T&& replaced)
{
    switch (op) {
    case detail::RegisterOp::Push:
        stack.pop_back();
        break;
    case detail::RegisterOp::Pop:
        stack.push_back(std::move(replaced));
        break;
    case detail::RegisterOp::SetTop:
        stack.back() = std::move(replaced);
        break;
    }
}

template <class T>
void Undo(detail::RegisterBank<T>& bank, const detail::RegisterUndo& change)
{
    if (change.op == detail::RegisterOp::Push) {
        bank.stacks[change.reg].pop_back();
        return;
    }
    TakeBack(bank.stacks[change.reg], change.op, std::move(bank.replaced.back()));
    bank.replaced.pop_back();
}

// Register entries are the same when nothing about them changed: a value of
// another kind, or another double bit pattern, is a change.
template <class T>
bool Same(const T& a, const T& b)
{
    return a == b;
}

bool Same(const Value& a, const Value& b)
{
    if (a.GetKind() != b.GetKind())
        return false;
    if (a.IsDouble())
        return std::bit_cast<std::uint64_t>(a.GetDouble()) == std::bit_cast<std::uint64_t>(b.GetDouble());
    return a == b;
}

// Whether a register of the bank holds other entries than before `changes`,
// the newest part of the undo log, were made. Each touched register is rebuilt
// as it was on a copy, by taking the changes back newest first.
template <class T>
bool BankChanged(const detail::RegisterBank<T>& bank, std::uint8_t bankId,
                 std::span<const detail::RegisterUndo> changes)
{
    std::uint32_t touched = 0;
    for (const detail::RegisterUndo& change : changes)
        if (change.bank == bankId)
            touched |= 1u << change.reg;
    for (int reg = 0; reg < kRegisterCount; ++reg) {
        if (!(touched & (1u << reg)))
            continue;
        const std::vector<T>& now = bank.stacks[static_cast<std::size_t>(reg)];
        std::vector<T> before = now;
        // Every pop and set-top of the bank saved one entry in `replaced`, in log order.
        std::size_t replaced = bank.replaced.size();
        for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
            if (change->bank != bankId)
                continue;
            const bool saved = change->op != detail::RegisterOp::Push;
            if (saved)
                --replaced;
            if (change->reg == reg)
                TakeBack(before, change->op, saved ? T(bank.replaced[replaced]) : T());
        }
        if (!std::equal(before.begin(), before.end(), now.begin(), now.end(),
                        [](const T& a, const T& b) { return Same(a, b); }))
            return true;
    }
    return false;
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

bool RegisterBanks::ChangedSince(std::size_t height) const
{
    if (!storage_ || storage_->log.size() <= height)
        return false;
    const std::span<const detail::RegisterUndo> changes(storage_->log.data() + height,
                                                        storage_->log.size() - height);
    return BankChanged(storage_->ints, kIntBank, changes) || BankChanged(storage_->strings, kStringBank, changes) ||
           BankChanged(storage_->values, kValueBank, changes) ||
           BankChanged(storage_->elements, kElementBank, changes);
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
