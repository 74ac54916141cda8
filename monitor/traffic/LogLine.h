#pragma once

#include <string>

#include "monitor/traffic/RowBytes.h"

namespace baudrill {

class SettingsStream;

// A row's direction, as the settings file stores it (a loaded row of any other value counts
// as received).
inline constexpr int RowSent = 0;
inline constexpr int RowReceived = 1;

// One row of a port's traffic log: a received burst or a sent block.
struct LogLine {
    int direction = RowSent;  // RowReceived or RowSent
    RowBytes data;            // the row's bytes
    std::string protoName;    // the protocol that decoded the row; empty when none did
    std::string protoValues;  // the decoded values, each after one blank; empty when none
    std::string timeText;     // "mm:ss.mmm" since program start
    int height = 0;           // display height in pixels; 0: not computed yet
    int lineCount = 0;        // dump lines; valid only while height is not 0
    bool logged = false;      // handed to the log writer, or loaded from the settings file

    // The settings file: all fields but `logged` (monitor/settings/LogLineSerialize.cpp).
    void Serialize(SettingsStream& stream);

    friend bool operator==(const LogLine&, const LogLine&) = default;
};

}  // namespace baudrill
