#pragma once
// Copying the composed picture: a snapshot of a window region as the screen
// shows it, turned into 24-bit BMP bytes, then put on the clipboard.

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

class QClipboard;
class QWidget;

namespace moxilo::exporting {

// `region` of `window` (client coordinates) as drawn, children included,
// at exactly `size`: smoothly scaled when the screen's pixel ratio makes the
// grab larger. A null image when it cannot be taken.
QImage snapshot(QWidget& window, const QRect& region, QSize size);

// The snapshot bytes: a complete 24-bit BMP file; empty for a null image.
std::vector<std::uint8_t> snapshotBytes(const QImage& image);

inline constexpr auto kBmpMimeType = "image/bmp";

// Puts the picture on the clipboard, replacing what was there: as its snapshot
// bytes for those who paste a BMP, and in the other picture formats for the
// rest. A picture that yields no bytes (a failed snapshot) leaves the
// clipboard as it was; false then.
bool copyToClipboard(const QImage& picture, QClipboard& clipboard);

}  // namespace moxilo::exporting
