#pragma once
// A janela principal: carga, barra de ferramentas, menus e os comandos do desenho.

#include "modelo/tela_principal.h"
#include "plataforma/servicos.h"

namespace orvel {

class tela_principal : public dados_da_tela_principal {
public:
    tela_principal();

    void Form_Load() override;
    void Form_Activate() override {}
    void Form_Unload(Integer& cancelar) override;

    // Comandos do projeto.
    void arquivo_novo_button_Click();
    void mnuNovo_Click();
    void arquivo_abrir_button_Click();
    void mnuAbrir_Click();
    void arquivo_fechar_button_Click();
    void mnuFechar_Click();
    void salvar_button_Click();
    void mnuSalvar_Click();
    void mnuSalvar_como_Click();
    void mnuSair_Click();
    void construir_button_Click();
    void mnuDesenhar_Click();
    void terminar_construcao_button_Click();
    void mnuEncerrarDesenho_Click();
    void processar_button_Click();
    void parar_processamento_button_Click();

    // Criação, edição e eliminação de nós e links (botão, menu e menu suspenso).
    void inserir_no_button_Click();
    void mnuInserirNo_Click();
    void inserir_link_button_Click();
    void mnuInserirLink_Click();
    void mnuInserirLinkConversao_Click();
    void editar_no_button_Click();
    void mnuEditarNo_Click();
    void mnuEditarNoPop_Click();
    void editar_link_button_Click();
    void mnuEditarLink_Click();
    void mnuEditarLinkPop_Click();
    void eliminar_no_button_Click();
    void mnuEliminarNo_Click();
    void mnuEliminarNoPop_Click();
    void eliminar_link_button_Click();
    void mnuEliminarLink_Click();
    void mnuEliminarLinkPop_Click();

    // Mouse na área de desenho: seleção e arrasto dos links ("Erro 116", "Erro 117", "Erro 118").
    void Form_MouseDown(Integer Button, Integer Shift, Single X, Single Y) override;
    void Form_MouseMove(Integer Button, Integer Shift, Single X, Single Y) override;
    void Form_MouseUp(Integer Button, Integer Shift, Single X, Single Y) override;

    // Mouse nos nós: o rótulo de apoio seleciona e arrasta; as alças dos cantos mudam o raio.
    void apoio_no_label_MouseDown(Integer Index, Integer Button, Integer Shift, Single X, Single Y);
    void apoio_no_label_MouseMove(Integer Index, Integer Button, Integer Shift, Single X, Single Y);
    void apoio_no_label_MouseUp(Integer Index, Integer Button, Integer Shift, Single X, Single Y);
    void Label2_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
    void Label2_MouseMove(Integer Button, Integer Shift, Single X, Single Y);
    void Label2_MouseUp(Integer Button, Integer Shift, Single X, Single Y);
    void Label3_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
    void Label3_MouseMove(Integer Button, Integer Shift, Single X, Single Y);
    void Label3_MouseUp(Integer Button, Integer Shift, Single X, Single Y);
    void Label4_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
    void Label4_MouseMove(Integer Button, Integer Shift, Single X, Single Y);
    void Label4_MouseUp(Integer Button, Integer Shift, Single X, Single Y);
    void Label5_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
    void Label5_MouseMove(Integer Button, Integer Shift, Single X, Single Y);
    void Label5_MouseUp(Integer Button, Integer Shift, Single X, Single Y);
    // Vistas dos resultados (editor/comandos_das_vistas.cpp).
    void relatorio_diagrama_de_barras_button_Click();
    void mnuDiagrama_de_barras_Click();
    void tela_dinamica_button_Click();
    void mnuRede_dinamica_Click();
    // Vistas, diálogos da rede e impressão.
    void mnuAjuda_Click();
    void mnuConfigurar_Click();
    void mnuImprimir_Click();
    void mnuEditarRede_Click();
    void mnuNomeRede_Click();
    void relatorio_tela_button_Click();
    void mnuRelatorio_Click();

    // O diálogo comum de impressora da janela.
    dialogo_de_impressora cdlImpressora;

private:
    void mover_alca(rotulo& alca, Integer Button, Single X, Single Y);
    void novo();
    void abrir();
    void fechar();
    void sair();
    void calcular_geometria_dos_nos();
    void esconder_marcas_e_selecoes();
    void criar_no();
    void criar_link(bool conversao);
    void editar_no();
    void editar_link();
    void apagar_no();
    void apagar_link();
    void mostrar_relatorio();

    // O nó em volta do qual as alças dos cantos foram postas pela última soltura (0 = nenhum):
    // uma alça só redimensiona esse nó, mesmo que outro tenha sido selecionado depois.
    Byte no_das_alcas_ = 0;
};

tela_principal& tela_principal_completa();

}  // namespace orvel
