#include "dialogos/editor_de_link.h"

#include "dialogos/numeros_das_caixas.h"
#include "dialogos/protocolo_das_caixas.h"
#include "editor/estado_dos_comandos.h"
#include "editor/janelas.h"
#include "modelo/buffers_de_edicao.h"
#include "modelo/estado_do_editor.h"
#include "modelo/rede.h"
#include "editor/desenho_da_rede.h"
#include "plataforma/servicos.h"
#include "plataforma/textos.h"

namespace orvel {

janela_editar_link& editor_de_link_unico() { return formulario_unico<janela_editar_link>(); }
formulario& frmEditarLink_versao2() { return editor_de_link_unico(); }

namespace {

void rotular(rotulo& r, const char* caption, Single left, Single top, Single width, Single height) {
    r.Caption = caption;
    r.posicionar(left, top, width, height);
}

void caixa(caixa_de_texto& c, Single left, Single top, Single width, Integer tab, Integer max) {
    c.posicionar(left, top, width, 285);
    c.TabIndex = tab;
    c.MaxLength = max;
    c.Visible = true;
}

void aviso(std::string_view texto) {
    servicos().caixa_de_mensagem(std::string(texto), estilo_ok, "Aviso");
    dados_ok = false;
}

// Fora da faixa da regra: o aviso com a sua mensagem.
void conferir(const regra_de_valor& regra, double valor) {
    if (!regra.faixa.contem(valor)) aviso(regra.mensagem);
}

void aviso_se_nao_vazio(const std::string& texto) {
    if (!texto.empty()) aviso(texto);
}

// Esconde as duas marcas do link selecionado na janela principal e as estaciona.
void estacionar_marcas_do_link() {
    auto& t = frmTela_principal_versao2();
    t.Shape2.Visible = false;
    t.Shape3.Visible = false;
    t.Shape2.Left = left_estacionado;
    t.Shape2.Top = top_estacionado;
    t.Shape3.Left = left_estacionado;
    t.Shape3.Top = top_estacionado;
}

// Põe o rótulo do link 20 twips abaixo do meio do corpo: à direita do meio quando o corpo sobe
// para a direita (ou é horizontal), com a borda direita à esquerda do meio quando desce para a
// direita (ou é vertical). Um corpo reduzido a um ponto não move o rótulo.
void posicionar_rotulo_do_link(const linha& corpo, rotulo& r) {
    const Single x1 = corpo.X1, y1 = corpo.Y1, x2 = corpo.X2, y2 = corpo.Y2;
    const Single mx = (x1 + x2) / 2.0f;
    const Single my = (y1 + y2) / 2.0f;
    if ((x2 > x1 && y1 >= y2) || (x1 > x2 && y2 >= y1)) {
        r.Left = mx + 20.0f;
        r.Top = my + 20.0f;
    } else if ((x2 >= x1 && y2 > y1) || (x1 >= x2 && y1 > y2)) {
        r.Left = mx - 20.0f - r.Width;
        r.Top = my + 20.0f;
    }
}

}  // namespace

janela_editar_link::janela_editar_link() : formulario("frmEditarLink_versao2") {
    borda_fixa = true;
    dialogo_do_programa = true;
    Caption = titulo_das_janelas();
    Width = 11880;
    Height = 8310;

    rotular(Label1, "Código do link", 5880, 408, 1110, 192);
    caixa(codigo_texto, 5160, 360, 500, 1, 4);
    Shape3.posicionar(1060, 1320, 9852, 2292);
    rotular(Label13, "CARACTERÍSTICAS PRÓPRIAS DO LINK", 4452, 1560, 3072, 252);
    caixa(no_origem_texto, 2160, 2040, 480, 2, 3);
    rotular(Label2, "Nó origem", 2840, 2056, 840, 252);
    caixa(no_destino_texto, 5170, 2040, 480, 3, 3);
    rotular(Label3, "Nó destino", 5850, 2056, 852, 252);
    caixa(verde_de_seguranca_texto, 7680, 2040, 480, 4, 3);
    rotular(Label8, "Verde de segurança (s)", 8320, 2056, 1800, 252);
    caixa(fluxo_texto, 1440, 2880, 600, 5, 4);
    rotular(Label4, " Fluxo (veic/h)", 2220, 2880, 612, 372);
    caixa(fluxo_de_saturacao_texto, 3360, 2880, 600, 6, 5);
    rotular(Label5, "Fluxo de Saturação          (veic/h)", 4140, 2880, 1452, 372);
    caixa(t_de_percurso_texto, 6120, 2880, 600, 7, 3);
    rotular(Label6, "Tempo de percurso (s)", 6880, 2880, 972, 372);
    caixa(capacidade_da_caixa_texto, 8280, 2880, 600, 8, 4);
    rotular(Label7, "   Capacidade de armazenamento (veic)", 9020, 2880, 1692, 372);
    Shape2.posicionar(1060, 4380, 9852, 2652);
    rotular(Label12, "FORNECIMENTO PARA OUTROS LINKS", 4482, 4620, 3012, 252);

    // As quatro colunas dos recebedores: o nome (matriz de caixas) sobre o valor fornecido.
    const Single left_do_nome[] = {1440, 3924, 6408, 8892};
    const Single left_do_valor[] = {1390, 3874, 6358, 8842};
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            codigo_do_iesimo_recebedor_texto.carregar(i);
            valor_do_iesimo_fornecimento_texto.carregar(i);
        }
        caixa(codigo_do_iesimo_recebedor_texto(i), left_do_nome[i], 5200, 500, static_cast<Integer>(9 + 2 * i), 4);
        caixa(valor_do_iesimo_fornecimento_texto(i), left_do_valor[i], 6240, 600, static_cast<Integer>(10 + 2 * i), 4);
    }
    const char* nomes_dos_recebedores[] = {"Código do primeiro    link recebedor", "Código do segundo link recebedor",
                                           "Código do terceiro      link recebedor"};
    const char* valores_fornecidos[] = {"Valor do primeiro     fornecimento", "Valor do segundo     fornecimento",
                                        "Valor do terceiro     fornecimento"};
    const Single left_do_rotulo_do_nome[] = {2120, 4604, 7088};
    const Single left_do_rotulo_do_valor[] = {2160, 4608, 7088};
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            Label9.carregar(i);
            Label10.carregar(i);
        }
        rotular(Label9(i), nomes_dos_recebedores[i], left_do_rotulo_do_nome[i], 5200, 996, 612);
        Label9(i).Visible = true;
        rotular(Label10(i), valores_fornecidos[i], left_do_rotulo_do_valor[i], 6240, 1332, 372);
        Label10(i).Visible = true;
    }
    rotular(Label11, "Código do quarto link recebedor", 9572, 5200, 996, 612);
    rotular(Label14, "Valor do quarto fornecimento", 9600, 6240, 1212, 372);

    calculadora_command.Caption = "Calculadora";
    calculadora_command.posicionar(1080, 7440, 1215, 495);
    // "Calculadora" não tem tratador: o clique não faz nada.
    inserir_dados_button.Caption = "Inserir dados";
    inserir_dados_button.posicionar(9720, 7440, 1212, 495);
    cancelar_button.Caption = "Cancelar";
    cancelar_button.posicionar(8160, 7440, 1212, 495);
    sair_sem_validar(cancelar_button);

    for (caixa_de_texto* c : caixas())
        ligar_caixa_de_dados(*c, [this](caixa_de_texto& caixa) { return guardar(caixa); },
                             [this] { inserir_dados_button_Click(); });
    inserir_dados_button.Click = [this] { inserir_dados_button_Click(); };
    cancelar_button.Click = [this] { cancelar_button_Click(); };
}

