#include "serial/Fifo.h"

namespace baudrill {

fifo::fifo(int size)
    : size(size < 1 ? 1 : size), start(new char[static_cast<unsigned>(this->size)]), end(start + this->size),
      readPos(start), writePos(start)
{
}

fifo::~fifo() { delete[] start; }

void fifo::Reset() { readPos = writePos = start; }

int fifo::PopByte(char* out)
{
    if (readPos == writePos)
        return 0;
    *out = *readPos;
    readPos = Next(readPos);
    return 1;
}

int fifo::PushByte(char c)
{
    char* next = Next(writePos);
    if (next == readPos)
        return 0;
    *writePos = c;
    writePos = next;
    return 1;
}

int fifo::PopBytes(char* buffer, int n)
{
    int taken = 0;
    while (taken < n && PopByte(buffer + taken))
        ++taken;
    return taken;
}

int fifo::PushBytes(const char* data, int n)
{
    int stored = 0;
    while (stored < n && PushByte(data[stored]))
        ++stored;
    return stored;
}

int fifo::Count() const
{
    if (readPos == writePos)
        return 0;
    if (writePos > readPos)
        return static_cast<int>(writePos - readPos);
    return size - static_cast<int>(readPos - writePos);
}

}  // namespace baudrill
