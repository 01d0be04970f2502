#include "form_request_headers.h"

#include "moxilo/text/text_utils.h"

namespace moxilo::net {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUserAgentKey = "User-Agent:";
constexpr std::string_view kDefaultAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

void appendLine(text::Text& block, std::string_view line) {
    if (!block.empty()) {
        block.append(kLineEnd);
    }
    block.append(line);
}

// The key is looked for anywhere in the block, letter case counting.
void appendUnlessKeyed(text::Text& block, std::string_view key, std::string_view line) {
    if (!text::containsText(block, key)) {
        appendLine(block, line);
    }
}

}  // namespace

text::Text formHeaderBlock(std::string_view extraHeaders, std::string_view url,
                           std::string_view cookies) {
    text::Text block(extraHeaders);
    appendUnlessKeyed(block, "Accept:", "Accept: */*");
    appendUnlessKeyed(block, "Referer:", "Referer: " + text::Text(url));
    appendUnlessKeyed(block, "Accept-Language:", "Accept-Language: zh-cn");
    appendUnlessKeyed(block, "Content-Type:", "Content-Type: application/x-www-form-urlencoded");
    if (!cookies.empty()) {
        appendLine(block, "Cookie: " + text::Text(cookies));
    }
    return block;
}

text::Text formUserAgent(std::string_view extraHeaders) {
    text::Text agent = text::trimBlanks(text::textBetween(extraHeaders, kUserAgentKey, kLineEnd));
    if (agent.empty()) {
        // The key in another letter case, or a last line with no CR LF after it: the rest
        // of the line that holds the key, which is the header value of a lone agent line.
        const std::size_t key =
            text::findText(extraHeaders, kUserAgentKey, 0, text::LetterCase::ignored);
        if (key != std::string_view::npos) {
            const std::string_view rest = extraHeaders.substr(key + kUserAgentKey.size());
            agent = text::trimBlanks(rest.substr(0, text::findText(rest, kLineEnd)));
        }
    }
    return agent.empty() ? text::Text(kDefaultAgent) : agent;
}

}  // namespace moxilo::net
