#pragma once

#include "grammar/SmallStack.h"
#include "grammar/Value.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace baudrill {

class BNFelement;

// Registers per bank; the banks are ints, strings, values and element references.
inline constexpr int RegisterCount = 16;

namespace detail {

enum class RegisterOp : std::uint8_t { Push, Pop, SetTop };

struct RegisterUndo {
    std::uint8_t bank;
    std::uint8_t reg;
    RegisterOp op;
};

// Entries a register holds in place before it needs heap memory.
inline constexpr std::size_t RegisterEntriesInPlace = 4;

template <class T>
using RegisterEntries = SmallStack<T, RegisterEntriesInPlace>;

// The undo log: one entry per register change, newest last.
using UndoLog = SmallStack<RegisterUndo, 64>;

// The 16 stacks of one bank, and the entries that pops and set-tops replaced,
// kept (newest last) until the undo log no longer needs them.
template <class T>
struct RegisterBank {
    std::array<RegisterEntries<T>, RegisterCount> stacks;
    SmallStack<T, 32> replaced;
};

}  // namespace detail

// Read access to one register stack. Top(0) is the top entry, Top(1) the one
// below it, and so on; null when there is no such entry. A register index
// outside 0..15 reads as an empty stack.
template <class T>
class RegisterView {
public:
    std::size_t Count() const { return stack_ ? stack_->size() : 0; }
    bool Empty() const { return Count() == 0; }
    const T* Top(std::size_t below = 0) const
    {
        if (below >= Count())
            return nullptr;
        return &(*stack_)[stack_->size() - 1 - below];
    }

protected:
    explicit RegisterView(const detail::RegisterEntries<T>* stack) : stack_(stack) {}
    friend class RegisterBanks;

    const detail::RegisterEntries<T>* stack_;
};

// Changes one register stack. Every change is written to the state's undo log,
// so a failing action, an abandoned choice or a failing nonterminal gives the
// registers back exactly as they were. This is the only way to change them.
template <class T>
class RegisterStack : public RegisterView<T> {
public:
    // All return false (and change nothing) when the register index is invalid;
    // Pop and SetTop also when the stack is empty.
    bool Push(T v);
    bool Pop();
    bool Pop(T& out);  // the popped entry is copied to out
    bool SetTop(T v);

private:
    RegisterStack(detail::RegisterBank<T>* bank, detail::UndoLog* log, std::uint8_t bankId, int reg)
        : RegisterStack(bank, reg >= 0 && reg < RegisterCount ? &bank->stacks[reg] : nullptr, log, bankId, reg)
    {
    }
    RegisterStack(detail::RegisterBank<T>* bank, detail::RegisterEntries<T>* stack, detail::UndoLog* log,
                  std::uint8_t bankId, int reg)
        : RegisterView<T>(stack), bank_(bank), entries_(stack), log_(log), bankId_(bankId),
          reg_(static_cast<std::uint8_t>(reg))
    {
    }
    friend class RegisterBanks;

    detail::RegisterBank<T>* bank_;
    detail::RegisterEntries<T>* entries_;  // the stack changed; null for an invalid register
    detail::UndoLog* log_;
    std::uint8_t bankId_;
    std::uint8_t reg_;
};

// The four register banks of a run's state and their undo log. The int bank
// and the log live in place (protocol rules use int registers: counters and
// checksum bounds); the other banks, which only the rule compiler uses, are
// made on first use. So a state costs no heap memory until a register grows
// past a few entries.
class RegisterBanks {
public:
    RegisterBanks() = default;
    RegisterBanks(const RegisterBanks& other);
    RegisterBanks& operator=(const RegisterBanks& other);
    RegisterBanks(RegisterBanks&&) noexcept = default;
    RegisterBanks& operator=(RegisterBanks&&) noexcept = default;

