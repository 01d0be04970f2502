#include "moxilo/catalogue/make_form.h"

#include "moxilo/catalogue/make_form_values.h"

#include <array>
#include <string_view>

namespace moxilo::catalogue {
namespace {

constexpr std::string_view kControlPrefix = "ctl00%24ctl00%24ContentPlaceHolder1%24";
constexpr std::string_view kContentPrefix = "ContentPlaceHolder1%24";

// "生成图片！" in UTF-8, percent-encoded.
constexpr std::string_view kMakeButtonCaption = "%E7%94%9F%E6%88%90%E5%9B%BE%E7%89%87%EF%BC%81";

// The site's Base64 values carry "+", "/" and "=", which mean something else in a
// form body; only those three are escaped, as the site's own page does.
std::string escapeBase64(std::string_view base64) {
    std::string escaped;
    escaped.reserve(base64.size() + base64.size() / 8);
    for (const char c : base64) {
        switch (c) {
            case '+':
                escaped += "%2B";
                break;
            case '/':
                escaped += "%2F";
                break;
            case '=':
                escaped += "%3D";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

struct Field {
    std::string name;
    std::string value;
};

}  // namespace

std::string makeFormBody() {
    const IssuedMakeFormValues issued = issuedMakeFormValues();
    const std::string control(kControlPrefix);
    const std::string content = control + std::string(kContentPrefix);
    const std::array<Field, 8> fields{{
        {"__VIEWSTATE", escapeBase64(issued.viewState)},
        {"__VIEWSTATEGENERATOR", std::string(issued.viewStateGenerator)},
        {"__EVENTVALIDATION", escapeBase64(issued.eventValidation)},
        {control + "TextBoxSearch", ""},
        {content + "TextBoxTextLine1", ""},
        {content + "TextBoxTextLine2", ""},
        {content + "ButtonMake", std::string(kMakeButtonCaption)},
        {content + "TextBoxPost", ""},
    }};
    std::string body;
    for (const Field& field : fields) {
        if (!body.empty()) {
            body += '&';
        }
        body += field.name;
        body += '=';
        body += field.value;
    }
    return body;
}

}  // namespace moxilo::catalogue
