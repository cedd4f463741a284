#pragma once
// O editor de nó: os campos do nó selecionado, os grupos semafóricos com os seus links e o
// diagrama de barras (divisas na régua e estados de cada grupo em cada intervalo, com o mouse
// ou a partir de um modelo pronto). Tudo o que se digita vai para as cópias de edição do nó;
// só a confirmação, depois de todas as verificações, escreve as tabelas da rede.

#include <functional>

#include "plataforma/formularios.h"

namespace orvel {

class editor_de_no : public formulario {
public:
    editor_de_no();

    // Campos do nó.
    caixa_de_texto codigo_texto{*this, "codigo_texto"};
    rotulo codigo_label{*this, "codigo_label"};
    caixa_de_texto texto_quantos_grupos{*this, "texto_quantos_grupos"};
    rotulo label_quantos_grupos{*this, "label_quantos_grupos"};
    caixa_de_selecao CheckDuplo{*this, "CheckDuplo"};
    caixa_de_selecao CheckEscravo{*this, "CheckEscravo"};
    caixa_de_texto mestre_texto{*this, "mestre_texto"};
    rotulo Label15{*this, "Label15"};
    caixa_de_texto intervalo_escravo_texto{*this, "intervalo_escravo_texto"};
    rotulo Label16{*this, "Label16"};
    caixa_de_texto intervalo_mestre_texto{*this, "intervalo_mestre_texto"};
    rotulo Label17{*this, "Label17"};
    caixa_de_texto defasagem_forcada_texto{*this, "defasagem_forcada_texto"};
    rotulo Label18{*this, "Label18"};
    caixa_de_selecao CheckDemanda{*this, "CheckDemanda"};
    caixa_de_texto n_acionamentos_texto{*this, "n_acionamentos_texto"};
    rotulo Label19{*this, "Label19"};
    caixa_de_texto intervalo_demandado_texto{*this, "intervalo_demandado_texto"};
    rotulo Label20{*this, "Label20"};
    caixa_de_texto intervalo_beneficiado_texto{*this, "intervalo_beneficiado_texto"};
    rotulo Label21{*this, "Label21"};
    rotulo Label4{*this, "Label4"};
    rotulo Label14{*this, "Label14"};

    // Links de cada grupo (elemento m guarda o (m + 1)-ésimo link) e durações impostas.
    matriz_de_controles<caixa_de_texto> links_do_G1{*this, "links_do_G1"};
    matriz_de_controles<caixa_de_texto> links_do_G2{*this, "links_do_G2"};
    matriz_de_controles<caixa_de_texto> links_do_G3{*this, "links_do_G3"};
    matriz_de_controles<caixa_de_texto> links_do_G4{*this, "links_do_G4"};
    matriz_de_controles<caixa_de_texto> links_do_G5{*this, "links_do_G5"};
    matriz_de_controles<caixa_de_texto> links_do_G6{*this, "links_do_G6"};
    matriz_de_controles<caixa_de_texto> links_do_G7{*this, "links_do_G7"};
    matriz_de_controles<caixa_de_texto> links_do_G8{*this, "links_do_G8"};
    matriz_de_controles<caixa_de_texto> duracao_imposta_texto{*this, "duracao_imposta_texto"};

    // Painel dos modelos prontos, por cima do diagrama.
    matriz_de_controles<botao_de_opcao> Option1{*this, "Option1"};
    rotulo Label1{*this, "Label1"};
    forma Shape1{*this, "Shape1"};

    botao_de_comando cancelar_command{*this, "cancelar_command"};
    botao_de_comando inserir_dados_command{*this, "inserir_dados_command"};

