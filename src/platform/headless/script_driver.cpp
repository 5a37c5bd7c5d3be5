#include "platform/headless/script_driver.h"

#include <istream>
#include <ostream>

#include "app/layout.h"
#include "net/codepage.h"
#include "platform/headless/dump.h"

namespace morvessa {
namespace {

// Fields split at single blanks; an empty field stays (so TEXT may hold runs of blanks).
std::vector<std::string> split_fields(const std::string& line, std::size_t max_fields) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (fields.size() + 1 < max_fields) {
    std::size_t blank = line.find(' ', start);
    if (blank == std::string::npos) break;
    fields.push_back(line.substr(start, blank - start));
    start = blank + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

std::optional<int> parse_int(const std::string& text) {
  if (text.empty()) return std::nullopt;
  std::size_t used = 0;
  try {
    int value = std::stoi(text, &used);
    if (used == text.size()) return value;
  } catch (...) {
  }
  return std::nullopt;
}

struct MouseCommand {
  std::string_view word;
  EventKind kind;
  bool with_place;
};
constexpr MouseCommand EVENT_WORDS[] = {
    {"press", EventKind::left_press, true},
    {"release", EventKind::left_release, true},
    {"move", EventKind::mouse_move, true},
    {"lost-focus", EventKind::lost_focus, false},
    {"click", EventKind::clicked, false},
    {"dblclick", EventKind::double_clicked, false},
    {"document-ready", EventKind::document_ready, false},
};

}  // namespace

ScriptDriver::ScriptDriver(RecordToolkit& toolkit, App& app, Workers& workers, std::istream& in,
                           std::ostream& out, std::ostream& err)
    : toolkit_(toolkit), app_(app), workers_(workers), in_(in), out_(out), err_(err) {
  toolkit_.set_modal_runner([this](const std::function<bool()>& done) { run_until(done); });
}

int ScriptDriver::run() {
  try {
    run_until([this] { return toolkit_.main_destroyed(); });
  } catch (const Exit&) {
  }
  out_.flush();
  return failed_ ? 1 : 0;
}

void ScriptDriver::run_until(const std::function<bool()>& done) {
  std::string line;
  while (!done()) {
    if (!std::getline(in_, line)) throw Exit{};
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    execute(line);
  }
}

void ScriptDriver::error(const std::string& message) {
  err_ << "error: " << message << '\n';
  err_.flush();
  failed_ = true;
}

std::optional<ControlRef> ScriptDriver::resolve(const std::string& window, const std::string& control) {
  WindowId id;
  if (window == "main") {
    id = WindowId::main;
  } else if (window == "line") {
    id = WindowId::line;
  } else {
    error("unknown window: " + window);
    return std::nullopt;
  }
  if (control == "-") return ControlRef{id, -1};
  std::optional<ControlRef> ref = control_by_name(id, control);
  if (!ref) error("unknown control: " + window + " " + control);
  return ref;
}

void ScriptDriver::execute(const std::string& line) {
  std::vector<std::string> f = split_fields(line, 4);
  const std::string& command = f[0];
  if (command == "exit") throw Exit{};
  if (command == "dump") {
    out_ << dump_json(toolkit_.snapshot(), app_.state) << '\n';
    out_.flush();
  } else if (command == "wait") {
    command_wait();
  } else if (command == "event") {
    command_event(split_fields(line, 6));
  } else if (command == "type" && f.size() >= 3) {
    if (auto ref = resolve(f[1], f[2])) toolkit_.user_type(*ref, gbk(f.size() > 3 ? f[3] : std::string()));
  } else if ((command == "select" || command == "click-row" || command == "dblclick-row") && f.size() == 4) {
    std::optional<int> n = parse_int(f[3]);
    std::optional<ControlRef> ref = resolve(f[1], f[2]);
    if (!ref) return;
    if (!n || ref->is_window()) return error("bad row or item: " + line);
    toolkit_.user_select(*ref, *n);
    if (command != "select") toolkit_.user_event(*ref, EventKind::clicked);
    if (command == "dblclick-row") toolkit_.user_event(*ref, EventKind::double_clicked);
  } else if (command == "tab" && f.size() == 2 && parse_int(f[1])) {
    toolkit_.user_pick_tab(*parse_int(f[1]));
  } else if (command == "answer" && f.size() == 2 && (f[1] == "ok" || f[1] == "cancel")) {
    toolkit_.queue_answer(f[1] == "ok" ? 0 : 1);
  } else {
    error("unknown command: " + line);
  }
}

void ScriptDriver::command_event(const std::vector<std::string>& f) {
  if (f.size() < 4) return error("event needs WINDOW CONTROL EVENT");
  std::optional<ControlRef> ref = resolve(f[1], f[2]);
  if (!ref) return;
  const std::string& word = f[3];
  if (word == "key") {
    std::optional<int> code = f.size() == 5 ? parse_int(f[4]) : std::nullopt;
    if (!code) return error("key needs a key code");
    return toolkit_.user_event(*ref, EventKind::key_pressed, {0, 0, *code});
  }
  for (const MouseCommand& m : EVENT_WORDS) {
    if (word != m.word) continue;
    EventArgs args;
    if (m.with_place) {
      std::optional<int> x = f.size() == 6 ? parse_int(f[4]) : std::nullopt;
      std::optional<int> y = f.size() == 6 ? parse_int(f[5]) : std::nullopt;
      if (!x || !y) return error(word + " needs X Y");
      args.x = *x;
      args.y = *y;
    } else if (f.size() != 4) {
      return error(word + " takes no arguments");
    }
    return toolkit_.user_event(*ref, m.kind, args);
  }
  error("unknown event: " + word);
}

void ScriptDriver::command_wait() {
  auto deadline = std::chrono::steady_clock::now() + WAIT_LIMIT;
  for (;;) {
    toolkit_.run_pending();
    if (toolkit_.main_destroyed() || (workers_.running() == 0 && toolkit_.idle())) return;
    if (std::chrono::steady_clock::now() >= deadline) return error("wait: still busy after 60 s");
    workers_.wait_idle(std::chrono::milliseconds(5));
  }
}

}  // namespace morvessa
