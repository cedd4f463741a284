#include "editor/janelas.h"

#include "editor/estado_dos_comandos.h"
#include "editor/tela_principal.h"

namespace orvel {

namespace {

class janelas_de_verdade final : public janelas_do_programa {
public:
    desenho_da_rede& tela_principal() override { return tela_principal_completa(); }

    void titular_as_oito_janelas(const std::string& titulo) override {
        tela_principal_completa().Caption = titulo;
        frmDiagrama_de_barras_final_versao2().Caption = titulo;
        frmEditarLink_versao2().Caption = titulo;
        frmEditarNo_versao2().Caption = titulo;
        frmNome_da_rede_versao2().Caption = titulo;
        frmRede_dinamica_versao2().Caption = titulo;
        frmRede_versao2().Caption = titulo;
        frmBrowse().Caption = titulo;
        observador().ao_mudar();
    }

    void aplicar_coluna_de_comandos(coluna_de_comandos coluna) override {
        aplicar_coluna_na_janela_principal(coluna);
    }
};

class observador_de_verdade final : public observador_do_calculo {
public:
    void ponteiro(Integer p) override { tela_principal_completa().MousePointer = p; }
    void aplicar_coluna(coluna_de_comandos coluna) override { aplicar_coluna_na_janela_principal(coluna); }
    bool salvar(contexto_da_rede& c) override { return salvar_pelas_janelas(c); }
};

}  // namespace

janelas_do_programa& janelas_do_editor() {
    static janelas_de_verdade j;
    return j;
}

observador_do_calculo& observador_das_janelas() {
    static observador_de_verdade o;
    return o;
}

}  // namespace orvel
