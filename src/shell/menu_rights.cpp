#include "menu_rights.h"

#include "access_rights.h"

namespace corvane::shell {

const QList<MenuRight>& tableMenuRights() {
    static const QString chapter = QStringLiteral("Tabelas Especificas");
    static const QList<MenuRight> rights = {
        {chapter, QStringLiteral("Parametros Gerais"), QStringLiteral("TAB000"), QStringLiteral("BotTab000")},
        {chapter, QStringLiteral("Tipos de Custos"), QStringLiteral("TAB001"), QStringLiteral("BotTab001")},
        {chapter, QStringLiteral("Operacoes"), QStringLiteral("TAB002"), QStringLiteral("BotTab002")},
        {chapter, QStringLiteral("Grupo de Maquinas"), QStringLiteral("TAB003"), QStringLiteral("BotTab003")},
        {chapter, QStringLiteral("Maquinas"), QStringLiteral("TAB004"), QStringLiteral("BotTab004")},
        {chapter, QStringLiteral("Tipo de Material"), QStringLiteral("TAB005"), QStringLiteral("BotTab005")},
        {chapter, QStringLiteral("Tipo de Trabalho"), QStringLiteral("TAB006"), QStringLiteral("BotTab006")},
        {chapter, QStringLiteral("Tipos de Embalagens"), QStringLiteral("TAB007"),
         QStringLiteral("BotTab007")},
    };
    return rights;
}

const QList<MenuRight>& quotationMenuRights() {
    static const QString chapter = QStringLiteral("Orcamentos");
    static const QList<MenuRight> rights = {
        {chapter, QStringLiteral("Elaboracao de Orcamentos"), QStringLiteral("ORC002"),
         QStringLiteral("BotOrcam")},
        {chapter, QStringLiteral("Emissao Orcamento Cliente"), QStringLiteral("ORC001"),
         QStringLiteral("BotPropostaCli")},
        {chapter, QStringLiteral("Consulta Orcamentos por Cliente"), QStringLiteral("ORC004"),
         QStringLiteral("BotConsOrc")},
        {chapter, QStringLiteral("Aprovacao de Orcamentos"), QStringLiteral("ORC003"),
         QStringLiteral("BotAprova")},
        // What a change of prices does to the quotations: for who makes them.
        {chapter, QStringLiteral("Elaboracao de Orcamentos"), QStringLiteral("ORC005"),
         QStringLiteral("BotImpacto")},
    };
    return rights;
}

QList<MenuState> readMenuRights(db::Dataset& det, const QString& application, const QString& user) {
    QList<MenuState> out;
    for (const QList<MenuRight>* list : {&tableMenuRights(), &quotationMenuRights()})
        for (const MenuRight& r : *list)
            out << MenuState{r.entry, r.button, accessAllowed(det, application, r.chapter, r.program, user)};
    return out;
}

} // namespace corvane::shell
