#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace baudrill {

// The settings file's byte stream, one class for both directions: every record has one
// Serialize(SettingsStream&) that stores or loads the same items in the same order.
//
// The file is one frame: the start magic 64 61 74 61, the content, the end magic 65 6E 64 00
// and the length of start magic + content + end magic (4 bytes). Items of the content, all
// numbers little-endian:
//   int     4 bytes, two's complement
//   double  8 bytes, IEEE 754 binary64
//   byte    1 byte
//   bool    1 byte, 0 or 1 (any other byte loads as true)
//   string  its length, then its bytes; a length below 127 is one byte, a longer one is the byte
//           0xFF and the length in 4 bytes (a single byte 127 to 254 still loads as the length)
//   packed  a number of 0 or more as value + 1: one byte when below 255, else 0xFF and value + 1
//           in 4 bytes (the form of every count, and of the versions of some records)
//   count   a packed number
//   vector  its count, then each element
//
// Loading never trusts the file: a string or count that the rest of the content cannot hold,
// a negative count and a missing byte are loading errors. The first error stops the load:
// every later item leaves its variable as it is, and what was read before stays.
class SettingsStream {
public:
    static constexpr std::string_view StartMagic{"data", 4};
    static constexpr std::string_view EndMagic{"end\0", 4};
    static constexpr int FrameBytes = 12;

    // A storing stream with empty content.
    SettingsStream() = default;
    // A loading stream over a whole file. A file that does not begin with the start magic
    // gives a stream that is in error at once, so nothing loads.
    static SettingsStream ForLoading(std::string fileBytes);

    bool IsLoading() const { return loading_; }
    bool IsStoring() const { return !loading_; }
    // Loading only: an error occurred; every item since has been skipped.
    bool IsError() const { return error_; }
    void SetError() { error_ = true; }
    // Loading only: the file began with the start magic.
    bool HasFrame() const { return hasFrame_; }
    // Loading only, after the content: no error, and the content ended exactly at an end magic
    // followed by the right length at the end of the file.
    bool IsFrameComplete() const;

    // Storing only: the whole file, the content in its frame.
    std::string FramedBytes() const;
    // Storing: the content so far; loading: the content bytes not read yet.
    std::string_view Content() const;

    void Serialize(int& value);
    void Serialize(double& value);
    void Serialize(std::uint8_t& value);
    void Serialize(bool& value);
    void Serialize(std::string& value);
    // A packed number; loading a packed 0 (a value below 0) is an error. On an error the value
    // is left as it was.
    void SerializePacked(int& value);
    // A container count. Loading checks it against what is left: each element takes at least
    // `minElementBytes` bytes. On an error the count is left as it was.
    void SerializeCount(int& count, int minElementBytes);

    template <class T>
    void Serialize(std::vector<T>& items);

    // Any item: the ones above, vectors, and records with a Serialize(SettingsStream&) of their own.
    template <class T>
    SettingsStream& operator%(T& item)
    {
        SerializeElement(item);
        return *this;
    }

private:
    bool Take(std::size_t n, std::string_view& bytes);
    bool TakeInt32(int32_t& value);
    void PutInt32(int32_t value);
    // A string length or packed count: one byte below `oneByteLimit`, else 0xFF and 4 bytes.
    void PutLength(int64_t value, int64_t oneByteLimit);
    bool TakeLength(int64_t& value);

    template <class T>
    void SerializeElement(T& item)
    {
        if constexpr (requires { item.Serialize(*this); })
            item.Serialize(*this);
        else
            Serialize(item);
    }

    // The bytes of a default-made element, the least that any element of that type takes.
    template <class T>
    static int MinStoredBytes()
    {
        static const int bytes = [] {
            SettingsStream probe;
            T item{};
            probe.SerializeElement(item);
            return static_cast<int>(probe.content_.size());
        }();
        return bytes;
    }

    bool loading_ = false;
    bool error_ = false;
    bool hasFrame_ = false;
    bool trailerInPlace_ = false;  // loading: the file ends in a valid end magic and length
    std::string content_;          // storing: the content; loading: the whole file
    std::size_t pos_ = 0;          // loading: the next byte of content_
    std::size_t end_ = 0;          // loading: the end of the readable content
};

// Loading empties the vector and appends the elements as they are read: an element cut short
// by an error stays, as read so far; the elements after it are not made at all.
template <class T>
void SettingsStream::Serialize(std::vector<T>& items)
{
    if (error_)
        return;
    int count = static_cast<int>(items.size());
    SerializeCount(count, MinStoredBytes<T>());
    if (error_)
        return;
    if (IsStoring()) {
        for (T& item : items)
            SerializeElement(item);
        return;
    }
    items.clear();
    items.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count && !error_; ++i)
        SerializeElement(items.emplace_back());
}

}  // namespace baudrill
