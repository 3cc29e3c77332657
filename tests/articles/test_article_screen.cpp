#include "article_fixture.h"

#include "articles/store/article_store.h"
#include "articles/store/article_tables.h"
#include "support/xlsx_cells.h"

#include <QTemporaryDir>

using namespace corvane;
using namespace corvane::articles;

class TestArticleScreen : public QObject {
    Q_OBJECT
private slots:
    void activation_data() { addBackendRows(); }
    // The parameters the screen cannot work without, and the list it opens.
    void activation() {
        ARTICLE_FIXTURE(f);
        {
            auto s = f.open();
            QVERIFY(s);
            // Only ordinary articles, in code order; the variant is not listed.
            QCOMPARE(s->articleCount(), 10);
            QCOMPARE(s->currentCode(), QStringLiteral("BASE12345678"));
            QCOMPARE(s->mode(), ArticleMode::Browsing);
            QCOMPARE(s->saveGuard(), 0); // the list had the focus
            QCOMPARE(f.screenView.status[2].last(), QStringLiteral("assinatura"));
            QVERIFY(s->buttons().costCentreEnabled);
            QVERIFY(s->locate(QStringLiteral("gr0001")));
            QCOMPARE(s->text(QStringLiteral("Edit_Design")), QStringLiteral("Gorro Canelado"));
            QCOMPARE(s->levelCaption(1), QStringLiteral("Artigo"));
            QCOMPARE(s->levelCaption(2), QStringLiteral("Côr"));
            QVERIFY(!s->levelEnabled(3));
            QCOMPARE(s->text(QStringLiteral("Edit_PrcIva")), QStringLiteral("23"));
            QVERIFY(!s->locate(QStringLiteral("BASE123456780101")));
            // The designation order keeps the current article.
            s->sortBy(ArticleOrder::Designation);
            QCOMPARE(s->currentCode(), QStringLiteral("GR0001"));
            QCOMPARE(s->list().text(0, QStringLiteral("DESIGNACAO")).trimmed(),
                     QStringLiteral("Cachecol Grelha"));
            // Type 11 takes the group of its own column.
            f.article(QStringLiteral("DIV.1"), QStringLiteral("11"), QStringLiteral("Diversos"));
            s->sortBy(ArticleOrder::Code);
            QVERIFY(s->locate(QStringLiteral("DIV.1")));
            QCOMPARE(s->group(), QStringLiteral("3"));
            QCOMPARE(s->levelCaption(4), QStringLiteral("Diversos"));
            s->close();
        }
        f.site.exec(f.factura(), QStringLiteral("DELETE FROM PARGER WHERE ANO = :A"), {{"A", f.year()}});
        QVERIFY(!f.open());
        QCOMPARE(f.screenView.messages.last(), QStringLiteral("Parâmetros Gerais Inexistentes"));
        f.site.exec(f.factura(), QStringLiteral("DELETE FROM PARCUSTOM"));
        QVERIFY(!f.open());
        QCOMPARE(f.screenView.messages.last(),
                 QStringLiteral("Parâmetros de customização de Artigos Inexistentes ..."));
    }