    RegisterStack<std::int32_t> Ints(int reg) { return {&ints_, &log_, IntBank, reg}; }
    RegisterStack<std::string> Strings(int reg) { return {&Use(strings_), &log_, StringBank, reg}; }
    RegisterStack<Value> Values(int reg) { return {&Use(values_), &log_, ValueBank, reg}; }
    RegisterStack<BNFelement*> Elements(int reg) { return {&Use(elements_), &log_, ElementBank, reg}; }

    RegisterView<std::int32_t> Ints(int reg) const { return View(&ints_, reg); }
    RegisterView<std::string> Strings(int reg) const { return View(strings_.get(), reg); }
    RegisterView<Value> Values(int reg) const { return View(values_.get(), reg); }
    RegisterView<BNFelement*> Elements(int reg) const { return View(elements_.get(), reg); }

    // The top entry of an int register, to be changed in place without a log
    // entry; null when the register is empty or its index invalid. Only for the
    // matcher's counted loops, which log the entry once before they count it
    // down (see Matcher::RunFieldTurns), so that undoing gives it back.
    std::int32_t* IntTopInPlace(int reg)
    {
        if (reg < 0 || reg >= RegisterCount || ints_.stacks[static_cast<std::size_t>(reg)].empty())
            return nullptr;
        return &ints_.stacks[static_cast<std::size_t>(reg)].back();
    }

    // The undo log's height: a mark to come back to with UndoTo.
    std::size_t UndoHeight() const { return log_.size(); }
    // Takes back every change made since the log had that height.
    void UndoTo(std::size_t height)
    {
        if (log_.size() > height)  // mostly there is nothing to take back
            TakeBackTo(height);
    }
    // Whether a register holds other entries than when the log had that height
    // (a push and its pop, or setting the top to what it was, change nothing).
    bool ChangedSince(std::size_t height) const;
    // Drops the log when no mark below its top can be restored any more.
    void ForgetUndo();
    // Empties every register and the log, as a fresh state has them (the
    // memory they hold is kept for the next run).
    void Clear();
    // About the memory the registers and their undo log hold, in bytes (a
    // string's own text not counted).
    std::size_t Footprint() const;

private:
    static constexpr std::uint8_t IntBank = 0, StringBank = 1, ValueBank = 2, ElementBank = 3;

    void TakeBackTo(std::size_t height);

    template <class T>
    static detail::RegisterBank<T>& Use(std::unique_ptr<detail::RegisterBank<T>>& bank)
    {
        if (!bank)
            bank = std::make_unique<detail::RegisterBank<T>>();
        return *bank;
    }

    template <class T>
    static RegisterView<T> View(const detail::RegisterBank<T>* bank, int reg)
    {
        return RegisterView<T>(bank && reg >= 0 && reg < RegisterCount ? &bank->stacks[reg] : nullptr);
    }

    detail::RegisterBank<std::int32_t> ints_;
    std::unique_ptr<detail::RegisterBank<std::string>> strings_;
    std::unique_ptr<detail::RegisterBank<Value>> values_;
    std::unique_ptr<detail::RegisterBank<BNFelement*>> elements_;
    detail::UndoLog log_;
};

template <class T>
bool RegisterStack<T>::Push(T v)
{
    if (!entries_)
        return false;
    entries_->push_back(std::move(v));
    log_->push_back({bankId_, reg_, detail::RegisterOp::Push});
    return true;
}

template <class T>
bool RegisterStack<T>::Pop()
{
    if (this->Empty())
        return false;
    bank_->replaced.push_back(std::move(entries_->back()));
    entries_->pop_back();
    log_->push_back({bankId_, reg_, detail::RegisterOp::Pop});
    return true;
}

template <class T>
bool RegisterStack<T>::Pop(T& out)
{
    if (this->Empty())
        return false;
    out = entries_->back();
    return Pop();
}

template <class T>
bool RegisterStack<T>::SetTop(T v)
{
    if (this->Empty())
        return false;
    T& top = entries_->back();
    bank_->replaced.push_back(std::move(top));
    top = std::move(v);
    log_->push_back({bankId_, reg_, detail::RegisterOp::SetTop});
    return true;
}

}  // namespace baudrill