std::array<caixa_de_texto*, 16> janela_editar_link::caixas() {
    auto& r = codigo_do_iesimo_recebedor_texto;
    auto& v = valor_do_iesimo_fornecimento_texto;
    return {&codigo_texto, &no_origem_texto, &no_destino_texto, &verde_de_seguranca_texto,
            &fluxo_texto,  &fluxo_de_saturacao_texto, &t_de_percurso_texto, &capacidade_da_caixa_texto,
            &r(0),         &v(0),            &r(1),  &v(1),  &r(2),  &v(2),  &r(3),  &v(3)};
}

void janela_editar_link::Form_Load() {
    // Cobre a tela inteira.
    Top = 105;
    Left = 105;
    Height = tela().Height;
    Width = tela().Width;
    Left = (tela().Width - Width) / 2.0f;
    Top = (tela().Height - Height) / 2.0f;
}

void janela_editar_link::Form_Activate() {
    caixa_recusada_ = nullptr;
    if (com_codigo("Erro 103", [this] {
            const int l = link_selecionado;
            nome_do_link_editado(l) = nome_do_link_dado(l);
            nome_do_no_origem_editado(l) = nome_do_no_origem_dado(l);
            nome_do_no_destino_editado(l) = nome_do_no_destino_dado(l);
            verde_de_seguranca_editado(l) = verde_de_seguranca_dado(l);
            fluxo_editado(l) = fluxo_dado(l);
            fluxo_de_saturacao_editado(l) = fluxo_de_saturacao_dado(l);
            t_de_percurso_editado(l) = t_de_percurso_dado(l);
            capacidade_da_caixa_editado(l) = capacidade_da_caixa_dado(l);
            for (int k = 1; k <= max_recebedores; ++k) {
                nome_do_recebedor_editado(l, k) = nome_do_recebedor_dado(l, k);
                valor_do_fornecimento_editado(l, k) = valor_do_fornecimento_dado(l, k);
            }

            codigo_texto.Text = nome_do_link_editado(l);
            no_origem_texto.Text = nome_do_no_origem_editado(l);
            no_destino_texto.Text = nome_do_no_destino_editado(l);
            verde_de_seguranca_texto.Text = caixa_de_inteiro(verde_de_seguranca_editado(l));
            fluxo_texto.Text = caixa_de_single(fluxo_editado(l));
            fluxo_de_saturacao_texto.Text = caixa_de_single(fluxo_de_saturacao_editado(l));
            t_de_percurso_texto.Text = caixa_de_inteiro(t_de_percurso_editado(l));
            capacidade_da_caixa_texto.Text = caixa_de_inteiro(capacidade_da_caixa_editado(l));
            for (int i = 0; i < max_recebedores; ++i)
                codigo_do_iesimo_recebedor_texto(i).Text = nome_do_recebedor_editado(l, i + 1);
            for (int i = 0; i < max_recebedores; ++i)
                valor_do_iesimo_fornecimento_texto(i).Text = caixa_de_single(valor_do_fornecimento_editado(l, i + 1));

            codigo_texto.SetFocus();
        }))
        return;
    Unload();
}

