#pragma once
// The key code a key-pressed event carries: the Windows virtual-key code of the key (Enter 13, Esc 27).

class QKeyEvent;

namespace morvessa {

// 0 for a key that has no such code.
int windows_key_code(const QKeyEvent& event);

}  // namespace morvessa
