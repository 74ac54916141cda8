#pragma once

#include <cstdint>

#include "grammar/BuiltinNamespace.h"

namespace baudrill {

// The program-wide constant texts.
inline constexpr const char* VersionText = "Baudrill v1.1.8";
inline constexpr const char* SettingsFileName = "Baudrill.cfg";
inline constexpr const char* ProtoFileName = "Baudrill.proto";
inline constexpr const char* GrammarNamespace = BuiltinNamespace;
inline constexpr const char* SendCaption = "Send";
inline constexpr const char* StopCaption = "Stop";

// The tick count taken once, before main runs; every row's time is measured from it.
extern const uint32_t StartTick;

}  // namespace baudrill
