#include "moxilo/app/chinese_face.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <memory>

namespace moxilo::app {
namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

constexpr auto kLanguage = "zh-cn";
constexpr std::array kHanSystems{QFontDatabase::SimplifiedChinese,
                                 QFontDatabase::TraditionalChinese, QFontDatabase::Japanese,
                                 QFontDatabase::Korean};

// What `fc-match :lang=zh-cn` prints, provided the match really covers the
// language: with no Chinese face installed fontconfig still answers with its
// best Latin face, which would draw boxes.
QString matchFamily() {
    const Pattern pattern(FcNameParse(reinterpret_cast<const FcChar8*>(":lang=zh-cn")));
    if (!pattern || FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern) == FcFalse) {
        return {};
    }
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
    FcLangSet* languages = nullptr;
    FcChar8* family = nullptr;
    if (!match || FcPatternGetLangSet(match.get(), FC_LANG, 0, &languages) != FcResultMatch ||
        FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>(kLanguage)) != FcLangEqual ||
        FcPatternGetString(match.get(), FC_FAMILY, 0, &family) != FcResultMatch) {
        return {};
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(family));
}

}  // namespace

const QString& simplifiedChineseFace() {
    static const QString face = matchFamily();
    return face;
}

QFont inChineseFace(QFont base) {
    if (!simplifiedChineseFace().isEmpty()) {
        base.setFamilies({simplifiedChineseFace()});
    }
    return base;
}

QFont withChineseFallback(QFont base) {
    if (simplifiedChineseFace().isEmpty()) {
        return base;
    }
    // The family the base resolves to: an alias such as "Sans Serif" is only
    // resolved when it stands alone, and in a list would yield to the next.
    const QString own = QFontInfo(base).family();
    // A face that has Han characters of its own (a Japanese desktop's, say)
    // would draw the Chinese texts in its forms: the Chinese face draws all then.
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(own);
    const bool ownDrawsHan = std::ranges::any_of(
        kHanSystems, [&](QFontDatabase::WritingSystem system) { return systems.contains(system); });
    if (ownDrawsHan) {
        return inChineseFace(base);
    }
    base.setFamilies({own, simplifiedChineseFace()});
    return base;
}

}  // namespace moxilo::app