void janela_editar_link::limpar_editor_de_link() {
    caixa_recusada_ = nullptr;
    for (caixa_de_texto* c : caixas()) c->Text = "";
}

void janela_editar_link::Form_Deactivate() {
    link_selecionado = 0;
    estacionar_marcas_do_link();
    limpar_editor_de_link();
}

void janela_editar_link::Form_Unload(Integer&) {
    link_selecionado = 0;
    estacionar_marcas_do_link();
    limpar_editor_de_link();
}

void janela_editar_link::cancelar_button_Click() {
    limpar_editor_de_link();
    estacionar_marcas_do_link();
    Unload();
}

bool janela_editar_link::guardar(caixa_de_texto& caixa) {
    const int l = link_selecionado;
    const std::string& texto = caixa.Text.texto();
    auto numero = [&](auto& destino, const char* nome, const faixa_de_valor& faixa) {
        return guardar_numero(caixa, destino, {nome, faixa}, caixa_recusada_);
    };
    if (&caixa == &codigo_texto) nome_do_link_editado(l) = texto;
    else if (&caixa == &no_origem_texto) nome_do_no_origem_editado(l) = texto;
    else if (&caixa == &no_destino_texto) nome_do_no_destino_editado(l) = texto;
    else if (&caixa == &verde_de_seguranca_texto)
        return numero(verde_de_seguranca_editado(l), "Verde de segurança (s)", faixa_verde_de_seguranca);
    else if (&caixa == &fluxo_texto) return numero(fluxo_editado(l), "Fluxo (veic/h)", faixa_fluxo);
    else if (&caixa == &fluxo_de_saturacao_texto)
        return numero(fluxo_de_saturacao_editado(l), "Fluxo de Saturação (veic/h)", faixa_fluxo);
    else if (&caixa == &t_de_percurso_texto)
        return numero(t_de_percurso_editado(l), "Tempo de percurso (s)", faixa_t_de_percurso);
    else if (&caixa == &capacidade_da_caixa_texto)
        return numero(capacidade_da_caixa_editado(l), "Capacidade de armazenamento (veic)", faixa_capacidade_da_caixa);
    else if (caixa.nome() == codigo_do_iesimo_recebedor_texto.nome())
        nome_do_recebedor_editado(l, caixa.indice() + 1) = texto;
    else if (caixa.nome() == valor_do_iesimo_fornecimento_texto.nome()) {
        static const char* const nomes[] = {"Valor do primeiro fornecimento", "Valor do segundo fornecimento",
                                            "Valor do terceiro fornecimento", "Valor do quarto fornecimento"};
        const int k = caixa.indice() + 1;
        return numero(valor_do_fornecimento_editado(l, k), nomes[k - 1], faixa_valor_do_fornecimento);
    }
    return true;
}

void janela_editar_link::Form_KeyPress(Integer& codigo) {
    enter_da_janela_confirma(codigo, [this] { inserir_dados_button_Click(); });
}

void janela_editar_link::inserir_dados_button_Click() {
    // Durante um processamento os dados da rede não mudam.
    if (recusado_pela_execucao()) return;
    if (confirmacao_espera_a_caixa_recusada(caixa_recusada_)) return;
    if (!com_codigo("Erro 101", [this] { confirmar(); })) Unload();
}

