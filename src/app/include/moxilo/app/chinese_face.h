#pragma once
// Which face draws Chinese text. The captions ask for "the default face of the
// GB2312 character set"; on Linux that is the face fontconfig matches for
// Simplified Chinese (zh-cn). Naming it keeps characters such as 骨 and 直 in
// their mainland forms: left to Qt's per-character fallback, a desktop whose
// language prefers Japanese draws them from a Japanese face.

#include <QFont>
#include <QString>
#include <QStringList>

namespace moxilo::app {

// The family fontconfig matches for zh-cn, looked up once; empty when no
// installed face covers Simplified Chinese.
[[nodiscard]] const QString& simplifiedChineseFace();

// `base` drawn wholly in the Simplified Chinese face (the captions): Latin
// letters too, as the character set's default face draws them. Unchanged when
// there is no such face.
[[nodiscard]] QFont inChineseFace(QFont base);

// `base` for the rest of the interface: its own face for the characters it
// has, the Simplified Chinese face for the rest. When its own face has Han
// characters (in whatever forms), the Simplified Chinese face draws everything.
[[nodiscard]] QFont withChineseFallback(QFont base);

}  // namespace moxilo::app
