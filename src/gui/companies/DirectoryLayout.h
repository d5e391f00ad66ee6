#pragma once

#include <array>
#include <optional>

// The company directory's geometry in twips: its columns' widths and where its grid and
// buttons go.

// The directory's columns: heading, and the sample text and factor its width comes from.
struct CompanyColumn {
    const char *title;
    const char *sample;
    double factor;
};
const std::array<CompanyColumn, 8> &companyColumns();
// A column's width in twips from its sample's rendered width in pixels: times the factor, rounded.
int companyColumnTwips(int column, int samplePixels);

// Where the directory's grid and buttons go for a window of W x H twips whose buttons are
// w x h; nothing when the window is too small for the rules (the caller keeps what it has).
struct CompanyLayout {
    int gridWidth = 0;
    int gridHeight = 0;
    int buttonTop = 0;
    int selectLeft = 0;
    int addLeft = 0;
    int editLeft = 0;
    int cancelLeft = 0;
};
std::optional<CompanyLayout> companyLayout(int width, int height, int buttonWidth, int buttonHeight);
