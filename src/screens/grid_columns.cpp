#include "grid_columns.h"

#include "core/number_input.h"

namespace corvane::screens {

QString gridNumber(double value) {
    return numberText(value);
}

int GridColumns::indexOf(const QString& key) const {
    for (int c = 0; c < columns.size(); ++c)
        if (columns[c].key == key)
            return c;
    return -1;
}

GridColumn typedIn(GridColumn column, std::function<bool(int row, const QString& typed)> typed) {
    column.set = [typed = std::move(typed)](int row, const QVariant& input) {
        return typed(row, input.toString());
    };
    return column;
}

} // namespace corvane::screens