    void largeList_data() { addBackendRows(); }
    // A list longer than a page continues from the article looked for; the
    // rows above it come on demand and the current article stays.
    void largeList() {
        ARTICLE_FIXTURE(f);
        QVERIFY(f.factura().beginTransaction());
        for (int n = 1; n <= 700; ++n)
            f.article(QStringLiteral("Z%1").arg(n, 4, 10, QLatin1Char('0')), QStringLiteral("6"),
                      QStringLiteral("Fio %1").arg(1000 - n));
        QVERIFY(f.factura().commit());
        auto s = f.open();
        QVERIFY(s);
        QCOMPARE(s->articleCount(), 710);
        QVERIFY(s->locate(QStringLiteral("z0650")));
        QCOMPARE(s->currentCode(), QStringLiteral("Z0650"));
        QVERIFY(s->list().rowCount() < 700); // the rows before it were not read
        const int row = s->currentRow();
        QVERIFY(s->list().canFetchBefore());
        const int added = s->fetchBefore();
        QVERIFY(added > 0);
        QCOMPARE(s->currentRow(), row + added);
        QCOMPARE(s->list().text(s->currentRow(), QStringLiteral("CODIGO")).trimmed(),
                 QStringLiteral("Z0650"));
        QCOMPARE(s->list().text(s->currentRow() - 1, QStringLiteral("CODIGO")).trimmed(),
                 QStringLiteral("Z0649"));
        // Not listed: the list stays on the article shown.
        QVERIFY(!s->locate(QStringLiteral("Z9999")));
        QCOMPARE(s->currentCode(), QStringLiteral("Z0650"));
        QVERIFY(!s->locate(QStringLiteral("BASE123456780101")));
        QCOMPARE(s->currentCode(), QStringLiteral("Z0650"));
        s->lastRow();
        QCOMPARE(s->currentCode(), QStringLiteral("Z0700"));
        s->firstRow();
        QCOMPARE(s->currentRow(), 0);
        QCOMPARE(s->currentCode(), QStringLiteral("BASE12345678"));
        // By designation the article is found the same way ("Fio 900" is Z0100).
        s->sortBy(ArticleOrder::Designation);
        QVERIFY(s->locate(QStringLiteral("Z0100")));
        QCOMPARE(s->text(kDesignInput), QStringLiteral("Fio 900"));
        QVERIFY(s->fetchBefore() > 0);
        QCOMPARE(s->list().text(s->currentRow() - 1, QStringLiteral("DESIGNACAO")).trimmed(),
                 QStringLiteral("Fio 899"));
        QVERIFY(s->locate(QStringLiteral("Z0650")));
        // A change saved far down the list comes back to the same article.
        s->gridExit();
        QVERIFY(type(*s, QStringLiteral("Edit_Preco1"), QStringLiteral("3")));
        QVERIFY(s->gridEnter());
        QCOMPARE(s->currentCode(), QStringLiteral("Z0650"));
        QCOMPARE(f.articleValue(QStringLiteral("Z0650"), QStringLiteral("PRECO1")).toDouble(), 3.0);
    }

