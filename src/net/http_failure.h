#pragma once
// The numbered failure texts that the request engine leaves in its status output.

#include <string>

namespace morvessa {

enum class HttpFailure {
  platform = 700,
  url = 701,
  session = 702,
  connection = 703,
  request = 704,
  timeouts = 705,
  credentials = 707,
  cookies = 708,
  redirects = 709,
  headers = 710,
  send = 711,
  no_response = 712,
  read = 713,
};

// The failure's text in code page 936, for instance "711 发送请求失败!".
const std::string& http_failure_text(HttpFailure failure);

}  // namespace morvessa
