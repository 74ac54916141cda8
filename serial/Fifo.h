#pragma once

namespace baudrill {

// A byte ring buffer of `size` bytes that holds at most size - 1: empty when the read and write
// positions meet, full when one more byte would make them meet.
class fifo {
public:
    explicit fifo(int size);
    virtual ~fifo();
    fifo(const fifo&) = delete;
    fifo& operator=(const fifo&) = delete;

    virtual void Reset();
    virtual int PopByte(char* out);  // 1 and the oldest byte, or 0 when empty
    virtual int PushByte(char c);    // 1 when stored, 0 when full
    virtual int PopBytes(char* buffer, int n);
    virtual int PushBytes(const char* data, int n);
    int Count() const;

private:
    char* Next(char* position) const { return position + 1 == end ? start : position + 1; }

    int size;
    char* start;
    char* end;
    char* readPos;
    char* writePos;
};

}  // namespace baudrill
