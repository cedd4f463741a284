#include "editor/estado_dos_comandos.h"

#include "editor/tela_principal.h"
#include "modelo/rede.h"

namespace orvel {

const std::vector<linha_de_comandos>& tabela_de_estados_dos_comandos() {
    //                                                           Load Novo Des Enc Fech Abrir Stop Parar Proc1 Proc2 Nome
    static const std::vector<linha_de_comandos> t = {
        {{"mnuFechar"},                                             "EE  DEE    "},
        {{"arquivo_fechar_button"},                                 "EE  DEEEDE "},
        {{"mnuSalvar"},                                             "EE  DEE   E"},
        {{"salvar_button"},                                         "EE  DEEEDEE"},
        {{"mnuSalvar_como"},                                        "EE  DEE   E"},
        {{"mnuImprimir"},                                           " E  DEE    "},
        {{"arquivo_novo_button"},                                   "       EDE "},
        {{"arquivo_abrir_button"},                                  "       EDE "},
        {{"mnuDesenhar"},                                           "DDDEDEEE   "},
        {{"construir_button"},                                      "DDDEDEEED  "},
        {{"mnuEncerrarDesenho"},                                    "DEEDDDDD   "},
        {{"terminar_construcao_button"},                            "DEEDDDDDDE "},
        {{"mnuInserirNo"},                                          "DEEDDDDD   "},
        {{"inserir_no_button"},                                     "DEEDDDDDDE "},
        {{"mnuEditarNo", "mnuEditarNoPop"},                         "DDDEDEEE   "},
        {{"editar_no_button"},                                      "DDDEDEEED  "},
        {{"mnuEliminarNo", "mnuEliminarNoPop"},                     "DEEDDDDD   "},
        {{"eliminar_no_button"},                                    "DEEDDDDDDE "},
        {{"mnuInserirLink"},                                        "DEEDDDDD   "},
        {{"mnuInserirLinkConversao"},                               "DE  D  D   "},
        {{"inserir_link_button"},                                   "DEEDDDDDDE "},
        {{"mnuEditarLink", "mnuEditarLinkPop"},                     "DDDEDEEE   "},
        {{"editar_link_button"},                                    "DDDEDEEED  "},
        {{"mnuEliminarLink", "mnuEliminarLinkPop"},                 "DEEDDDDD   "},
        {{"eliminar_link_button"},                                  "DEEDDDDDDE "},
        {{"processar_button"},                                      "DE  DEEEDE "},
        {{"parar_processamento_button"},                            "DD  DDDDED "},
        {{"relatorio_tela_button"},                                 "DD  DEEEDE "},
        {{"relatorio_diagrama_de_barras_button"},                   "DD  DEEEDE "},
        {{"tela_dinamica_button"},                                  "DD  DEEEDE "},
        {{"mnuProjetos"},                                           "       EDE "},
        {{"mnuRede"},                                               "EE  DEEEDE "},
        {{"mnuNo", "mnuLink"},                                      "DEEEDEEEDE "},
        {{"mnuRelatorio", "mnuDiagrama_de_barras", "mnuRede_dinamica"}, "DD  DEEEDE "},
        {{"mnuAjuda"},                                              "       EDE "},
    };
    return t;
}

void aplicar_coluna_na_janela_principal(coluna_de_comandos coluna) {
    if (!tela_principal_carregada()) return;
    auto& tela = tela_principal_completa();
    const auto k = static_cast<std::size_t>(coluna);
    bool mudou = false;
    for (const auto& linha : tabela_de_estados_dos_comandos()) {
        const char estado = linha.estados[k];
        if (estado == ' ') continue;
        for (const auto& nome : linha.controles) {
            controle* c = tela.controle_chamado(nome);
            if (!c || c->Enabled == (estado == 'E')) continue;
            c->Enabled = estado == 'E';
            mudou = true;
        }
    }
    // Uma coluna que não muda nada não pede pintura: depois de uma parada, cada sondagem do
    // processamento aplica de novo a mesma coluna.
    if (mudou) observador().ao_mudar();
}

// O aviso não espera o OK: ele é mostrado de dentro de uma sondagem, e uma caixa modal ali
// pararia o processamento enquanto estivesse aberta.
bool recusado_pela_execucao() {
    if (!execucao_em_curso) return false;
    servicos().aviso_sem_esperar("Aguarde o fim do processamento", "Aviso");
    return true;
}

std::function<void()> fora_da_execucao(std::function<void()> comando) {
    return [comando = std::move(comando)] {
        if (!recusado_pela_execucao()) comando();
    };
}

}  // namespace orvel
