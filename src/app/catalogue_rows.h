#pragma once
// Turning the faces of a listing page into the list's rows, on the worker
// that loaded them, so the interface thread only appends.

#include <QString>

#include <string_view>
#include <vector>

#include "moxilo/catalogue/listing.h"
#include "widgets/catalogue_list.h"

namespace moxilo::app {

// Text (code page 936) as a QString.
QString qstringFromText(std::string_view text);

std::vector<CatalogueRow> catalogueRows(const std::vector<catalogue::CatalogueItem>& items);

}  // namespace moxilo::app