    void inserting_data() { addBackendRows(); }
    // A new article typed by hand: the code's checks, the levels, the
    // composed designation and what the insert writes.
    void inserting() {
        ARTICLE_FIXTURE(f);
        auto s = f.open();
        QVERIFY(s);
        RecordingArticleView& v = f.screenView;

        // An empty code cancels the insertion.
        s->insert();
        edit(*s);
        QCOMPARE(s->mode(), ArticleMode::Inserting);
        QVERIFY(s->buttons().codeEnabled);
        QVERIFY(type(*s, kCodeInput, QString()));
        QCOMPARE(v.messages.last(), QStringLiteral("Artigo Inválido ... <Enter>"));
        QCOMPARE(s->mode(), ArticleMode::Browsing);
        QVERIFY(s->gridEnter());

        // 17 characters are refused; a code opened already (in any case, a
        // variant too) goes back to the list without saving anything.
        s->insert();
        edit(*s);
        QVERIFY(!type(*s, kCodeInput, QStringLiteral("ABCDEFGHIJKLMNOPQ")));
        QCOMPARE(v.messages.last(), QStringLiteral("o Nº de dígitos do Código não pode ultrapassar os 16"));
        QCOMPARE(v.focus.last(), kCodeInput);
        QVERIFY(type(*s, kCodeInput, QStringLiteral("gr0001 ")));
        QCOMPARE(v.messages.last(), QStringLiteral("Artigo Já foi Aberto ... <Enter>"));
        QCOMPARE(v.focus.last(), kList);
        QCOMPARE(s->mode(), ArticleMode::Browsing);
        QVERIFY(s->gridEnter());
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("DESIGNACAO")).toString().trimmed(),
                 QStringLiteral("Gorro Canelado"));
        QVERIFY(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("DTULTALTER")).isNull());
        s->insert();
        edit(*s);
        QVERIFY(type(*s, kCodeInput, QStringLiteral("base123456780101")));
        QCOMPARE(v.messages.last(), QStringLiteral("Artigo Já foi Aberto ... <Enter>"));
        QVERIFY(s->gridEnter());

        // No article is written without its type and designation.
        s->insert();
        edit(*s);
        QVERIFY(type(*s, kCodeInput, QStringLiteral("SEM.TIPO")));
        QVERIFY(!s->gridEnter());
        QCOMPARE(v.messages.last(), QStringLiteral("Digite de [1...11] o Tipo de Artigo ..."));
        QCOMPARE(v.focus.last(), QStringLiteral("Edit_TipoArtigo"));
        QVERIFY(type(*s, QStringLiteral("Edit_TipoArtigo"), QStringLiteral("8")));
        QVERIFY(!s->gridEnter());
        QCOMPARE(v.focus.last(), kDesignInput);
        QCOMPARE(s->mode(), ArticleMode::Inserting);
        QVERIFY(!f.articleValue(QStringLiteral("SEM.TIPO"), QStringLiteral("CODIGO")).isValid());
        s->cancel();
        QVERIFY(s->gridEnter());

        // A 16-character code.
        const QString code = QStringLiteral("GR.LISO.AZUL.001");
        s->insert();
        edit(*s);
        QCOMPARE(s->text(QStringLiteral("Edit_UnVenda")), QStringLiteral("Und"));
        QCOMPARE(s->text(QStringLiteral("Edit_ArtDescont1")), QStringLiteral("N"));
        QVERIFY(type(*s, kCodeInput, code.toLower()));
        QCOMPARE(s->currentCode(), code);
        QVERIFY(!type(*s, QStringLiteral("Edit_TipoArtigo"), QStringLiteral("12")));
        QCOMPARE(v.messages.last(), QStringLiteral("Digite de [1...11] o Tipo de Artigo ..."));
        QVERIFY(type(*s, QStringLiteral("Edit_TipoArtigo"), QStringLiteral("1")));
        QCOMPARE(s->levelCaption(1), QStringLiteral("Artigo"));
        QVERIFY(!type(*s, kDesignInput, QString()));
        QVERIFY(type(*s, kDesignInput, QStringLiteral("GORRO LISO")));
        QCOMPARE(s->text(kLength1), QStringLiteral("10"));
        QVERIFY(!type(*s, QStringLiteral("Edit_ArtDescont1"), QStringLiteral("X")));
        QCOMPARE(v.messages.last(), QStringLiteral("DIGITE [S] ou [N]"));
        QVERIFY(type(*s, QStringLiteral("Edit_ArtDescont1"), QStringLiteral("n")));
        QCOMPARE(v.pages.last(), kPageSpecifics);
        QVERIFY(type(*s, QStringLiteral("Edit_Custom1"), QStringLiteral("5")));
        QCOMPARE(s->text(QStringLiteral("Edit_NomeCustom1")), QStringLiteral("Azul"));
        QVERIFY(type(*s, QStringLiteral("Edit_Custom2"), QStringLiteral("7")));
        QCOMPARE(v.pages.last(), kPageInvoicing); // no later level has a caption
        QVERIFY(type(*s, QStringLiteral("Edit_UnVenda"), QStringLiteral("Par")));
        QCOMPARE(s->text(QStringLiteral("Edit_UnCompra")), QStringLiteral("Par"));
        QCOMPARE(s->text(QStringLiteral("Edit_UnConv")), QStringLiteral("Par"));
        QVERIFY(type(*s, QStringLiteral("Edit_Familia"), QStringLiteral("gorros")));
        QCOMPARE(s->text(QStringLiteral("Edit_CCusto")), QStringLiteral("3210"));
        QCOMPARE(s->text(kCostCentreName), QStringLiteral("Tecelagem"));
        QVERIFY(type(*s, QStringLiteral("Edit_Codiva"), QStringLiteral("2")));
        QVERIFY(type(*s, QStringLiteral("Edit_Peso"), QStringLiteral("0,085")));
        // A failed insert, retried, composes the designation once.
        f.factura().setFailureHook([](const QString& sql, QString* message) {
            if (!sql.contains(QLatin1String("INSERT INTO ARTIGOSCLS")))
                return false;
            *message = QStringLiteral("falha simulada");
            return true;
        });
        QVERIFY(!s->gridEnter());
        f.factura().setFailureHook({});
        QCOMPARE(s->mode(), ArticleMode::Inserting);
        QVERIFY(s->gridEnter());
        QCOMPARE(s->mode(), ArticleMode::Browsing);
        QCOMPARE(s->currentCode(), code);
        QCOMPARE(s->articleCount(), 11);

        const auto row = ArticleStore(f.factura()).read(code);
        QVERIFY(row && !row->isEmpty());
        QCOMPARE(row->value("DESIGNACAO").toString(), QStringLiteral("GORRO LISO,AZUL,LÃ"));
        QCOMPARE(row->value("DESIGNACAO1").toString(), QStringLiteral("GORRO LISO,AZUL,LÃ"));
        QCOMPARE(row->value("CUSTOM1").toInt(), 5);
        QCOMPARE(row->value("CUSTOM2").toInt(), 7);
        QCOMPARE(row->value("UNVENDA").toString(), QStringLiteral("Par"));
        QCOMPARE(row->value("PESO").toDouble(), 0.085);
        QCOMPARE(row->value("CCUSTO").toString(), QStringLiteral("3210"));
        QCOMPARE(row->value("CODIVA").toInt(), 2);
        QCOMPARE(row->value("DESCONTINUADO").toString(), QStringLiteral("N"));
        QCOMPARE(row->value("ROTURA").toString(), QStringLiteral("N"));
        QCOMPARE(row->value("GRELHA").toString(), QStringLiteral("N"));
        QCOMPARE(row->value("USA_EXIST").toString(), QStringLiteral("N"));
        QCOMPARE(row->value("FICTEC").toString(), QStringLiteral("N"));
        QCOMPARE(row->value("MEDIDAS").toString(), QStringLiteral("S"));
        QCOMPARE(row->value("NROFOTOS").toInt(), 0);
        QCOMPARE(row->value("UTIL_ABERTURA").toString(), f.user());
        QCOMPARE(row->value("DTABERTURA").toDateTime(), QDateTime(QDate::currentDate(), QTime(0, 0)));
        QVERIFY(row->value("DTULTALTER").isNull());

        // A designation over 40 characters is cut, with its message; the
        // composed designation is cut too.
        s->insert();
        edit(*s);
        QVERIFY(type(*s, kCodeInput, QStringLiteral("GR.LONGO")));
        QVERIFY(type(*s, QStringLiteral("Edit_TipoArtigo"), QStringLiteral("4")));
        QVERIFY(type(*s, kDesignInput, QString(45, QLatin1Char('G'))));
        QCOMPARE(v.messages.last(),
                 QStringLiteral("Excedeu o tamanho de Designação ... [40 caracteres] ..."));
        QCOMPARE(s->text(kDesignInput).size(), 40);
        QVERIFY(type(*s, QStringLiteral("Edit_Custom1"), QStringLiteral("5")));
        QVERIFY(type(*s, QStringLiteral("Edit_Codiva"), QStringLiteral("1")));
        QVERIFY(s->gridEnter());
        QCOMPARE(f.articleValue(QStringLiteral("GR.LONGO"), QStringLiteral("DESIGNACAO")).toString(),
                 QString(40, QLatin1Char('G')));
    }

    void checks_data() { addBackendRows(); }
    // The checks of the inputs while changing an article.
    void checks() {
        ARTICLE_FIXTURE(f);
        auto s = f.open();
        QVERIFY(s);
        RecordingArticleView& v = f.screenView;
        QVERIFY(s->locate(QStringLiteral("GR0001")));
        // Checks are off while browsing.
        QVERIFY(s->fieldExit(QStringLiteral("Edit_PosPautal"), QStringLiteral("999")));
        edit(*s);
        QCOMPARE(s->mode(), ArticleMode::Changing);
        QCOMPARE(v.focus.last(), kDesignInput);
        QVERIFY(!type(*s, QStringLiteral("Edit_PosPautal"), QStringLiteral("999")));
        QCOMPARE(v.messages.last(), QStringLiteral("Posição Pautal Inválida ..."));
        QVERIFY(type(*s, QStringLiteral("Edit_PosPautal"), QStringLiteral("61171000")));
        QVERIFY(!type(*s, QStringLiteral("Edit_TipoMat"), QStringLiteral("9999")));
        QCOMPARE(v.messages.last(), QStringLiteral("Tipo de Material Inexistente ..."));
        QVERIFY(!type(*s, QStringLiteral("Edit_TipoMat"), QStringLiteral("abc")));
        QVERIFY(type(*s, QStringLiteral("Edit_TipoMat"), QString()));
        QVERIFY(!type(*s, QStringLiteral("Edit_Composicao"), QStringLiteral("4")));
        QVERIFY(type(*s, QStringLiteral("Edit_Composicao"), QStringLiteral("1")));
        QCOMPARE(s->text(kCompositionName), QStringLiteral("100% Lã"));
        QCOMPARE(v.pages.last(), kPageClassification);
        QVERIFY(!type(*s, QStringLiteral("Edit_Familia"), QStringLiteral("MEIAS")));
        QCOMPARE(v.focus.last(), QStringLiteral("Edit_Familia"));
        QVERIFY(!type(*s, QStringLiteral("Edit_CCusto"), QStringLiteral("3900")));
        QCOMPARE(v.messages.last(), QStringLiteral("CENTRO DE CUSTO INEXISTENTE !!!"));
        QVERIFY(!type(*s, QStringLiteral("Edit_CCusto"), QStringLiteral("3410"))); // last year's
        QVERIFY(type(*s, QStringLiteral("Edit_CCusto"), QStringLiteral("3310")));
        QCOMPARE(s->text(kCostCentreName), QStringLiteral("Tricotagem"));
        QVERIFY(type(*s, QStringLiteral("Edit_Custom2"), QStringLiteral("99")));
        QVERIFY(s->text(QStringLiteral("Edit_NomeCustom2")).isEmpty());
        QVERIFY(!type(*s, QStringLiteral("Edit_Codiva"), QStringLiteral("7")));
        QVERIFY(s->text(QStringLiteral("Edit_Codiva")).isEmpty());
        QVERIFY(type(*s, QStringLiteral("Edit_Codiva"), QStringLiteral("1")));
        QVERIFY(!type(*s, QStringLiteral("Edit_Comissao"), QStringLiteral("3")));
        QVERIFY(type(*s, QStringLiteral("Edit_Comissao"), QStringLiteral("1")));
        QCOMPARE(s->text(kCommissionRate), QStringLiteral("5,5"));
        QCOMPARE(v.pages.last(), kPageStocks);
        QVERIFY(type(*s, QStringLiteral("Edit_Comissao"), QStringLiteral("0")));
        QVERIFY(s->text(kCommissionRate).isEmpty());
        QVERIFY(!type(*s, QStringLiteral("Edit_Preco1"), QStringLiteral("doze")));
        QVERIFY(type(*s, QStringLiteral("Edit_Preco1"), QStringLiteral("12,5")));
        // While changing, the sale unit is not copied.
        QVERIFY(type(*s, QStringLiteral("Edit_UnVenda"), QStringLiteral("Cx")));
        QCOMPARE(s->text(QStringLiteral("Edit_UnCompra")), QStringLiteral("Und"));
        QVERIFY(s->gridEnter());
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("PRECO1")).toDouble(), 12.5);
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("CCUSTO")).toString(),
                 QStringLiteral("3310"));
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("COMISSAO")).toInt(), 0);
        s->close();

        // Without accounting the cost centre is off and the family proposes none.
        f.site.exec(f.factura(),
                    QStringLiteral("UPDATE PARGER SET CONTABILIDADE = 'N', STOCKS = 'N' WHERE ANO = :A"),
                    {{"A", f.year()}});
        s = f.open();
        QVERIFY(s);
        QVERIFY(!s->buttons().costCentreEnabled);
        QVERIFY(s->locate(QStringLiteral("USO.SERV")));
        edit(*s);
        QVERIFY(type(*s, QStringLiteral("Edit_Familia"), QStringLiteral("GORROS")));
        QVERIFY(s->text(QStringLiteral("Edit_CCusto")).isEmpty());
        // The Stocks page is refused without stock management.
        QVERIFY(!s->pageSelected(kPageStocks));
        QCOMPARE(v.pages.last(), kPageSpecifics);
        s->cancel();
        QCOMPARE(s->saveGuard(), 9);
        QVERIFY(s->gridEnter());
        QCOMPARE(f.articleValue(QStringLiteral("USO.SERV"), QStringLiteral("FAMILIA")).toString(),
                 QStringLiteral("GORROS"));
        QVERIFY(f.articleValue(QStringLiteral("USO.SERV"), QStringLiteral("DTULTALTER")).isNull());
    }

    void updating_data() { addBackendRows(); }
    // Saving an existing article keeps what the invoicing side wrote, stamps
    // the change, and is all or nothing.
    void updating() {
        ARTICLE_FIXTURE(f);
        f.site.exec(f.factura(),
                    QStringLiteral(
                        "UPDATE ARTIGOSCLS SET USA_EXIST = 'S', NROFOTOS = 3, CORBASE = 7, GRAMAGEM = 250, "
                        "FICHABASE = 'GR0001', CODIGOGRELHA = 4, CUSTOM3 = 0 WHERE CODIGO = 'GR0001'"));
        auto s = f.open();
        QVERIFY(s);
        QVERIFY(s->locate(QStringLiteral("GR0001")));
        // Visiting without typing saves and stamps all the same.
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        edit(*s);
        QVERIFY(s->gridEnter());
        QVERIFY(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("DTULTALTER")).toDateTime() >=
                before);
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("UTILALTER")).toString(), f.user());

        edit(*s);
        QVERIFY(type(*s, kDesignInput, QStringLiteral("Gorro Canelado Duplo")));
        QVERIFY(s->gridEnter());
        const auto row = ArticleStore(f.factura()).read(QStringLiteral("GR0001"));
        QVERIFY(row);
        QCOMPARE(row->value("DESIGNACAO").toString(), QStringLiteral("Gorro Canelado Duplo"));
        QCOMPARE(row->value("USA_EXIST").toString(), QStringLiteral("S"));
        QCOMPARE(row->value("NROFOTOS").toInt(), 3);
        QCOMPARE(row->value("CORBASE").toInt(), 7);
        QCOMPARE(row->value("GRAMAGEM").toInt(), 250);
        QCOMPARE(row->value("FICHABASE").toString(), QStringLiteral("GR0001"));
        QCOMPARE(row->value("CODIGOGRELHA").toInt(), 4);
        QCOMPARE(row->value("UTIL_ABERTURA").toString(), QStringLiteral("ANTIGO"));
        QCOMPARE(row->value("DTABERTURA").toDateTime(), QDateTime(QDate(2020, 3, 2), QTime(0, 0)));

        // A failed write leaves the row as it was and the screen changing,
        // with what was typed.
        const QVariant stamped = f.articleValue(QStringLiteral("GR0001"), QStringLiteral("DTULTALTER"));
        edit(*s);
        QVERIFY(type(*s, kDesignInput, QStringLiteral("Não gravado")));
        QVERIFY(type(*s, QStringLiteral("Edit_Preco2"), QStringLiteral("9")));
        f.factura().setFailureHook([](const QString& sql, QString* message) {
            if (!sql.contains(QLatin1String("PRECO2=")))
                return false;
            *message = QStringLiteral("falha simulada");
            return true;
        });
        QVERIFY(!s->gridEnter());
        f.factura().setFailureHook({});
        QCOMPARE(f.screenView.messages.last(), QStringLiteral("falha simulada"));
        QCOMPARE(s->mode(), ArticleMode::Changing);
        QCOMPARE(s->text(kDesignInput), QStringLiteral("Não gravado"));
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("DESIGNACAO")).toString(),
                 QStringLiteral("Gorro Canelado Duplo"));
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("DTULTALTER")), stamped);
        QVERIFY(s->gridEnter());
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("DESIGNACAO")).toString(),
                 QStringLiteral("Não gravado"));
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("PRECO2")).toDouble(), 9.0);
    }

    void deleting_data() { addBackendRows(); }
    // The guards of a deletion in their order, and what a deletion removes.
    void deleting() {
        ARTICLE_FIXTURE(f);
        RecordingArticleView& v = f.screenView;
        shell::AccessRights noDelete = allRights();
        noDelete.ELIMINAR = QStringLiteral("N");
        {
            auto s = f.open(noDelete);
            QVERIFY(s);
            QVERIFY(!s->buttons().deleteVisible);
            QVERIFY(s->locate(QStringLiteral("LIVRE")));
            QVERIFY(!s->remove());
            QCOMPARE(v.messages.last(), QStringLiteral("Não pode eliminar artigos !!!"));
        }
        auto s = f.open();
        QVERIFY(s);
        auto refused = [&](const QString& code, const QString& message) {
            if (!s->locate(code))
                return QStringLiteral("not listed: ") + code;
            if (s->remove())
                return QStringLiteral("deleted: ") + code;
            return v.messages.last() == message ? QString() : v.messages.last();
        };
        QCOMPARE(refused(QStringLiteral("CH.0001"), QStringLiteral("Elimine 1ª a Ficha Técnica : CH.0001")),
                 QString());
        QCOMPARE(refused(QStringLiteral("SO.FICHA"), QStringLiteral("Elimine 1ª a Ficha Técnica : SO.FICHA")),
                 QString());
        QCOMPARE(refused(QStringLiteral("USO.FACT"),
                         QStringLiteral(
                             "Artigo USO.FACT c/ : 3 Registos de Facturação, não pode ser eliminado !!")),
                 QString());
        QCOMPARE(refused(QStringLiteral("USO.ENC"),
                         QStringLiteral(
                             "Artigo USO.ENC c/ : 1 Registos de Encomendas, não pode ser eliminado !!")),
                 QString());
        QCOMPARE(
            refused(QStringLiteral("USO.STK"),
                    QStringLiteral("Artigo USO.STK c/ : 1 Registos em Stock, não pode ser eliminado !!")),
            QString());
        QCOMPARE(f.count(f.factura(), QStringLiteral("SELECT COUNT(*) FROM ARTIGOSCLS")), 11);

        // Answering no deletes nothing.
        v.answers = {false};
        QVERIFY(s->locate(QStringLiteral("LIVRE")));
        QVERIFY(!s->remove());
        QCOMPARE(v.questions.last(), QStringLiteral("Eliminação !!! Confirma ?"));
        QCOMPARE(s->mode(), ArticleMode::Browsing);
        QVERIFY(f.articleValue(QStringLiteral("LIVRE"), QStringLiteral("CODIGO")).isValid());

        // The article goes with its prices, designations and warehouse stock.
        QVERIFY(s->remove());
        QVERIFY(v.status[0].contains(QStringLiteral("Eliminação em Curso !!!")));
        QVERIFY(v.status[1].contains(QStringLiteral("Aguarde P/ Favor!!!")));
        QVERIFY(v.status[0].contains(QStringLiteral("Eliminação Valores de Stocks Em Curso !!!")));
        QVERIFY(!f.articleValue(QStringLiteral("LIVRE"), QStringLiteral("CODIGO")).isValid());
        QCOMPARE(
            f.count(f.factura(), QStringLiteral("SELECT COUNT(*) FROM ARTIGOSMOE WHERE ARTIGO = 'LIVRE'")),
            0);
        QCOMPARE(
            f.count(f.factura(), QStringLiteral("SELECT COUNT(*) FROM ARTIGOSPAIS WHERE ARTIGO = 'LIVRE'")),
            0);
        QCOMPARE(
            f.count(f.factura(), QStringLiteral("SELECT COUNT(*) FROM STKARTGARMZ WHERE ARTIGO = 'LIVRE'")),
            0);
        QCOMPARE(s->articleCount(), 9);
        QCOMPARE(s->currentRow(), 0);

        // A service's stock movements do not count, and its warehouse rows stay.
        QVERIFY(s->locate(QStringLiteral("USO.SERV")));
        QVERIFY(s->remove());
        QCOMPARE(f.count(f.factura(),
                         QStringLiteral("SELECT COUNT(*) FROM STKARTGARMZ WHERE ARTIGO = 'USO.SERV'")),
                 1);

        // A deletion that fails leaves everything.
        f.factura().setFailureHook([](const QString& sql, QString* message) {
            if (!sql.contains(QLatin1String("ARTIGOSPAIS")))
                return false;
            *message = QStringLiteral("falha simulada");
            return true;
        });
        f.site.exec(
            f.factura(),
            QStringLiteral("INSERT INTO ARTIGOSMOE (ARTIGO, MOEDA, PRECO) VALUES ('FIO.A', 'USD', 2)"));
        QVERIFY(s->locate(QStringLiteral("FIO.A")));
        QVERIFY(!s->remove());
        f.factura().setFailureHook({});
        QCOMPARE(v.messages.last(), QStringLiteral("falha simulada"));
        QVERIFY(f.articleValue(QStringLiteral("FIO.A"), QStringLiteral("CODIGO")).isValid());
        QCOMPARE(
            f.count(f.factura(), QStringLiteral("SELECT COUNT(*) FROM ARTIGOSMOE WHERE ARTIGO = 'FIO.A'")),
            1);
    }

    void satellites_data() { addBackendRows(); }
    // Prices and designations only for a saved article; the sheet only for products.
    void satellites() {
        ARTICLE_FIXTURE(f);
        auto s = f.open();
        QVERIFY(s);
        QVERIFY(s->locate(QStringLiteral("FIO.A")));
        QVERIFY(!s->sheetAllowed());
        QCOMPARE(f.screenView.messages.last(),
                 QStringLiteral("A Ficha Técnica só é válida para Produtos ..."));
        QVERIFY(s->satellitesAllowed());
        QVERIFY(s->locate(QStringLiteral("GR0001")));
        QVERIFY(s->sheetAllowed());
        s->insert();
        QVERIFY(!s->sheetAllowed()); // what is typed is not read over
        edit(*s);
        QVERIFY(type(*s, kCodeInput, QStringLiteral("NOVO")));
        const int beeps = f.screenView.beeps;
        QVERIFY(!s->satellitesAllowed());
        QCOMPARE(f.screenView.beeps, beeps + 1);
        s->fieldEnter(QStringLiteral("Edit_VosRef"));
        QVERIFY(!s->buttons().satellitesEnabled);
    }

    void exporting_data() { addBackendRows(); }
    // The spreadsheet of every article, variants too, with every column.
    void exporting() {
        ARTICLE_FIXTURE(f);
        auto s = f.open();
        QVERIFY(s);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("artigos.xlsx"));
        QString error;
        QVERIFY2(
            s->exportList(file, QStringLiteral("Malhas do Vale"), QStringLiteral("CORVANEFACTURA"), &error),
            qPrintable(error));
        const auto cells = readXlsxCells(file);
        QCOMPARE(xlsxRow(cells, 1), QStringList{"Tabela de Artigos"});
        QCOMPARE(xlsxRow(cells, 2), QStringList{"CORVANEFACTURA"});
        QCOMPARE(xlsxRow(cells, 3), QStringList{"Empresa : Malhas do Vale"});
        QStringList headings;
        for (const QString& h : xlsxRow(cells, 5))
            headings << h.toUpper();
        QCOMPARE(headings, artigosClsTable().columnNames());
        QCOMPARE(xlsxRow(cells, 6).value(0), QStringLiteral("BASE12345678"));
        QCOMPARE(xlsxRow(cells, 7).value(0), QStringLiteral("BASE123456780101"));
        QCOMPARE(xlsxRow(cells, 16).value(0), QStringLiteral("USO.STK"));
        QVERIFY(xlsxRow(cells, 17).isEmpty());
    }

    void store_data() { addBackendRows(); }
    // The statements of the store on their own.
    void store() {
        ARTICLE_FIXTURE(f);
        ArticleStore store(f.factura());
        QCOMPARE(store.codeExists(QStringLiteral("gr0001")), std::optional<bool>(true));
        QCOMPARE(store.codeExists(QStringLiteral("GR0001  ")), std::optional<bool>(true));
        QCOMPARE(store.codeExists(QStringLiteral("GR000")), std::optional<bool>(false));
        f.article(QStringLiteral("T10"), QStringLiteral("10"), QStringLiteral("Embalagem"));
        f.article(QStringLiteral("T11"), QStringLiteral("11"), QStringLiteral("Diversos"));
        // Types compare as text.
        QCOMPARE(
            f.count(f.factura(), QStringLiteral("SELECT COUNT(*) FROM ARTIGOSCLS WHERE TIPOARTIGO < '6' AND "
                                                "CODIGO IN ('T10', 'T11', 'FIO.A', 'USO.SERV')")),
            3);
        // The variants of a base lie between the base and the base + "9999".
        f.article(QStringLiteral("BASE123456789999"), QStringLiteral("1"), QStringLiteral("Última"),
                  {{"GRELHA", "S"}});
        f.article(QStringLiteral("BASE12345679"), QStringLiteral("1"), QStringLiteral("Outra base"));
        const auto variants = store.articlesOfBase(QStringLiteral("BASE123456780101"), true);
        QVERIFY(variants);
        QStringList codes;
        for (const BaseArticle& a : *variants)
            codes << a.code;
        QCOMPARE(codes, (QStringList{"BASE12345678", "BASE123456780101", "BASE123456789999"}));
        const auto own = store.articlesOfBase(QStringLiteral("BASE12345678"), false);
        QVERIFY(own);
        QCOMPARE(own->size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestArticleScreen)
#include "test_article_screen.moc"
