#pragma once

#include "grammar/RegisterBanks.h"

#include <cstdint>
#include <string>

namespace baudrill {

class BNFelement;

// What parse and compose states share: the choice flag, the element being run
// and the four register banks (intRegs, stringRegs, valueRegs, elementRegs).
//
// Fixed register uses: intRegs(9) repetition counters; intRegs(11) checksum
// byte bounds; intRegs(12) checksum value bounds; stringRegs(10), valueRegs(10),
// elementRegs(0) and elementRegs(1) the rule compiler's stacks.
//
// An action changes registers only through these handles, for example
//     ctx.state.intRegs(9).Push(count);
//     const std::int32_t* top = ctx.state.intRegs(9).Top();
//     if (!top || !ctx.state.intRegs(9).SetTop(*top - 1)) return false;
// and reads entries below the top with Top(1), Top(2)...
class MatchState {
public:
    RegisterStack<std::int32_t> intRegs(int reg) { return registers.Ints(reg); }
    RegisterStack<std::string> stringRegs(int reg) { return registers.Strings(reg); }
    RegisterStack<Value> valueRegs(int reg) { return registers.Values(reg); }
    RegisterStack<BNFelement*> elementRegs(int reg) { return registers.Elements(reg); }

    RegisterView<std::int32_t> intRegs(int reg) const { return registers.Ints(reg); }
    RegisterView<std::string> stringRegs(int reg) const { return registers.Strings(reg); }
    RegisterView<Value> valueRegs(int reg) const { return registers.Values(reg); }
    RegisterView<BNFelement*> elementRegs(int reg) const { return registers.Elements(reg); }

    // False once the run has gone back to a choice point (the matcher's own).
    bool retry = true;
    // The element being run (the code element itself while its action runs).
    const BNFelement* current = nullptr;
    RegisterBanks registers;
};

}  // namespace baudrill
