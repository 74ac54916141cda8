#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <string_view>

#include "monitor/protocols/ArticleRecord.h"
#include "tests/support/TempFolder.h"

namespace baudrill::test {

void WriteFile(const std::string& path, std::string_view text);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
// The records of a protocol file as read back; none (and a failure) when it does not read.
std::vector<ArticleRecord> StoredRecords(const std::string& path);

// A protocol file's text holding the given "article" elements (written out by the caller).
std::string ProtoFile(std::string_view articles, std::string_view root = "BAUDRILL");
// One "article" element with these attributes (uid left out when empty).
std::string ArticleXml(std::string_view name, std::string_view desc, std::string_view uid = "",
                       std::string_view comment = "");

// A name no other test of this process uses, so tests do not depend on what the shared grammar
// namespace holds.
std::string UniqueName(std::string_view tag);

}  // namespace baudrill::test
