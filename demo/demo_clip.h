#pragma once
// The short clip that every demo player page plays: WebM, VP9 video and Opus audio, made by
// demo/clip/make_clip.sh and embedded at build time.

#include <string_view>

namespace morvessa::demo {

std::string_view demo_clip_bytes();

}  // namespace morvessa::demo
