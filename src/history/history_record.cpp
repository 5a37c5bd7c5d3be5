#include "history/history_record.h"

#include "history/gbk_chars.h"
#include "net/codepage.h"

namespace morvessa {
namespace {

struct RecordMarks {
  std::string prefix = gbk(RECORD_PREFIX);
  std::string address = gbk(ADDRESS_SEPARATOR);
  std::string field = gbk(FIELD_SEPARATOR);
};

const RecordMarks& marks() {
  static const RecordMarks m;
  return m;
}

std::optional<HistoryEntry> by_fields(std::string_view value) {
  std::vector<std::string_view> fields = gbk_split(value, marks().field);
  // The text after the last colon is a field only when it is not empty.
  if (fields.back().empty()) fields.pop_back();
  if (fields.size() != 3 && fields.size() != 4) return std::nullopt;
  return HistoryEntry{std::string(fields[1]), fields.size() == 4 ? std::string(fields[3]) : std::string()};
}

}  // namespace

std::string record_value(const HistoryEntry& entry) {
  return marks().prefix + entry.text + marks().address + entry.address;
}

std::optional<HistoryEntry> parse_record(std::string_view value) {
  const RecordMarks& m = marks();
  if (value.starts_with(m.prefix)) {
    std::size_t at = gbk_rfind(value, m.address, m.prefix.size());
    if (at != std::string_view::npos)
      return HistoryEntry{std::string(value.substr(m.prefix.size(), at - m.prefix.size())),
                          std::string(value.substr(at + m.address.size()))};
  }
  return by_fields(value);
}

}  // namespace morvessa
