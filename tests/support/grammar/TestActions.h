#pragma once

// Small actions for the grammar tests and benchmarks (no test framework needed).

namespace baudrill::test {

// Registers, once per process, the actions the tests call (all prefixed "t_"):
//   t_byte      parse: one byte as an int value; compose: an int value as one byte
//   t_arg       parse: appends the argument; compose: the next value must equal it
//   t_fail      fails
//   t_addfail   changes pos/next, values/output and a register, then fails
//   t_push      pushes the int argument onto intRegs(9)
//   t_pop       pops intRegs(9); fails when it is empty
//   t_settop    sets the top of intRegs(9) to the int argument; fails when it is empty
//   t_dec       decrements the top of intRegs(9); fails when it was <= 0 (a "rep")
//   t_top       parse: appends the top of intRegs(9) as a value
//   t_stop      parse: sets the stop flag
//   t_last_is   parse: succeeds when the last value equals the argument
void RegisterTestActions();

}  // namespace baudrill::test
