#pragma once
// What the desktop tests share: bounded waits, picture comparisons, the
// clipboard as other programs see it, and fontconfig's answers.

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

#include "x_session.h"

namespace moxilo::desktop_test {

// Polls until `condition` holds; false when `bound` passes first.
bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds bound);

// Ends a process the test started: asked first, killed when it lingers.
void stop(QProcess& process);

// Pixels of two same-sized pictures whose brightness differs by more than `tolerance`.
int differingPixels(const QImage& a, const QImage& b, int tolerance);

// Pixels dark enough to be text.
int darkPixels(const QImage& image);

// The PNG picture a pasting program prints (xclip, wl-paste); nullopt when it
// fails, takes longer than ten seconds or prints no picture.
std::optional<QImage> pastedPicture(const QString& program, const QStringList& arguments,
                                    const QProcessEnvironment& environment);

// The clipboard's picture on an X session, read with xclip.
std::optional<QImage> clipboardPicture(const e2e::XSession& session);

// Another program (xclip) puts `text` on the session's clipboard.
void putTextOnClipboard(const e2e::XSession& session, const QByteArray& text);

// The family fontconfig matches for a language, as `fc-match :lang=...` prints it.
QString fontconfigMatch(const QString& language);

}  // namespace moxilo::desktop_test
