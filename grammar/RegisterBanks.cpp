#include "grammar/RegisterBanks.h"

#include <array>
#include <bit>
#include <cstddef>

namespace baudrill {

namespace {

template <class T>
using Stack = detail::RegisterEntries<T>;

// Takes one change back on a stack: a push is dropped, a pop or a set-top gets
// the entry it replaced back.
template <class T>
void TakeBack(Stack<T>& stack, detail::RegisterOp op, T&& replaced)
{
    switch (op) {
    case detail::RegisterOp::Push: stack.pop_back(); break;
    case detail::RegisterOp::Pop: stack.push_back(std::move(replaced)); break;
    case detail::RegisterOp::SetTop: stack.back() = std::move(replaced); break;
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

// Whether a register of the bank holds other entries than before the changes
// log[from..] (the newest part of the log) were made. No stack is copied: the
// cost is the number of those changes. Changes only ever touch the top, so a
// register's entries below the lowest index they touched are as they were;
// the first change to touch an index below the register's height at the mark
// replaced the entry the register held there at the mark (every pop and
// set-top saved the entry it replaced in `replaced`, in log order).
template <class T>
bool BankChanged(const detail::RegisterBank<T>* bank, std::uint8_t bankId, const detail::UndoLog& log, std::size_t from)
{
    std::uint32_t touched = 0;
    std::array<std::ptrdiff_t, RegisterCount> grown{};  // pushes less pops
    std::size_t saved = 0;                              // pops and set-tops
    for (std::size_t k = from; k < log.size(); ++k) {
        const detail::RegisterUndo& change = log[k];
        if (change.bank != bankId)
            continue;
        touched |= 1u << change.reg;
        if (change.op == detail::RegisterOp::Push)
            ++grown[change.reg];
        else if (change.op == detail::RegisterOp::Pop)
            --grown[change.reg];
        if (change.op != detail::RegisterOp::Push)
            ++saved;
    }
    if (!bank || !touched)
        return false;
    for (int reg = 0; reg < RegisterCount; ++reg)
        if ((touched & (1u << reg)) && grown[static_cast<std::size_t>(reg)] != 0)
            return true;  // another height
    // Same heights: walk the changes forward, following each touched register's height.
    std::array<std::size_t, RegisterCount> height{};
    std::array<std::size_t, RegisterCount> untouched{};  // indexes below are as at the mark
    for (int reg = 0; reg < RegisterCount; ++reg)
        height[static_cast<std::size_t>(reg)] = untouched[static_cast<std::size_t>(reg)] =
            bank->stacks[static_cast<std::size_t>(reg)].size();
    std::size_t replaced = bank->replaced.size() - saved;
    for (std::size_t k = from; k < log.size(); ++k) {
        const detail::RegisterUndo& change = log[k];
        if (change.bank != bankId)
            continue;
        std::size_t& h = height[change.reg];
        if (change.op == detail::RegisterOp::Push) {
            ++h;
            continue;
        }
        const std::size_t index = h - 1;
        if (index < untouched[change.reg]) {
            untouched[change.reg] = index;
            if (!Same(bank->replaced[replaced], bank->stacks[change.reg][index]))
                return true;
        }
        ++replaced;
        if (change.op == detail::RegisterOp::Pop)
            --h;
    }
    return false;
}

template <class T>
std::size_t BankFootprint(const detail::RegisterBank<T>* bank)
{
    if (!bank)
        return 0;
    std::size_t entries = bank->replaced.size();
    for (const auto& stack : bank->stacks)
        entries += stack.size();
    return entries * sizeof(T);
}

template <class T>
std::unique_ptr<detail::RegisterBank<T>> CopyOf(const std::unique_ptr<detail::RegisterBank<T>>& bank)
{
    return bank ? std::make_unique<detail::RegisterBank<T>>(*bank) : nullptr;
}

}  // namespace

RegisterBanks::RegisterBanks(const RegisterBanks& other)
    : ints_(other.ints_), strings_(CopyOf(other.strings_)), values_(CopyOf(other.values_)),
      elements_(CopyOf(other.elements_)), log_(other.log_)
{
}

RegisterBanks& RegisterBanks::operator=(const RegisterBanks& other)
{
    if (this != &other)
        *this = RegisterBanks(other);
    return *this;
}

void RegisterBanks::TakeBackTo(std::size_t height)
{
    while (log_.size() > height) {
        const detail::RegisterUndo change = log_.back();
        log_.pop_back();
        switch (change.bank) {
        case IntBank: Undo(ints_, change); break;
        case StringBank: Undo(*strings_, change); break;
        case ValueBank: Undo(*values_, change); break;
        default: Undo(*elements_, change); break;
        }
    }
}

bool RegisterBanks::ChangedSince(std::size_t height) const
{
    if (log_.size() <= height)
        return false;
    return BankChanged(&ints_, IntBank, log_, height) || BankChanged(strings_.get(), StringBank, log_, height) ||
           BankChanged(values_.get(), ValueBank, log_, height) ||
           BankChanged(elements_.get(), ElementBank, log_, height);
}

std::size_t RegisterBanks::Footprint() const
{
    return BankFootprint(&ints_) + BankFootprint(strings_.get()) + BankFootprint(values_.get()) +
           BankFootprint(elements_.get()) + log_.size() * sizeof(detail::RegisterUndo);
}

namespace {

template <class T>
void ClearBank(detail::RegisterBank<T>* bank)
{
    if (!bank)
        return;
    for (auto& stack : bank->stacks)
        stack.clear();
    bank->replaced.clear();
}

}  // namespace

void RegisterBanks::Clear()
{
    ClearBank(&ints_);
    ClearBank(strings_.get());
    ClearBank(values_.get());
    ClearBank(elements_.get());
    log_.clear();
}

void RegisterBanks::ForgetUndo()
{
    log_.clear();
    ints_.replaced.clear();
    if (strings_)
        strings_->replaced.clear();
    if (values_)
        values_->replaced.clear();
    if (elements_)
        elements_->replaced.clear();
}

}  // namespace baudrill
