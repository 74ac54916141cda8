#include "monitor/settings/SettingsStream.h"

#include <bit>

namespace baudrill {

namespace {

// The lead byte of a length or count kept in the 4 bytes that follow.
constexpr int64_t LongLength = 0xFF;
// Strings shorter than this keep their length in one byte.
constexpr int64_t ShortStringLimit = 127;

// Little-endian unsigned numbers of 4 or 8 bytes.
template <class U>
U ReadLittleEndian(std::string_view bytes)
{
    U v = 0;
    for (int i = static_cast<int>(sizeof(U)) - 1; i >= 0; --i)
        v = static_cast<U>(v << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    return v;
}

template <class U>
void AppendLittleEndian(std::string& out, U v)
{
    for (std::size_t i = 0; i < sizeof(U); ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

int32_t ReadInt32(std::string_view bytes) { return static_cast<int32_t>(ReadLittleEndian<uint32_t>(bytes)); }

void AppendInt32(std::string& out, int32_t value) { AppendLittleEndian(out, static_cast<uint32_t>(value)); }

}  // namespace

SettingsStream SettingsStream::ForLoading(std::string fileBytes)
{
    SettingsStream s;
    s.loading_ = true;
    s.content_ = std::move(fileBytes);
    const std::string_view file = s.content_;
    s.hasFrame_ = file.substr(0, StartMagic.size()) == StartMagic;
    if (!s.hasFrame_) {
        s.error_ = true;
        return s;
    }
    s.pos_ = StartMagic.size();
    s.end_ = file.size();
    // With the end magic and the right length at the end of the file, the content is exactly
    // what lies between; otherwise (a file cut short) everything after the start magic is read,
    // and the frame is reported incomplete afterwards.
    if (file.size() >= FrameBytes) {
        const std::size_t trailer = file.size() - 8;
        const int32_t length = ReadInt32(file.substr(trailer + 4, 4));
        if (file.substr(trailer, 4) == EndMagic && length >= 0 && static_cast<std::size_t>(length) == trailer + 4) {
            s.trailerInPlace_ = true;
            s.end_ = trailer;
        }
    }
    return s;
}

bool SettingsStream::IsFrameComplete() const { return loading_ && !error_ && trailerInPlace_ && pos_ == end_; }

std::string SettingsStream::FramedBytes() const
{
    std::string out;
    out.reserve(content_.size() + FrameBytes);
    out.append(StartMagic);
    out.append(content_);
    out.append(EndMagic);
    AppendInt32(out, static_cast<int32_t>(out.size()));
    return out;
}

std::string_view SettingsStream::Content() const
{
    const std::string_view all = content_;
    return loading_ ? all.substr(pos_, end_ - pos_) : all;
}

bool SettingsStream::Take(std::size_t n, std::string_view& bytes)
{
    if (error_ || end_ - pos_ < n) {
        error_ = true;
        return false;
    }
    bytes = std::string_view(content_).substr(pos_, n);
    pos_ += n;
    return true;
}

bool SettingsStream::TakeInt32(int32_t& value)
{
    std::string_view bytes;
    if (!Take(4, bytes))
        return false;
    value = ReadInt32(bytes);
    return true;
}

void SettingsStream::PutInt32(int32_t value) { AppendInt32(content_, value); }

void SettingsStream::PutLength(int64_t value, int64_t oneByteLimit)
{
    if (value < oneByteLimit) {
        content_.push_back(static_cast<char>(value));
        return;
    }
    content_.push_back(static_cast<char>(LongLength));
    PutInt32(static_cast<int32_t>(value));
}

bool SettingsStream::TakeLength(int64_t& value)
{
    std::string_view lead;
    if (!Take(1, lead))
        return false;
    value = static_cast<unsigned char>(lead[0]);
    if (value != LongLength)
        return true;
    int32_t v = 0;
    if (!TakeInt32(v))
        return false;
    value = v;
    return true;
}

void SettingsStream::Serialize(int& value)
{
    if (IsStoring()) {
        PutInt32(value);
        return;
    }
    int32_t v = 0;
    if (TakeInt32(v))
        value = v;
}

void SettingsStream::Serialize(double& value)
{
    if (IsStoring()) {
        AppendLittleEndian(content_, std::bit_cast<uint64_t>(value));
        return;
    }
    std::string_view bytes;
    if (Take(8, bytes))
        value = std::bit_cast<double>(ReadLittleEndian<uint64_t>(bytes));
}

void SettingsStream::Serialize(std::uint8_t& value)
{
    if (IsStoring()) {
        content_.push_back(static_cast<char>(value));
        return;
    }
    std::string_view byte;
    if (Take(1, byte))
        value = static_cast<std::uint8_t>(byte[0]);
}

void SettingsStream::Serialize(bool& value)
{
    if (IsStoring()) {
        content_.push_back(value ? 1 : 0);
        return;
    }
    std::string_view byte;
    if (Take(1, byte))
        value = byte[0] != 0;
}

void SettingsStream::Serialize(std::string& value)
{
    if (IsStoring()) {
        PutLength(static_cast<int64_t>(value.size()), ShortStringLimit);
        content_.append(value);
        return;
    }
    int64_t length = 0;
    if (!TakeLength(length))
        return;
    std::string_view bytes;
    if (length < 0 || !Take(static_cast<std::size_t>(length), bytes)) {
        error_ = true;
        return;
    }
    value.assign(bytes);
}

void SettingsStream::SerializePacked(int& value)
{
    if (IsStoring()) {
        PutLength(static_cast<int64_t>(value) + 1, LongLength);
        return;
    }
    int64_t packed = 0;
    if (!TakeLength(packed))
        return;
    if (packed < 1) {
        error_ = true;
        return;
    }
    value = static_cast<int>(packed - 1);
}

void SettingsStream::SerializeCount(int& count, int minElementBytes)
{
    int n = count;
    SerializePacked(n);
    if (IsStoring() || error_)
        return;
    const int64_t perElement = minElementBytes > 0 ? minElementBytes : 1;
    if (n > static_cast<int64_t>(end_ - pos_) / perElement) {
        error_ = true;
        return;
    }
    count = n;
}

}  // namespace baudrill
