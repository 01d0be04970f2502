#include "listing_page.h"

#include "catalogue_data.h"
#include "moxilo/text/codec.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace moxilo::demo_site {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

struct CharsetName {
    ListingCharset charset;
    std::string_view name;
};

constexpr std::array kCharsetNames{
    CharsetName{ListingCharset::Utf8Declared, "utf-8-declared"},
    CharsetName{ListingCharset::Utf8Undeclared, "utf-8"},
    CharsetName{ListingCharset::Gbk, "gbk"},
};

// Everything up to the title, so that a declaration sits well inside the first
// 1024 bytes, where browsers and the program look for it.
std::string head(ListingCharset charset) {
    std::string html = "<!DOCTYPE html>\r\n<html lang=\"zh-CN\">\r\n<head>\r\n";
    if (charset == ListingCharset::Utf8Declared) {
        html += "<meta charset=\"utf-8\">\r\n";
    } else if (charset == ListingCharset::Gbk) {
        html += "<meta charset=\"gbk\">\r\n";
    }
    return html;
}

std::string item(const DemoFace& face) {
    const std::string id(face.id);
    return "<li><a href=\"make.aspx?id=" + id + "\"><div class=\"image\"><img alt=\"" +
           std::string(face.title) + "\" src=\"store/face/" + storeFolder(face.id) +
           "/thumb.jpg\" /></div></a></li>";
}

std::string pager(int pageNumber) {
    if (pageNumber < 1 || pageNumber > kDemoPageCount) {
        return "<p class=\"pager\">没有更多表情了</p>";
    }
    std::string html = "<p class=\"pager\">";
    if (pageNumber > 1) {
        html +=
            "<a href=\"ListWithImage.aspx?pn=" + std::to_string(pageNumber - 1) + "\">上一页</a> ";
    }
    html += "第 " + std::to_string(pageNumber) + " 页";
    html += " <a href=\"ListWithImage.aspx?pn=" + std::to_string(pageNumber + 1) + "\">下一页</a>";
    return html + "</p>";
}

std::string utf8Page(int pageNumber, ListingCharset charset) {
    std::string html = head(charset);
    html += "<title>表情大全</title>\r\n</head>\r\n<body>\r\n<h1>表情大全</h1>\r\n";
    html += "<ul class=\"facelist\">\r\n";
    for (const DemoFace& face : demoFaces()) {
        if (face.page == pageNumber) {
            html += item(face);
            html += kLineEnd;
        }
    }
    html += "</ul>\r\n";
    html += pager(pageNumber);
    html += "\r\n</body>\r\n</html>\r\n";
    return html;
}

}  // namespace

std::optional<ListingCharset> listingCharsetNamed(std::string_view name) {
    const auto found = std::ranges::find(kCharsetNames, name, &CharsetName::name);
    if (found == kCharsetNames.end()) {
        return std::nullopt;
    }
    return found->charset;
}

std::string_view listingCharsetName(ListingCharset charset) {
    return std::ranges::find(kCharsetNames, charset, &CharsetName::charset)->name;
}

int listingPageNumber(std::string_view pn) {
    int number = 0;
    const auto [end, error] = std::from_chars(pn.data(), pn.data() + pn.size(), number);
    if (error != std::errc{} || end != pn.data() + pn.size()) {
        return 0;
    }
    return number;
}

ListingPage renderListingPage(int pageNumber, ListingCharset charset) {
    std::string html = utf8Page(pageNumber, charset);
    switch (charset) {
        case ListingCharset::Utf8Declared:
            return {std::move(html), "text/html; charset=utf-8"};
        case ListingCharset::Utf8Undeclared:
            return {std::move(html), "text/html"};
        case ListingCharset::Gbk:
            return {text::utf8ToText(html), "text/html; charset=gbk"};
    }
    return {std::move(html), "text/html"};
}

}  // namespace moxilo::demo_site
