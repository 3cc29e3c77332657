// The columns the technical-sheet screen writes for a sheet of each kind.
#include "sheet_screen_fixture.h"

using namespace corvane::techsheet;

class TestSheetColumns : public QObject {
    Q_OBJECT
private slots:
    void savedColumnsWovenScarf() {
        Sheet s;
        s.screen.chooseKind(kWovenScarf);
        s.fill({{"Edit_TipoTrabalho", "1"},
                {"Edit_Contracoes", "5"},
                {"Edit_RefInformat", "Ref A"},
                {"Edit_CorteUltSom", "s"},
                {"Edit_Costura", "N"},
                {"Edit_Etiq", "S"},
                {"Edit_EtqCart_Ca", "N"},
                {"Edit_Franja", "S"},
                {"Edit_Cabide", "S"},
                {"Edit_TmpCabide", "4"},
                {"Edit_EmbalCA", "S"},
                {"Edit_VaporCA", "N"}});
        compareColumns(s.screen.saveColumns(), {{"CODIGO", "ART-1"},
                                                {"TIPOFICTEC", "CA"},
                                                {"TIPOTRABALHO", 1},
                                                {"NROPASSAG", 18},
                                                {"CONTRACOES", 5.0},
                                                {"PESOKGS", 0.0},
                                                {"PESOAMOSTRA", 0.0},
                                                {"VELOCID_TIRAGEM", 0.0},
                                                {"VELOCID_CARRO", 0.0},
                                                {"VAPORIZA", "N"},
                                                {"REMALHA", "N"},
                                                {"SUBCONTRATO", "N"},
                                                {"REF_INFORMAT", "Ref A"},
                                                {"DESPERD", 3.5},
                                                {"CORTEULTRA", "S"},
                                                {"COSTURA", "N"},
                                                {"FRANJA", "S"},
                                                {"ETIQUETA", "S"},
                                                {"ETIQ_CARTOLINA", "N"},
                                                {"CABIDE", "S"},
                                                {"LARG_FRANJA", 120.0},
                                                {"EMBALAGEM", "S"},
                                                {"TMPCABIDE", 4},
                                                {"TMPDESENHO", 0},
                                                {"FITAS", 0},
                                                {"RAPORT", 0},
                                                {"SUPIMPR", 0.0},
                                                {"LARG_TECIDO", 0.0},
                                                {"PECAS_TECIDO", 0},
                                                {"MTL_TECIDO", 0.0},
                                                {"ENQ_TECIDO", ""}});
    }

    void savedColumnsKnittedScarf() {
        Sheet s;
        s.screen.chooseKind(kKnittedScarf);
        s.fill({{"Edit_DespFioCT", "4,5"},
                {"Edit_RefInf_CT", "Ref B"},
                {"Edit_PesoCT", "0.2"},
                {"Edit_Velocid_Carro", "1.5"},
                {"Edit_CorteUltSomCT", "N"},
                {"Edit_CosturaCT", "S"},
                {"Edit_FranjaCt", "S"},
                {"Edit_LargFranjaCT", "60"},
                {"Edit_CabideCT", "N"},
                {"Edit_EtiqCT", "S"},
                {"Edit_EtqCart_Ct", "S"},
                {"Edit_BordadoCt", "S"},
                {"Edit_SubBrd_CT", "N"},
                {"Edit_Remalha", "S"},
                {"Edit_SubCont", "S"},
                {"Edit_TmpDesenhoCT", "15"},
                {"Edit_VaporCT", "S"},
                {"Edit_EmbalCT", "N"}});
        QVariantMap expected{{"CODIGO", "ART-1"},
                             {"TIPOFICTEC", "CT"},
                             {"TIPOTRABALHO", 0},
                             {"NROPASSAG", 0},
                             {"PESOKGS", 0.2},
                             {"REF_INFORMAT", "Ref B"},
                             {"DESPERD", 4.5},
                             {"CORTEULTRA", "N"},
                             {"COSTURA", "S"},
                             {"FRANJA", "S"},
                             {"ETIQUETA", "S"},
                             {"ETIQ_CARTOLINA", "S"},
                             {"CABIDE", "N"},
                             {"LARG_FRANJA", 60.0},
                             {"VAPORIZA", "S"},
                             {"REMALHA", "S"},
                             {"SUBCONTRATO", "S"},
                             {"EMBALAGEM", "N"},
                             {"SUBCONT_BORDADO", "N"},
                             {"BORDADO", "S"},
                             {"TMPCABIDE", 0},
                             {"TMPDESENHO", 15},
                             {"VELOCID_TIRAGEM", 0.0},
                             {"VELOCID_CARRO", 1.5},
                             {"FITAS", 0},
                             {"RAPORT", 0},
                             {"SUPIMPR", 0.0},
                             {"LARG_TECIDO", 0.0},
                             {"PECAS_TECIDO", 0},
                             {"MTL_TECIDO", 0.0},
                             {"ENQ_TECIDO", ""}};
        compareColumns(s.screen.saveColumns(), expected); // no sample weight typed: not written
        s.fill({{"Edit_PesoAmo", "30"}});
        expected.insert("PESOAMOSTRA", 30.0);
        compareColumns(s.screen.saveColumns(), expected);
    }

