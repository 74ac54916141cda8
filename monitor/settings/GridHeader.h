#pragma once

#include <vector>

namespace baudrill {

class SettingsStream;

// One column of the log grid's header in the settings file.
struct HeaderColumn {
    int index = 0;     // the column's number
    double ratio = 0;  // its share of the grid's width: its ratio over the sum of all ratios
    bool visible = true;
};

// The log grid's column header in the settings file, in the framework's layout: a packed
// version (4), a packed count of columns, then per column an int index, a double ratio and a
// bool, 13 bytes each.
struct GridHeader {
    static constexpr int StoredVersion = 4;
    static constexpr int MaxColumns = 10000;
    static constexpr int ColumnBytes = 13;

    std::vector<HeaderColumn> columns;

    // Loading another version, or a count over MaxColumns or past the end, is an error.
    void Serialize(SettingsStream& stream);
    // The ratios, column by column.
    std::vector<double> Ratios() const;
    // Columns numbered from 0, visible, with these ratios.
    static GridHeader OfRatios(const std::vector<double>& ratios);
};

}  // namespace baudrill
