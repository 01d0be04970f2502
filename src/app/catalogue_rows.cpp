#include "catalogue_rows.h"

#include "moxilo/text/codec.h"

namespace moxilo::app {

// Converted straight into the QString's own buffer: one allocation a text.
QString qstringFromText(std::string_view text) {
    static_assert(sizeof(QChar) == sizeof(char16_t));
    QString wide(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    const std::size_t units =
        text::toWide(text, {reinterpret_cast<char16_t*>(wide.data()), text.size()});
    wide.truncate(static_cast<qsizetype>(units));
    return wide;
}

std::vector<CatalogueRow> catalogueRows(const std::vector<catalogue::CatalogueItem>& items) {
    std::vector<CatalogueRow> rows;
    rows.reserve(items.size());
    for (const catalogue::CatalogueItem& item : items) {
        rows.push_back({qstringFromText(item.itemId), qstringFromText(item.title)});
    }
    return rows;
}

}  // namespace moxilo::app
