#pragma once
// The settings that differ between two setups as a table: setting, one side, the
// other, from the same rows quelvar-cli diff prints. A listing's line diff spans
// both sides; a calibration factor says so beside its name. One table row a setting,
// so rowCount() is the number of settings that differ.
//
//     auto* table = new DiffTable(text::diffSetups(mine, theirs), "This setup", "line1.sf");

#include "text/setup_text.h"

#include <QTableWidget>
#include <vector>

namespace quelvar {

// " (calibration)": follows the name of a calibration factor.
inline constexpr const char* kCalibrationMark = " (calibration)";

class DiffTable : public QTableWidget {
    Q_OBJECT
public:
    DiffTable(const std::vector<text::DiffRow>& rows, const QString& firstHeading,
              const QString& secondHeading, QWidget* parent = nullptr);
};

}  // namespace quelvar
