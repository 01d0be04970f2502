#pragma once
// On X11 a copied picture lives in the program that copied it: when that
// program ends, the clipboard empties. At shut-down the program hands a picture
// it still owns to the clipboard keeper, a small program without a window
// installed beside it, which keeps it pasteable (see clipboard_keeper.cpp).

#include <QString>

#include <chrono>

class QClipboard;

namespace moxilo::exporting {

// The keeper's file name, beside the program.
inline constexpr auto kClipboardKeeperName = "moxilo-clipboard-keeper";

// When the program runs on X11 and still owns the clipboard's picture, starts
// `keeperProgram` with the picture and serves paste requests until the keeper
// owns the clipboard, at most `bound`. True when the keeper has taken it;
// false when there was nothing to hand over or the keeper did not take it.
bool handOverClipboardPicture(QClipboard& clipboard, const QString& keeperProgram,
                              std::chrono::milliseconds bound);

}  // namespace moxilo::exporting
