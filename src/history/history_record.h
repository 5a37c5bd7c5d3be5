#pragma once
// One play-history entry and the value of its record in the history file: "记录：", the entry text,
// "：地址：", the page address.

#include <optional>
#include <string>
#include <string_view>

namespace morvessa {

inline constexpr std::string_view RECORD_PREFIX = "记录：";
inline constexpr std::string_view ADDRESS_SEPARATOR = "：地址：";
inline constexpr std::string_view FIELD_SEPARATOR = "：";

struct HistoryEntry {
  std::string text;     // column 0 of 超级列表框3
  std::string address;  // column 1
  friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

std::string record_value(const HistoryEntry& entry);
// The entry is what stands between the leading "记录：" and the last "：地址：", the address what follows;
// a value of another shape is split into fields at every "：" and gives an entry when there are three or
// four of them (the second, and the fourth when there is one). Nothing for anything else.
std::optional<HistoryEntry> parse_record(std::string_view value);

}  // namespace morvessa
