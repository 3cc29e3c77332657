#include "demo_site.h"

#include "core/site.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace corvane::setup {

// The document of the latest changes the main menu opens
// ("Informação s/ últimas alterações").
bool writeChangesDocument(const QString& siteRoot, QString* error) {
    const QString file = Site(siteRoot).changesDocument();
    QDir().mkpath(QFileInfo(file).absolutePath());
    QPdfWriter pdf(file);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(150);
    pdf.setTitle(QStringLiteral("Corvane - últimas alterações"));
    QTextDocument doc;
    doc.setHtml(QStringLiteral(
        "<h2>Corvane e Gorros &mdash; versão 01.011</h2>"
        "<h3>Informação sobre as últimas alterações</h3><ul>"
        "<li>Entrada automática na empresa, ano e data do posto de trabalho.</li>"
        "<li>Actualização automática da base de dados da empresa para a versão do programa; cada passo é "
        "completo ou não é feito, e uma interrupção retoma no passo seguinte.</li>"
        "<li>Listagens das tabelas de custeio com pré-visualização, impressão e gravação em folha de cálculo "
        "(.xlsx), texto formatado (.rtf), texto (.txt) e PDF.</li>"
        "<li>Alteração da palavra-passe no botão com o código do utilizador.</li>"
        "<li>Procura de novas versões ao entrar e no botão &laquo;Actualizar&raquo;, para os utilizadores "
        "autorizados; o programa de instalação só é executado se corresponder ao publicado.</li>"
        "<li>Cálculo de orçamentos, tecelagem e malha também a partir da linha de comandos "
        "(corvane-admin calc).</li>"
        "<li>Fichas técnicas e históricos do orçamento lidos por índices próprios: rápidos também com "
        "cem mil fichas e dez anos de facturação.</li>"
        "<li>Novo custeio de todas as fichas técnicas a partir dos preços do dia, e o impacto de uma "
        "alteração de preços nos orçamentos pendentes (corvane-admin recost).</li>"
        "<li>Cada orçamento fechado guarda o custo da ficha em que foi calculado, com a data; a "
        "listagem do orçamento mostra-o.</li></ul>"));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        if (error)
            *error = QStringLiteral("Não foi possível escrever %1").arg(file);
        return false;
    }
    // Laid out at screen resolution with a margin, then scaled to the page.
    const double scale = pdf.resolution() / 96.0;
    painter.scale(scale, scale);
    painter.translate(60, 60);
    doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    doc.setTextWidth(pdf.width() / scale - 120);
    doc.drawContents(&painter);
    painter.end();
    return true;
}

} // namespace corvane::setup
