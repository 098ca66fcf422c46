// Reading a page's items by kind.
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
