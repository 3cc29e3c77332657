#include "field_widgets.h"

#include "components/lookup_dialog.h"
#include "db/dataset.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace corvane::screens {

QLineEdit* makeInput(const FieldRule& rule, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(rule.input);
    if (rule.maxLength > 0)
        edit->setMaxLength(rule.maxLength);
    if (rule.readOnly) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
    }
    return edit;
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
        QAction* alphabetical =
            link.spec.alphabeticalMenuEntry.isEmpty() ? nullptr : menu.addAction(link.spec.alphabeticalMenuEntry);
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
    db::Dataset* ds = link.dataset ? link.dataset(own ? link.spec.alphabeticalDataset : link.spec.dataset) : nullptr;
    if (!ds)
        return true;
    if (own)
        alphabetical = false;
    QList<components::LookupColumn> columns;
    for (int i = 0; i < link.spec.columns.size(); ++i)
        columns << components::LookupColumn{link.spec.columns[i], link.spec.titles.value(i)};
    const int row = components::LookupDialog::choose(window_, *ds, columns, link.spec.sortColumn(), alphabetical);
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

bool LookupWiring::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert) {
        auto* input = qobject_cast<QLineEdit*>(watched);
        if (input && links_.contains(input))
            return open(input, static_cast<QKeyEvent*>(event)->modifiers() & Qt::ControlModifier);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace corvane::screens
