#include "serial/SerialPortBase.h"

#include <cstdio>
#include <cstring>

namespace baudrill {

const char* SerialPortBase::GetTypeName() { return "SerialPort"; }

const char* SerialPortBase::GetSettingsText()
{
    static constexpr char AllLetters[] = "NOEMS";
    const bool known = settings.parity >= platform::ParityNone && settings.parity <= platform::ParitySpace;
    char letter = known ? AllLetters[settings.parity] : 'N';
    std::memset(settings.text, 0, sizeof settings.text);
    std::snprintf(settings.text, sizeof settings.text, "%i%c%i %i", settings.wordLength, letter, settings.stopBits,
                  settings.baud);
    return settings.text;
}

int SerialPortBase::SetAnyBaud(int) { return 0; }

}  // namespace baudrill
