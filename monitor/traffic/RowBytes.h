#pragma once

#include <concepts>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace baudrill {

class SettingsStream;

// The bytes of a log row, in one piece, so that decoding and the dump read them as one view.
// A device that never pauses makes one row that grows for as long as the flood lasts, so
// appending costs in proportion to the bytes appended, never to the row: the bytes live in
// memory that grows without being copied (platform::GrowableMemory).
//
// A copy shares the bytes rather than copying them (the row handed to the log writer is such
// a copy, read on the writer's thread), yet each copy is a value of its own: appending to one
// never changes what another holds. An append writes past the end of every copy, in place,
// while no other copy has appended there and the memory has room; when the memory must grow
// while another copy holds it, the appending copy first takes bytes of its own. One copy is
// used by one thread at a time; different copies may be used by different threads.
class RowBytes {
public:
    RowBytes() = default;
    // Rows are given their bytes as text everywhere, so these convert implicitly.
    RowBytes(std::string_view bytes);                                          // NOLINT(google-explicit-constructor)
    RowBytes(const std::string& bytes) : RowBytes(std::string_view(bytes)) {}  // NOLINT
    RowBytes(const char* bytes) : RowBytes(std::string_view(bytes)) {}         // NOLINT
    RowBytes(const RowBytes& other) noexcept;
    RowBytes(RowBytes&& other) noexcept;
    RowBytes& operator=(const RowBytes& other) noexcept;
    RowBytes& operator=(RowBytes&& other) noexcept;
    ~RowBytes();

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const char* data() const;
    std::string_view view() const { return {data(), size_}; }
    operator std::string_view() const { return view(); }  // NOLINT(google-explicit-constructor)
    std::string str() const { return std::string(view()); }

    // Throws std::bad_alloc when no memory is left, as a string does.
    void append(std::string_view bytes);
    RowBytes& operator+=(std::string_view bytes)
    {
        append(bytes);
        return *this;
    }
    void assign(std::size_t count, char c);
    void clear();

    // Two rows compare by their bytes; a template, so that text converted to a row never makes
    // the comparison with text ambiguous.
    template <typename Other>
    requires std::same_as<Other, RowBytes>
    friend bool operator==(const RowBytes& a, const Other& b) { return a.view() == b.view(); }
    friend bool operator==(const RowBytes& a, std::string_view b) { return a.view() == b; }

    // The settings file: a string (monitor/settings/RowBytesSerialize.cpp).
    void Serialize(SettingsStream& stream);

private:
    struct Block;

    // Bytes of this copy's own, with room for `capacity`, holding what it holds now.
    void TakeOwnBytes(std::size_t capacity);
    void Drop();

    Block* block_ = nullptr;
    std::size_t size_ = 0;
};

std::ostream& operator<<(std::ostream& out, const RowBytes& bytes);

}  // namespace baudrill