    void savedColumnsPrintedScarf() {
        Sheet s;
        s.screen.chooseKind(kPrintedScarf);
        s.fill({{"Edit_RefInf_CI", "Ref C"},
                {"Edit_Resolucao", "720x1440dpi"},
                {"Edit_NPassadas", "3"},
                {"Edit_SupImpr", "80"},
                {"Edit_CorteUltSomCI", "S"},
                {"Edit_CosturaCI", "N"},
                {"Edit_FranjaCi", "N"},
                {"Edit_CabideCI", "S"},
                {"Edit_TmpCabideCI", "2"},
                {"Edit_EtiqCI", "N"},
                {"Edit_EtqCart_Ci", "S"},
                {"Edit_TmpDesenhoCI", "7"},
                {"Edit_EmbalCI", "S"}});
        QCOMPARE(s.screen.text("Edit_Resolucao"), QString("720x1440dp")); // ten characters
        compareColumns(s.screen.saveColumns(), {{"CODIGO", "ART-1"},
                                                {"TIPOFICTEC", "CI"},
                                                {"TIPOTRABALHO", 0},
                                                {"NRPASSADAS", 3},
                                                {"REF_INFORMAT", "Ref C"},
                                                {"RESOLUCAO", "720x1440dp"},
                                                {"CORTEULTRA", "S"},
                                                {"COSTURA", "N"},
                                                {"FRANJA", "N"},
                                                {"ETIQUETA", "N"},
                                                {"ETIQ_CARTOLINA", "S"},
                                                {"CABIDE", "S"},
                                                {"LARG_FRANJA", 0.0},
                                                {"SUPIMPR", 80.0},
                                                {"EMBALAGEM", "S"},
                                                {"TMPCABIDE", 2},
                                                {"TMPDESENHO", 7},
                                                {"DESPERD", 0.0},
                                                {"VELOCID_TIRAGEM", 0.0},
                                                {"VELOCID_CARRO", 0.0},
                                                {"FITAS", 0},
                                                {"RAPORT", 0},
                                                {"PESOKGS", 0.0},
                                                {"PESOAMOSTRA", 0.0},
                                                {"REMALHA", "N"},
                                                {"SUBCONTRATO", "N"}});
    }

    void savedColumnsKnittedHat() {
        Sheet s;
        s.screen.chooseKind(kKnittedHat);
        s.fill({{"Edit_DespFioGT", "2"},
                {"Edit_RefInf_GT", "Ref D"},
                {"Edit_PesoGT", "0,12"},
                {"Edit_PesoAmoGT", "14"},
                {"Edit_Velocid_CarroGT", "1"},
                {"Edit_Velocid_TiragemGT", "0.5"},
                {"Edit_CorteSerraGT", "S"},
                {"Edit_BordadoGT", "S"},
                {"Edit_SubBrd_GT", "S"},
                {"Edit_EtiqGT", "S"},
                {"Edit_EtqCart_GT", "N"},
                {"Edit_CabideGT", "S"},
                {"Edit_TmpCabideGT", "3"},
                {"Edit_TmpDesenhoGT", "8"},
                {"Edit_VaporGT", "N"},
                {"Edit_EmbalGT", "S"}});
        compareColumns(s.screen.saveColumns(), {{"CODIGO", "ART-1"},
                                                {"TIPOFICTEC", "GT"},
                                                {"TIPOTRABALHO", 0},
                                                {"NRPASSADAS", 0},
                                                {"PESOKGS", 0.12},
                                                {"PESOAMOSTRA", 14.0},
                                                {"REF_INFORMAT", "Ref D"},
                                                {"DESPERD", 2.0},
                                                {"CORTEULTRA", "S"},
                                                {"COSTURA", "N"},
                                                {"FRANJA", "N"},
                                                {"LARG_FRANJA", 0.0},
                                                {"ETIQUETA", "S"},
                                                {"ETIQ_CARTOLINA", "N"},
                                                {"CABIDE", "S"},
                                                {"VAPORIZA", "N"},
                                                {"REMALHA", "N"},
                                                {"SUBCONTRATO", "N"},
                                                {"EMBALAGEM", "S"},
                                                {"SUBCONT_BORDADO", "S"},
                                                {"BORDADO", "S"},
                                                {"TMPCABIDE", 3},
                                                {"TMPDESENHO", 8},
                                                {"VELOCID_TIRAGEM", 0.5},
                                                {"VELOCID_CARRO", 1.0},
                                                {"FITAS", 0},
                                                {"RAPORT", 0},
                                                {"SUPIMPR", 0.0},
                                                {"LARG_TECIDO", 0.0},
                                                {"PECAS_TECIDO", 0},
                                                {"MTL_TECIDO", 0.0},
                                                {"ENQ_TECIDO", ""}});
    }
};

QTEST_GUILESS_MAIN(TestSheetColumns)
#include "test_sheet_columns.moc"
