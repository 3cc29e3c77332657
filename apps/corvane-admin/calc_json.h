#pragma once

// Reading the calculator's JSON input with messages that name the key at fault,
// and writing sheet lines as JSON.
#include "techsheet/sheet_lines.h"
#include "techsheet/work_rows.h"

#include <QJsonArray>
#include <QJsonObject>

#include <array>

namespace corvane::calc {

// A malformed document or a missing required key; `what` names the key.
struct InputError {
    QString message;
};

// A JSON object together with its path in the document ("ORCAMMAS", "looms[2]").
class JsonIn {
public:
    JsonIn(QJsonObject object, QString path) : m_object(std::move(object)), m_path(std::move(path)) {}

    double number(const QString& key, bool required = false, double fallback = 0) const;
    int integer(const QString& key, bool required = false, int fallback = 0) const;
    QString text(const QString& key, bool required = false, const QString& fallback = {}) const;
    JsonIn object(const QString& key, bool required = false) const;
    // Whether the key is given (and not null).
    bool has(const QString& key) const;
    std::vector<JsonIn> list(const QString& key, bool required = false, int maxSize = -1) const;
    std::array<double, 3> levels(const QString& prefix) const; // PREFIX1..PREFIX3

private:
    QJsonValue value(const QString& key, bool required) const;
    QString name(const QString& key) const;

    QJsonObject m_object;
    QString m_path;
};

// The result document: the calculation's values, its messages, and the exit status.
struct Output {
    QJsonObject json;
    techsheet::Notes notes;
};

// An offered article (ARTIGOSCLS) priced by TIPOPRECO.
struct Offered {
    QString code, designation, unit;
    int type = 0;
    double price = 0, width = 0;
};

// The articles listed under `key` (CODIGO, DESIGNACAO, UNCOMPRA, TIPOMAT,
// CUSTOPADRAO, PMCUSTO, PULENTRA, LARGURA), priced by `basis`.
std::vector<Offered> readOffered(const JsonIn& in, const QString& key, const QString& basis);
// The offered article of that code (and of that material type when `type` >= 0).
const Offered* findOffered(const std::vector<Offered>& rows, const QString& code, int type = -1);
// A number the user typed, when given.
bool typed(const JsonIn& in, const QString& key, double* out);

techsheet::CostTypes readCostTypes(const JsonIn& in);
std::vector<techsheet::Yarn> readYarns(const JsonIn& in);
techsheet::WorkMachineRow readMachineRow(const JsonIn& in);

template <typename T, typename F> QJsonArray jsonArray(const std::vector<T>& items, F toObject) {
    QJsonArray a;
    for (const T& item : items)
        a.append(toObject(item));
    return a;
}

QJsonObject toJson(const techsheet::FictecDetLine& line);
QJsonArray toJson(const std::vector<techsheet::FictecDetLine>& lines);
QJsonObject machineRowJson(const techsheet::WorkMachineRow& row);
QJsonObject materialJson(const techsheet::MaterialEntry& material);
void putLevels(QJsonObject& out, const QString& prefix, const std::array<double, 3>& values);

} // namespace corvane::calc
