#include "face_titles.h"

#include <array>
#include <string_view>

namespace moxilo::bench {

std::string faceTitleUtf8(std::size_t item) {
    constexpr std::array<std::string_view, 10> kWords = {
        "熊猫头", "金馆长", "开心", "委屈", "生气", "吃瓜群众", "点赞", "晚安", "摸鱼", "加油"};
    std::string title(kWords[item % kWords.size()]);
    title += kWords[(item / kWords.size() + 3) % kWords.size()];
    return title;
}

}  // namespace moxilo::bench
