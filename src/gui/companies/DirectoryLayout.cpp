#include "DirectoryLayout.h"

#include "core/platform/Twips.h"

#include <cmath>

namespace {

constexpr int Gap = 200; // twips between the buttons and at the window's edge

} // namespace

const std::array<CompanyColumn, 8> &companyColumns()
{
    static const std::array<CompanyColumn, 8> columns = {{
        {"Name", "Acme Industrial Inc", 1.25},
        {"Address", "12345 Industrial Blvd", 1.5},
        {"Phone 1", "(555)-555-5555", 1.5},
        {"Phone 2", "(555)-555-5555", 1.5},
        {"E-mail", "sales@acmeindustrial.com", 1.25},
        {"Web Site", "www.acmeindustrial.com", 1.25},
        {"Contact", "John Q. Smith", 1.5},
        {"Notes", "Call before ordering parts", 1.5},
    }};
    return columns;
}

int companyColumnTwips(int column, int samplePixels)
{
    const CompanyColumn &sample = companyColumns().at(std::size_t(column));
    return int(std::lround(Twips::fromPixels(samplePixels) * sample.factor));
}

std::optional<CompanyLayout> companyLayout(int width, int height, int buttonWidth, int buttonHeight)
{
    CompanyLayout layout;
    layout.gridWidth = width - Gap;
    layout.gridHeight = height - 2 * buttonHeight - 300;
    layout.buttonTop = height - 2 * buttonHeight - Gap;
    layout.cancelLeft = width - Gap - buttonWidth;
    layout.editLeft = width - 2 * Gap - 2 * buttonWidth;
    layout.addLeft = width - 3 * Gap - 3 * buttonWidth;
    layout.selectLeft = width - 4 * Gap - 4 * buttonWidth;
    if (layout.gridWidth <= 0 || layout.gridHeight <= 0 || layout.selectLeft < 0)
        return std::nullopt;
    return layout;
}
