#pragma once

#include <string>

#include "grammar/Uuid.h"

namespace baudrill {

class SettingsStream;

// One profile slot of one send mode. ASCII slots use entry, isCR, isLF, isRepeat and
// repeatPeriod; HEX slots entry, isRepeat and repeatPeriod; PROTO slots all but isCR/isLF.
struct SendSlot {
    std::string entry;            // as typed, UTF-8
    std::string protoName;        // the slot's protocol as last shown; the settings file's key
    std::string answerProtoName;  // the answer protocol as last shown
    Uuid protoId;                 // PROTO: the protocol that composes and decodes
    Uuid answerId;                // the protocol that composes automatic answers
    bool isCR = false;
    bool isLF = false;
    bool isParse = true;
    bool isIgnoreStarting = true;
    bool isDisplayHex = false;
    bool isActionAnswer = false;
    bool isRepeat = false;
    int repeatPeriod = 100;  // ms
    int actionDelay = 100;   // ms

    // The settings file: all fields but the two Uuids (monitor/settings/SendSlotSerialize.cpp).
    void Serialize(SettingsStream& stream);

    friend bool operator==(const SendSlot&, const SendSlot&) = default;
};

// Every port has this many slots in each send mode.
inline constexpr int SendSlotCount = 10;

}  // namespace baudrill
