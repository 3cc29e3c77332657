#pragma once

class QWidget;

namespace corvane::screens {

// What Print does on a table screen: the table's listing in the order chosen.
class TableListing {
public:
    virtual ~TableListing() = default;
    virtual void previewInOrder(bool alphabetical, QWidget* parent) = 0;
};

} // namespace corvane::screens
