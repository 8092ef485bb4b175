#pragma once
// HALYARD_HOT marks the interpreter's small helpers that must never become calls: each instruction
// goes through several of them.
#if defined(__GNUC__)
#define HALYARD_HOT __attribute__((always_inline)) inline
#else
#define HALYARD_HOT inline
#endif
