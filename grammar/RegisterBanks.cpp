#include "grammar/RegisterBanks.h"

#include <bit>

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

template <class T>
bool SameEntries(const Stack<T>& a, const Stack<T>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!Same(a[i], b[i]))
            return false;
    return true;
}

// Whether a register of the bank holds other entries than before the changes
// log[from..] (the newest part of the log) were made. Each touched register is
// rebuilt as it was on a copy, by taking the changes back newest first.
template <class T>
bool BankChanged(const detail::RegisterBank<T>* bank, std::uint8_t bankId, const detail::UndoLog& log,
                 std::size_t from)
{
    std::uint32_t touched = 0;
    for (std::size_t k = from; k < log.size(); ++k)
        if (log[k].bank == bankId)
            touched |= 1u << log[k].reg;
    if (!bank || !touched)
        return false;
    for (int reg = 0; reg < kRegisterCount; ++reg) {
        if (!(touched & (1u << reg)))
            continue;
        const Stack<T>& now = bank->stacks[static_cast<std::size_t>(reg)];
        Stack<T> before = now;
        // Every pop and set-top of the bank saved one entry in `replaced`, in log order.
        std::size_t replaced = bank->replaced.size();
        for (std::size_t k = log.size(); k-- > from;) {
            const detail::RegisterUndo& change = log[k];
            if (change.bank != bankId)
                continue;
            const bool saved = change.op != detail::RegisterOp::Push;
            if (saved)
                --replaced;
            if (change.reg == reg)
                TakeBack(before, change.op, saved ? T(bank->replaced[replaced]) : T());
        }
        if (!SameEntries(before, now))
            return true;
    }
    return false;
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

void RegisterBanks::UndoTo(std::size_t height)
{
    while (log_.size() > height) {
        const detail::RegisterUndo change = log_.back();
        log_.pop_back();
        switch (change.bank) {
        case kIntBank: Undo(ints_, change); break;
        case kStringBank: Undo(*strings_, change); break;
        case kValueBank: Undo(*values_, change); break;
        default: Undo(*elements_, change); break;
        }
    }
}

bool RegisterBanks::ChangedSince(std::size_t height) const
{
    if (log_.size() <= height)
        return false;
    return BankChanged(&ints_, kIntBank, log_, height) || BankChanged(strings_.get(), kStringBank, log_, height) ||
           BankChanged(values_.get(), kValueBank, log_, height) ||
           BankChanged(elements_.get(), kElementBank, log_, height);
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