    // Diagrama de barras: divisas, pedaços das barras dos grupos, fundos, moldura e régua.
    matriz_de_controles<linha> ordenada{*this, "ordenada"};
    matriz_de_controles<forma> intervalo_do_grupo_1{*this, "intervalo_do_grupo_1"};
    matriz_de_controles<forma> intervalo_do_grupo_2{*this, "intervalo_do_grupo_2"};
    matriz_de_controles<forma> intervalo_do_grupo_3{*this, "intervalo_do_grupo_3"};
    matriz_de_controles<forma> intervalo_do_grupo_4{*this, "intervalo_do_grupo_4"};
    matriz_de_controles<forma> intervalo_do_grupo_5{*this, "intervalo_do_grupo_5"};
    matriz_de_controles<forma> intervalo_do_grupo_6{*this, "intervalo_do_grupo_6"};
    matriz_de_controles<forma> intervalo_do_grupo_7{*this, "intervalo_do_grupo_7"};
    matriz_de_controles<forma> intervalo_do_grupo_8{*this, "intervalo_do_grupo_8"};
    forma fundo_barra_1{*this, "fundo_barra_1"};
    forma fundo_barra_2{*this, "fundo_barra_2"};
    forma fundo_barra_3{*this, "fundo_barra_3"};
    forma fundo_barra_4{*this, "fundo_barra_4"};
    forma fundo_barra_5{*this, "fundo_barra_5"};
    forma fundo_barra_6{*this, "fundo_barra_6"};
    forma fundo_barra_7{*this, "fundo_barra_7"};
    forma fundo_barra_8{*this, "fundo_barra_8"};
    linha Line1{*this, "Line1"};
    linha Line2{*this, "Line2"};
    linha Line3{*this, "Line3"};

    // Acesso por número de grupo (1..8): pedaços, fundo e caixas de links.
    matriz_de_controles<forma>& intervalo_do_grupo(int g);
    forma& fundo_barra(int g);
    matriz_de_controles<caixa_de_texto>& links_do_G(int g);
    // Pedaço do grupo g para o intervalo j.
    forma& pedaco(int g, int j) { return intervalo_do_grupo(g)(j); }

    // Eventos da janela.
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_Unload(Integer& cancelar) override;
    void Form_KeyPress(Integer& codigo) override;
    void Form_MouseUp(Integer botao, Integer shift, Single x, Single y) override;

    // Botões.
    void inserir_dados_command_Click();
    void cancelar_command_Click();

    // Caixas de seleção que mostram e escondem os campos que dependem delas.
    void CheckEscravo_Click();
    void CheckDemanda_Click();

    // Quantidade de grupos.
    void texto_quantos_grupos_KeyDown(Integer& codigo, Integer shift);
    void texto_quantos_grupos_KeyPress(Integer& codigo);
    void texto_quantos_grupos_KeyUp(Integer& codigo, Integer shift);

    // Modelos prontos do diagrama.
    void Option1_Click(int indice);

    // Distribui os pedaços das barras e as caixas de duração pelas divisas do nó selecionado.
    void reconstruir_diagrama();

private:
    // Liga o Enter (guarda, engole a tecla e confirma) e a saída do foco (só guarda) de um
    // campo. A gravação devolve false quando o número digitado não cabe no seu tipo.
    void ligar_campo(controle_com_foco& campo, std::function<bool()> guardar);
    void campo_KeyPress(const std::function<bool()>& guardar, Integer& codigo);
    void campo_LostFocus(const std::function<bool()>& guardar);

    void fechar_edicao();          // seleção desfeita, marcas escondidas, janela limpa
    void esconder_marcas_do_no();  // as quatro marcas de seleção do nó na janela principal
    void esconder_linhas_dos_grupos();
    void reconstruir(bool apos_remocao);
    void redistribuir_grupos(int antes, int depois);
    void ordenar_o_foco();
    void confirmar();

    friend void limpar_editor_de_no();
    // Tira o foco do controle que o tem sem gravar o campo: a janela limpa não tem o que gravar.
    void soltar_foco_sem_gravar();
    bool gravacao_suspensa_ = false;
    // A caixa cujo número acabou de ser recusado; a confirmação espera que ela seja corrigida.
    caixa_de_texto* caixa_recusada_ = nullptr;
};

// A instância única do editor de nó (carregada na primeira referência).
editor_de_no& editor_de_no_unico();

// Volta o editor de nó ao estado limpo ("Erro 147"): não escreve cópia de edição nem tabela.
void limpar_editor_de_no();

}  // namespace orvel
