#pragma once

#include "grammar/Value.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace baudrill {

class BNFelement;

// Registers per bank; the banks are ints, strings, values and element references.
inline constexpr int kRegisterCount = 16;

namespace detail {

enum class RegisterOp : std::uint8_t { Push, Pop, SetTop };

struct RegisterUndo {
    std::uint8_t bank;
    std::uint8_t reg;
    RegisterOp op;
};

// The 16 stacks of one bank, and the entries that pops and set-tops replaced,
// kept (newest last) until the undo log no longer needs them.
template <class T>
struct RegisterBank {
    std::array<std::vector<T>, kRegisterCount> stacks;
    std::vector<T> replaced;
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
    explicit RegisterView(const std::vector<T>* stack) : stack_(stack) {}
    friend class RegisterBanks;

    const std::vector<T>* stack_;
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
    RegisterStack(detail::RegisterBank<T>* bank, std::vector<detail::RegisterUndo>* log,
                  std::uint8_t bankId, int reg)
        : RegisterView<T>(reg >= 0 && reg < kRegisterCount ? &bank->stacks[reg] : nullptr),
          bank_(bank), log_(log), bankId_(bankId), reg_(static_cast<std::uint8_t>(reg))
    {
    }
    friend class RegisterBanks;

    std::vector<T>* Stack() const { return const_cast<std::vector<T>*>(this->stack_); }

    detail::RegisterBank<T>* bank_;
    std::vector<detail::RegisterUndo>* log_;
    std::uint8_t bankId_;
    std::uint8_t reg_;
};

// The four register banks of a run's state and their undo log. The storage is
// made on first use, so a state whose rule uses no register costs nothing.
class RegisterBanks {
public:
    RegisterBanks() = default;
    RegisterBanks(const RegisterBanks& other);
    RegisterBanks& operator=(const RegisterBanks& other);
    RegisterBanks(RegisterBanks&&) noexcept = default;
    RegisterBanks& operator=(RegisterBanks&&) noexcept = default;

    RegisterStack<std::int32_t> Ints(int reg) { return {&Use().ints, &Use().log, kIntBank, reg}; }
    RegisterStack<std::string> Strings(int reg) { return {&Use().strings, &Use().log, kStringBank, reg}; }
    RegisterStack<Value> Values(int reg) { return {&Use().values, &Use().log, kValueBank, reg}; }
    RegisterStack<BNFelement*> Elements(int reg) { return {&Use().elements, &Use().log, kElementBank, reg}; }

    RegisterView<std::int32_t> Ints(int reg) const { return View(storage_ ? &storage_->ints : nullptr, reg); }
    RegisterView<std::string> Strings(int reg) const { return View(storage_ ? &storage_->strings : nullptr, reg); }
    RegisterView<Value> Values(int reg) const { return View(storage_ ? &storage_->values : nullptr, reg); }
    RegisterView<BNFelement*> Elements(int reg) const { return View(storage_ ? &storage_->elements : nullptr, reg); }

    // The undo log's height: a mark to come back to with UndoTo.
    std::size_t UndoHeight() const { return storage_ ? storage_->log.size() : 0; }
    // Takes back every change made since the log had that height.
    void UndoTo(std::size_t height);
    // Whether a register holds other entries than when the log had that height
    // (a push and its pop, or setting the top to what it was, change nothing).
    bool ChangedSince(std::size_t height) const;
    // Drops the log when no mark below its top can be restored any more.
    void ForgetUndo();

private:
    static constexpr std::uint8_t kIntBank = 0, kStringBank = 1, kValueBank = 2, kElementBank = 3;

    struct Storage {
        detail::RegisterBank<std::int32_t> ints;
        detail::RegisterBank<std::string> strings;
        detail::RegisterBank<Value> values;
        detail::RegisterBank<BNFelement*> elements;
        std::vector<detail::RegisterUndo> log;
    };

    Storage& Use()
    {
        if (!storage_)
            storage_ = std::make_unique<Storage>();
        return *storage_;
    }

    template <class T>
    static RegisterView<T> View(const detail::RegisterBank<T>* bank, int reg)
    {
        return RegisterView<T>(bank && reg >= 0 && reg < kRegisterCount ? &bank->stacks[reg] : nullptr);
    }

    std::unique_ptr<Storage> storage_;
};

template <class T>
bool RegisterStack<T>::Push(T v)
{
    if (!this->stack_)
        return false;
    Stack()->push_back(std::move(v));
    log_->push_back({bankId_, reg_, detail::RegisterOp::Push});
    return true;
}

template <class T>
bool RegisterStack<T>::Pop()
{
    if (this->Empty())
        return false;
    bank_->replaced.push_back(std::move(Stack()->back()));
    Stack()->pop_back();
    log_->push_back({bankId_, reg_, detail::RegisterOp::Pop});
    return true;
}

template <class T>
bool RegisterStack<T>::Pop(T& out)
{
    if (this->Empty())
        return false;
    out = Stack()->back();
    return Pop();
}

template <class T>
bool RegisterStack<T>::SetTop(T v)
{
    if (this->Empty())
        return false;
    bank_->replaced.push_back(std::move(Stack()->back()));
    Stack()->back() = std::move(v);
    log_->push_back({bankId_, reg_, detail::RegisterOp::SetTop});
    return true;
}

}  // namespace baudrill
