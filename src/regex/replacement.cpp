#include "replacement.h"

#include <optional>

namespace moxilo::regex {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct GroupReference {
    std::size_t group;
    std::size_t length;  // of the reference in the replacement, "$" included
};

// "$nn" when group nn exists, else "$n" when group n exists (so "$15" with one group is
// group 1 followed by "5").
std::optional<GroupReference> groupReferenceAt(std::string_view replacement, std::size_t dollar,
                                               std::size_t groupCount) {
    const std::string_view rest = replacement.substr(dollar + 1);
    if (rest.empty() || !isDigit(rest[0])) {
        return std::nullopt;
    }
    const auto first = static_cast<std::size_t>(rest[0] - '0');
    if (rest.size() > 1 && isDigit(rest[1])) {
        const std::size_t both = first * 10 + static_cast<std::size_t>(rest[1] - '0');
        if (both >= 1 && both <= groupCount) {
            return GroupReference{both, 3};
        }
    }
    if (first >= 1 && first <= groupCount) {
        return GroupReference{first, 2};
    }
    return std::nullopt;
}

void appendSpan(text::Text& out, std::string_view subject, const Span& span) {
    if (span.isSet()) {
        out.append(subject.substr(span.begin, span.length()));
    }
}

void appendExpansion(text::Text& out, std::string_view subject, const MatchTable& table,
                     std::size_t row, std::string_view replacement) {
    const Span& match = table.at(row, 0);
    std::size_t position = 0;
    while (position < replacement.size()) {
        const std::size_t dollar = std::min(replacement.find('$', position), replacement.size());
        out.append(replacement.substr(position, dollar - position));
        if (dollar + 1 >= replacement.size()) {
            out.append(replacement.substr(dollar));  // nothing, or a "$" that ends the replacement
            return;
        }
        position = dollar + 2;
        switch (replacement[dollar + 1]) {
            case '$':
                out.push_back('$');
                break;
            case '&':
                appendSpan(out, subject, match);
                break;
            case '`':
                out.append(subject.substr(0, match.begin));
                break;
            case '\'':
                out.append(subject.substr(match.end));
                break;
            default:
                if (const auto reference =
                        groupReferenceAt(replacement, dollar, table.columns - 1)) {
                    appendSpan(out, subject, table.at(row, reference->group));
                    position = dollar + reference->length;
                } else {
                    out.push_back('$');
                    position = dollar + 1;
                }
        }
    }
}

}  // namespace

text::Text replaceMatches(std::string_view subject, const MatchTable& table,
                          std::string_view replacement) {
    text::Text out;
    out.reserve(subject.size());
    std::size_t copiedUpTo = 0;
    for (std::size_t row = 0; row < table.rows(); ++row) {
        const Span& match = table.at(row, 0);
        out.append(subject.substr(copiedUpTo, match.begin - copiedUpTo));
        appendExpansion(out, subject, table, row, replacement);
        copiedUpTo = match.end;
    }
    out.append(subject.substr(copiedUpTo));
    return out;
}

}  // namespace moxilo::regex
