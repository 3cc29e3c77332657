#include "field_widgets.h"

#include "components/lookup_dialog.h"
#include "db/dataset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

namespace corvane::screens {

namespace {

// The caption a screen reader says for an input: its rule's caption without
// the mnemonic and the colon.
void nameForReaders(QWidget* input, const FieldRule& rule) {
    QString caption = rule.label;
    caption.remove(QLatin1Char('&'));
    caption = caption.trimmed();
    if (caption.endsWith(QLatin1Char(':')))
        caption = caption.chopped(1).trimmed();
    if (!caption.isEmpty())
        input->setAccessibleName(caption);
}

} // namespace

QLineEdit* makeInput(const FieldRule& rule, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(rule.input);
    nameForReaders(edit, rule);
    if (rule.maxLength > 0)
        edit->setMaxLength(rule.maxLength);
    if (rule.width > 0)
        edit->setMaximumWidth(
            edit->fontMetrics().horizontalAdvance(QLatin1Char('W')) * qBound(4, rule.width, 30) + 16);
    if (rule.readOnly) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
    }
    return edit;
}

namespace {
const QString kIsoDate = QStringLiteral("yyyy-MM-dd");
}

QWidget* makeField(const FieldRule& rule, QWidget* parent) {
    QWidget* w = nullptr;
    switch (rule.widget) {
    case WidgetKind::Line:
        return makeInput(rule, parent);
    case WidgetKind::Date: {
        auto* date = new QDateEdit(parent);
        date->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
        date->setCalendarPopup(true);
        date->setSpecialValueText(QStringLiteral(" ")); // no date: the minimum, shown blank
        date->setDate(date->minimumDate());
        date->setReadOnly(rule.readOnly);
        w = date;
        break;
    }
    case WidgetKind::YesNo: {
        auto* box = new QCheckBox(parent);
        box->setEnabled(!rule.readOnly);
        w = box;
        break;
    }
    case WidgetKind::Choice: {
        auto* combo = new QComboBox(parent);
        for (const QString& choice : rule.choices)
            combo->addItem(rule.maxLength > 0 ? choice.left(rule.maxLength) : choice);
        combo->setEnabled(!rule.readOnly);
        w = combo;
        break;
    }
    case WidgetKind::MultiLine: {
        auto* text = new QPlainTextEdit(parent);
        text->setReadOnly(rule.readOnly);
        text->setTabChangesFocus(true);
        if (rule.maxLength > 0) {
            const int length = rule.maxLength;
            // A paste or a typed character past the column's width is cut off.
            QObject::connect(text, &QPlainTextEdit::textChanged, text, [text, length] {
                const QString all = text->toPlainText();
                if (all.size() <= length)
                    return;
                const QSignalBlocker block(text);
                text->setPlainText(all.left(length));
                text->moveCursor(QTextCursor::End);
            });
        }
        w = text;
        break;
    }
    }
    w->setObjectName(rule.input);
    nameForReaders(w, rule);
    if (rule.readOnly)
        w->setFocusPolicy(Qt::NoFocus);
    return w;
}

void setFieldReadOnly(QWidget* field, bool readOnly) {
    if (auto* line = qobject_cast<QLineEdit*>(field))
        line->setReadOnly(readOnly);
    else if (auto* date = qobject_cast<QDateEdit*>(field))
        date->setReadOnly(readOnly);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(field))
        text->setReadOnly(readOnly);
    else if (field)
        field->setEnabled(!readOnly);
}

QString fieldText(const QWidget* field) {
    if (auto* line = qobject_cast<const QLineEdit*>(field))
        return line->text();
    if (auto* date = qobject_cast<const QDateEdit*>(field))
        return date->date() == date->minimumDate() ? QString() : date->date().toString(kIsoDate);
    if (auto* box = qobject_cast<const QCheckBox*>(field))
        return box->isChecked() ? QStringLiteral("S") : QStringLiteral("N");
    if (auto* combo = qobject_cast<const QComboBox*>(field))
        return combo->currentText();
    if (auto* text = qobject_cast<const QPlainTextEdit*>(field))
        return text->toPlainText();
    return {};
}

void setFieldText(QWidget* field, const QString& value) {
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->setText(value);
    } else if (auto* date = qobject_cast<QDateEdit*>(field)) {
        const QDate d = QDate::fromString(value.left(10), kIsoDate);
        date->setDate(d.isValid() ? d : date->minimumDate());
    } else if (auto* box = qobject_cast<QCheckBox*>(field)) {
        box->setChecked(value.trimmed().compare(QStringLiteral("S"), Qt::CaseInsensitive) == 0);
    } else if (auto* combo = qobject_cast<QComboBox*>(field)) {
        combo->setCurrentIndex(combo->findText(value.trimmed(), Qt::MatchFixedString));
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(field)) {
        text->setPlainText(value);
    }
}

LookupWiring::LookupWiring(QWidget* window) : QObject(window), window_(window) {}

void LookupWiring::attach(QLineEdit* input, const LookupSpec& spec, DatasetOf dataset, Chosen chosen,
                          KeyOf keyOf) {
    links_.insert(input, Link{spec, std::move(dataset), std::move(chosen), std::move(keyOf)});
    input->installEventFilter(this);
    input->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(input, &QLineEdit::customContextMenuRequested, this, [this, input](const QPoint& at) {
        const Link& link = links_[input];
        QMenu menu(input);
        for (const QString& entry : link.spec.menuEntries)
            menu.addAction(entry);
        QAction* alphabetical = link.spec.alphabeticalMenuEntry.isEmpty()
                                    ? nullptr
                                    : menu.addAction(link.spec.alphabeticalMenuEntry);
        if (QAction* picked = menu.exec(input->mapToGlobal(at)))
            open(input, picked == alphabetical);
    });
}

bool LookupWiring::open(QLineEdit* input, bool alphabetical) {
    auto it = links_.find(input);
    if (it == links_.end())
        return false;
    const Link link = *it;
    // An alphabetical dataset of its own is listed in its own order.
    const bool own = alphabetical && !link.spec.alphabeticalDataset.isEmpty();
    db::Dataset* ds =
        link.dataset ? link.dataset(own ? link.spec.alphabeticalDataset : link.spec.dataset) : nullptr;
    if (!ds)
        return true;
    if (own)
        alphabetical = false;
    QList<components::LookupColumn> columns;
    for (int i = 0; i < link.spec.columns.size(); ++i)
        columns << components::LookupColumn{link.spec.columns[i], link.spec.titles.value(i)};
    const int row =
        components::LookupDialog::choose(window_, *ds, columns, link.spec.sortColumn(), alphabetical);
    if (row < 0)
        return true;
    const QString key = link.keyOf ? link.keyOf(row) : ds->text(row, link.spec.keyColumn).trimmed();
    if (key.isEmpty())
        return true;
    input->setText(key);
    if (link.chosen)
        link.chosen();
    return true;
}

LookupWiring::DatasetOf datasetsNamed(QList<db::Dataset*> datasets) {
    return [datasets = std::move(datasets)](const QString& name) -> db::Dataset* {
        for (db::Dataset* d : datasets)
            if (d && d->name().compare(name, Qt::CaseInsensitive) == 0)
                return d;
        return nullptr;
    };
}

bool LookupWiring::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert) {
        auto* input = qobject_cast<QLineEdit*>(watched);
        if (input && links_.contains(input))
            return open(input, static_cast<QKeyEvent*>(event)->modifiers() & Qt::ControlModifier);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace corvane::screens
