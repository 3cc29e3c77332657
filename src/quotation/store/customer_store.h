#pragma once

// The customer data a quotation reads from the invoicing database: the
// customer, its seller and agent with their commission percents, shipping
// methods and payment conditions. Read only.
#include "db/database.h"
#include "quotation/quotation_defaults.h"

#include <optional>

namespace corvane::quotation {

// Each lookup answers nullopt with the server's message on failure; a row
// that does not exist is a found value without a row (an empty inner optional).
class CustomerStore {
public:
    explicit CustomerStore(db::Database& factura) : db_(&factura) {}

    // The customer and what its defaults name; the inner value is empty when
    // the customer does not exist.
    std::optional<std::optional<CustomerDefaults>> customer(int code, QString* error = nullptr);
    std::optional<std::optional<Representative>> seller(int code, QString* error = nullptr);
    std::optional<std::optional<Representative>> agent(int code, QString* error = nullptr);
    std::optional<std::optional<ShippingMethod>> shippingMethod(const QString& code,
                                                                QString* error = nullptr);
    std::optional<std::optional<PaymentCondition>> paymentCondition(int code, QString* error = nullptr);
    // COMISSOES.PRCCOM of a commission code; empty when the code does not exist.
    std::optional<std::optional<double>> commissionPercent(int code, QString* error = nullptr);

    // The satellite rows a new quotation of the customer gets (see
    // customerSatellites); "Cliente Inexistente : " + code when it does not exist.
    std::optional<Satellites> satellites(int customer, QString* error = nullptr);

    // The invoicing parameters of a working year (PARGER of the invoicing
    // database): its price decimals PRC_DECIMAIS (2 when empty); an empty
    // inner value when the year has no row.
    std::optional<std::optional<int>> priceDecimals(const QString& year, QString* error = nullptr);
    // Whether the customization parameters row (PARCUSTOM CODIGO '1') exists.
    std::optional<bool> hasCustomization(QString* error = nullptr);
    // The designation of a product (ARTIGOSCLS); an empty inner value when
    // the article does not exist.
    std::optional<std::optional<QString>> article(const QString& code, QString* error = nullptr);
    // Whether the customer has an order line of the article.
    std::optional<bool> hasOrdered(int customer, const QString& article, QString* error = nullptr);

private:
    std::optional<std::optional<Representative>> representative(const QString& table, int code,
                                                                QString* error);

    db::Database* db_;
};

} // namespace corvane::quotation
