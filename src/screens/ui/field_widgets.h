#pragma once

#include "screens/field_rule.h"

#include <QObject>

#include <functional>

class QLineEdit;
class QWidget;

namespace corvane::db {
class Dataset;
}

namespace corvane::screens {

// The input of a rule: named after it, taking at most the rule's length,
// as wide as the rule's width says (when it says), read-only (and out of the
// tab order) when the rule says so.
QLineEdit* makeInput(const FieldRule& rule, QWidget* parent);
// The widget of a rule by its kind: a line, a date, a yes/no check box, a
// choice among the rule's choices or several lines of text; named after the
// rule, never holding more than the rule's length.
QWidget* makeField(const FieldRule& rule, QWidget* parent);
// What a field holds as its check reads it: the text, "S" or "N", the date as
// yyyy-MM-dd (empty when none), the choice's text.
QString fieldText(const QWidget* field);
// Shows a value's text in a field (the inverse of fieldText).
void setFieldText(QWidget* field, const QString& text);
// Makes a field take typing or not (a check box or choice is disabled).
void setFieldReadOnly(QWidget* field, bool readOnly);

// Opens lookup lists "Localizar" from inputs: Insert opens the list in the
// dataset's order, Ctrl+Insert in alphabetical order, and the input's context
// menu offers the same. The key of the row chosen goes into the input; then
// `chosen` runs (normally the input's check, as leaving it would).
class LookupWiring : public QObject {
    Q_OBJECT
public:
    // The dataset a lookup list shows, by name.
    using DatasetOf = std::function<db::Dataset*(const QString& name)>;
    // The text the chosen row puts into the input; empty: the row cannot serve.
    using KeyOf = std::function<QString(int datasetRow)>;
    using Chosen = std::function<void()>;

    explicit LookupWiring(QWidget* window);

    void attach(QLineEdit* input, const LookupSpec& spec, DatasetOf dataset, Chosen chosen, KeyOf keyOf = {});
    bool has(const QWidget* input) const { return links_.contains(input); }
    // Opens the input's list as the Insert key would; false when it has none.
    bool open(QLineEdit* input, bool alphabetical);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Link {
        LookupSpec spec;
        DatasetOf dataset;
        Chosen chosen;
        KeyOf keyOf;
    };
    QWidget* window_;
    QHash<const QWidget*, Link> links_;
};

// The datasets lookup lists show, by their names (Dataset::name(), case
// ignored): the `dataset` argument of LookupWiring::attach over `datasets`,
// null for a name none of them has.
LookupWiring::DatasetOf datasetsNamed(QList<db::Dataset*> datasets);

} // namespace corvane::screens
