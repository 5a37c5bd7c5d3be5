#pragma once
// Decoding the bytes a picture box is given: JPEG, PNG, GIF or BMP, fitted into the box keeping its aspect.

#include <QImage>
#include <QSize>
#include <cstddef>
#include <string_view>

namespace morvessa {

// An image that would decode to more than this is refused before any pixel is decoded.
inline constexpr std::size_t MAX_DECODED_PICTURE_BYTES = 64u * 1024u * 1024u;

// The image scaled to fit box (pixels) with its aspect kept; a null image for empty, undecodable, refused
// or unsupported bytes.
QImage decode_fitted_picture(std::string_view bytes, QSize box);

}  // namespace morvessa
