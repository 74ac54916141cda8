#include "monitor/traffic/RowBytes.h"

#include "monitor/traffic/LogLine.h"
#include "monitor/settings/SettingsStream.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace baudrill {
namespace {

std::string Pattern(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

TEST(RowBytes, AppendsInPiecesAndComparesAsText)
{
    RowBytes bytes;
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(bytes, "");
    bytes += "AB";
    bytes.append(std::string_view("\0C", 2));
    EXPECT_EQ(bytes.size(), 4u);
    EXPECT_EQ(bytes, std::string_view("AB\0C", 4));
    EXPECT_FALSE(bytes == "AB");
    bytes.assign(3, 'x');
    EXPECT_EQ(bytes, "xxx");
    bytes.clear();
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(RowBytes("text").str(), "text");
}

TEST(RowBytes, GrowsFarWithoutLosingAByte)
{
    // Notices of a flood, from a few bytes into mapped memory of many megabytes.
    const std::string all = Pattern(48 << 20);
    RowBytes bytes;
    std::size_t at = 0;
    for (std::size_t piece = 1; at < all.size(); piece = piece * 3 + 1) {
        const std::size_t n = std::min(piece, all.size() - at);
        bytes += std::string_view(all).substr(at, n);
        at += n;
    }
    EXPECT_TRUE(bytes.view() == all);
}

TEST(RowBytes, AppendingItsOwnBytesReadsThemBeforeGrowing)
{
    RowBytes bytes("abc");
    for (int i = 0; i < 20; ++i)
        bytes += bytes.view();
    EXPECT_EQ(bytes.size(), 3u << 20);
    EXPECT_EQ(bytes.view().substr(bytes.size() - 6), "abcabc");
}

// A copy of a row, as handed to the log writer, shares its bytes and keeps its own value.
TEST(RowBytes, CopiesShareTheBytesYetEachKeepsItsOwnValue)
{
    LogLine row;
    row.data = "first";
    const LogLine handedOver = row;
    EXPECT_EQ(handedOver.data.data(), row.data.data()) << "the bytes are shared, not copied";

    row.data += " second";
    EXPECT_EQ(row.data, "first second");
    EXPECT_EQ(handedOver.data, "first");

    // The copy that lags behind appends bytes of its own; neither sees the other's.
    RowBytes lagging = handedOver.data;
    lagging += " other";
    EXPECT_EQ(lagging, "first other");
    EXPECT_EQ(row.data, "first second");
    EXPECT_EQ(handedOver.data, "first");
    row.data += " third";
    EXPECT_EQ(row.data, "first second third");
}

TEST(RowBytes, ACopyReadOnAnotherThreadStaysWhileTheRowGrowsOn)
{
    const std::string all = Pattern(8 << 20);
    const std::size_t first = (1 << 20) + 1;  // one byte past a megabyte leaves room to grow into
    RowBytes row(std::string_view(all).substr(0, 1 << 20));
    row += std::string_view(all).substr(1 << 20, 1);
    const RowBytes handedOver = row;
    bool intact = false;
    std::thread writer([&] { intact = handedOver.view() == std::string_view(all).substr(0, first); });
    // In place while there is room, then in bytes of the row's own.
    for (std::size_t at = first; at < all.size(); at += 4096)
        row += std::string_view(all).substr(at, 4096);
    writer.join();
    EXPECT_TRUE(intact);
    EXPECT_TRUE(row.view() == all);
    EXPECT_TRUE(handedOver.view() == std::string_view(all).substr(0, first));
}

TEST(RowBytes, StoresAndLoadsAsAString)
{
    SettingsStream out;
    RowBytes stored(std::string_view("A\0B", 3));
    out % stored;
    SettingsStream in = SettingsStream::ForLoading(out.FramedBytes());
    RowBytes loaded("old");
    in % loaded;
    EXPECT_FALSE(in.IsError());
    EXPECT_EQ(loaded, std::string_view("A\0B", 3));
}

}  // namespace
}  // namespace baudrill
