#include "catalogue_data.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace moxilo::demo_site {
namespace {

constexpr std::size_t kStoreFolderWidth = 10;

// Ids mix three and four digits, as the real catalogue's do; some titles carry
// character references, which the program must show as they stand.
constexpr std::array kFaces{
    DemoFace{1, "1024", "开心"},
    DemoFace{1, "1025", "大笑"},
    DemoFace{1, "318", "无语"},
    DemoFace{1, "1031", "生气"},
    DemoFace{1, "527", "害羞"},
    DemoFace{1, "1102", "委屈"},
    DemoFace{1, "233", "&#21704;&#21704;&#21704;"},
    DemoFace{1, "1200", "加油"},
    DemoFace{1, "466", "点赞"},
    DemoFace{1, "1314", "比心"},
    DemoFace{1, "520", "爱你"},
    DemoFace{1, "1166", "晚安"},
    DemoFace{1, "888", "恭喜发财"},
    DemoFace{1, "1288", "吃瓜"},
    DemoFace{1, "301", "惊讶"},
    DemoFace{1, "1999", "摸鱼"},

    DemoFace{2, "2001", "早上好"},
    DemoFace{2, "404", "找不到北"},
    DemoFace{2, "2048", "头大"},
    DemoFace{2, "612", "困了"},
    DemoFace{2, "2077", "我太难了"},
    DemoFace{2, "731", "冷漠"},
    DemoFace{2, "2100", "鼓掌"},
    DemoFace{2, "845", "流泪"},
    DemoFace{2, "2222", "猫&amp;狗"},
    DemoFace{2, "918", "喝茶"},
    DemoFace{2, "2333", "笑死"},
    DemoFace{2, "2400", "你懂的"},
    DemoFace{2, "2468", "上班&amp;下班"},
    DemoFace{2, "999", "好运来"},
    DemoFace{2, "2520", "拜托了"},
    DemoFace{2, "2601", "社恐"},

    DemoFace{3, "3003", "好的"},
    DemoFace{3, "3010", "收到"},
    DemoFace{3, "3055", "我不听"},
    DemoFace{3, "312", "叹气"},
    DemoFace{3, "3141", "圆周率"},
    DemoFace{3, "3200", "&quot;真香&quot;"},
    DemoFace{3, "3256", "溜了"},
    DemoFace{3, "3333", "三连"},
    DemoFace{3, "356", "打工人"},
    DemoFace{3, "3400", "干杯"},
    DemoFace{3, "3512", "奋斗"},
    DemoFace{3, "3600", "躺平"},
    DemoFace{3, "3721", "&lt;略略略&gt;"},
    DemoFace{3, "3800", "别急"},
    DemoFace{3, "3888", "稳了"},
    DemoFace{3, "3999", "再见"},

    DemoFace{4, "4001", "吃饭了吗"},
    DemoFace{4, "4096", "熬夜"},
    DemoFace{4, "4100", "嗯……"},
    DemoFace{4, "4200", "好家伙"},
    DemoFace{4, "455", "问号脸"},
    DemoFace{4, "4321", "倒计时"},
    DemoFace{4, "4404", "迷路"},
    DemoFace{4, "4520", "我爱学习"},
    DemoFace{4, "4600", "嘿嘿"},
    DemoFace{4, "4666", "六六六"},
    DemoFace{4, "4700", "冲鸭"},
    DemoFace{4, "4800", "饿了"},
    DemoFace{4, "4888", "暗中观察"},
    DemoFace{4, "4950", "下班啦"},
    DemoFace{4, "4999", "周末快乐"},
    DemoFace{4, "4040", "&#x54C8;&#x54C8;"},
};

}  // namespace

std::span<const DemoFace> demoFaces() {
    return kFaces;
}

std::optional<DemoFace> findDemoFace(std::string_view id) {
    const auto found = std::ranges::find(kFaces, id, &DemoFace::id);
    if (found == kFaces.end()) {
        return std::nullopt;
    }
    return *found;
}

std::string storeFolder(std::string_view id) {
    return std::string(kStoreFolderWidth - std::min(id.size(), kStoreFolderWidth), '0') +
           std::string(id);
}

std::optional<DemoFace> faceInStoreFolder(std::string_view folder) {
    const std::size_t firstNonZero = std::min(folder.find_first_not_of('0'), folder.size());
    const auto face = findDemoFace(folder.substr(firstNonZero));
    if (!face || storeFolder(face->id) != folder) {
        return std::nullopt;
    }
    return face;
}

}  // namespace moxilo::demo_site
