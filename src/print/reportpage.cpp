// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the items of a page or a report by kind.
#include "reportpage.h"

std::vector<PageText> ReportPage::texts() const
{
    std::vector<PageText> result;
    for (const PageItem &item : items) {
        if (const auto *text = std::get_if<PageText>(&item))
            result.push_back(*text);
    }
    return result;
}

std::vector<PagePicture> ReportPage::pictures() const
{
    std::vector<PagePicture> result;
    for (const PageItem &item : items) {
        if (const auto *picture = std::get_if<PagePicture>(&item))
            result.push_back(*picture);
    }
    return result;
}

std::vector<PagePicture> Report::pictures() const
{
    std::vector<PagePicture> result;
    for (const ReportPage &page : pages) {
        const std::vector<PagePicture> own = page.pictures();
        result.insert(result.end(), own.begin(), own.end());
    }
    return result;
}