void janela_editar_link::confirmar() {
    const int l = link_selecionado;
    // Sem link na posição (a desativação do editor tirou a seleção) não há o que confirmar:
    // gravar ali criaria dados e um rótulo de um link que não existe. O usuário fica sabendo
    // por quê, e o editor se fecha como em "Cancelar".
    if (!existe_link(l)) {
        servicos().caixa_de_mensagem("nenhum link selecionado: selecione o link no desenho e abra o editor de novo",
                                     estilo_ok, "Aviso");
        cancelar_button_Click();
        return;
    }

    dados_ok = true;
    if (nome_em_branco(nome_do_link_editado(l))) aviso(mensagem_link_sem_nome);
    if (nome_em_branco(nome_do_no_destino_editado(l))) aviso(mensagem_link_sem_no_destino);
    if (nomes_iguais(nome_do_no_origem_editado(l), nome_do_no_destino_editado(l)))
        aviso(mensagem_origem_igual_ao_destino);
    conferir(regra_do_verde_de_seguranca, verde_de_seguranca_editado(l));
    conferir(regra_do_fluxo, fluxo_editado(l));
    conferir(regra_do_fluxo_de_saturacao, fluxo_de_saturacao_editado(l));
    if (fluxo_de_saturacao_editado(l) < fluxo_editado(l)) aviso(mensagem_fluxo_acima_da_saturacao);
    const bool de_entrada = nome_do_no_origem_editado(l).empty();
    if (de_entrada) {
        if (t_de_percurso_editado(l) != 0) aviso("o tempo de percurso dos links de entrada deve ser igual a zero");
        if (capacidade_da_caixa_editado(l) != 0)
            aviso("não deve ser fornecida a capacidade da caixa dos links de entrada");
    } else {
        conferir(regra_do_t_de_percurso, t_de_percurso_editado(l));
        conferir(regra_da_capacidade_da_caixa, capacidade_da_caixa_editado(l));
    }
    for (int k = 1; k <= max_recebedores; ++k)
        if (!nome_do_recebedor_editado(l, k).empty() && valor_do_fornecimento_editado(l, k) == 0.0f)
            aviso(mensagem_fornecimento_sem_valor);
    for (int k = 1; k <= max_recebedores; ++k)
        if (nome_do_recebedor_editado(l, k).empty() && valor_do_fornecimento_editado(l, k) != 0.0f)
            aviso(mensagem_fornecimento_sem_recebedor);
    for (int k = 1; k <= max_recebedores; ++k)
        conferir(regra_do_valor_do_fornecimento, valor_do_fornecimento_editado(l, k));
    // Um nome que o arquivo de projeto não guarda: a rede salva não voltaria igual.
    aviso_se_nao_vazio(aviso_de_nome(nome_do_link_editado(l), uso_do_nome::link, "no nome de um link"));
    aviso_se_nao_vazio(aviso_de_nome(nome_do_no_origem_editado(l), uso_do_nome::no_origem, "no nome do nó origem"));
    aviso_se_nao_vazio(aviso_de_nome(nome_do_no_destino_editado(l), uso_do_nome::no, "no nome do nó destino"));
    for (int k = 1; k <= max_recebedores; ++k)
        aviso_se_nao_vazio(
            aviso_de_nome(nome_do_recebedor_editado(l, k), uso_do_nome::recebedor, "no nome de um link recebedor"));
    if (!dados_ok) return;

    auto& t = frmTela_principal_versao2();
    nome_do_link_dado(l) = nome_do_link_editado(l);
    rotulo& etiqueta = t.etiqueta_link_label(l);
    etiqueta.Caption = nome_do_link_dado(l);
    etiqueta.Visible = true;
    nome_do_no_origem_dado(l) = nome_do_no_origem_editado(l);
    nome_do_no_destino_dado(l) = nome_do_no_destino_editado(l);
    verde_de_seguranca_dado(l) = verde_de_seguranca_editado(l);
    fluxo_dado(l) = fluxo_editado(l);
    fluxo_de_saturacao_dado(l) = fluxo_de_saturacao_editado(l);
    t_de_percurso_dado(l) = para_byte(t_de_percurso_editado(l));
    capacidade_da_caixa_dado(l) = capacidade_da_caixa_editado(l);
    for (int k = 1; k <= max_recebedores; ++k) {
        nome_do_recebedor_dado(l, k) = nome_do_recebedor_editado(l, k);
        valor_do_fornecimento_dado(l, k) = valor_do_fornecimento_editado(l, k);
    }
    link_selecionado = 0;
    estacionar_marcas_do_link();
    posicionar_rotulo_do_link(t.corpo_link_line(l), etiqueta);
    guardar_desenho_do_link(t, l, contexto());
    ++revisao_da_rede;
    projeto_alterado = true;
    Unload();
}

}  // namespace orvel
