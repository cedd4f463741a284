#include "dialogos/editor_de_no.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "dialogos/cores_dos_intervalos.h"
#include "dialogos/numeros_das_caixas.h"
#include "dialogos/protocolo_das_caixas.h"
#include "editor/estado_dos_comandos.h"
#include "editor/janelas.h"
#include "modelo/buffers_de_edicao.h"
#include "modelo/estado_do_editor.h"
#include "modelo/rede.h"
#include "modelo/tabelas_de_calculo.h"
#include "editor/desenho_da_rede.h"
#include "plataforma/numeros.h"
#include "plataforma/servicos.h"

namespace orvel {

editor_de_no& editor_de_no_unico() { return formulario_unico<editor_de_no>(); }
formulario& frmEditarNo_versao2() { return editor_de_no_unico(); }

namespace {

// Régua do diagrama: a coluna c (0..94) fica em X = 2360 + 100·c; 0 e 94 são as bordas.
constexpr int coluna_da_borda_direita = max_colunas;
constexpr Single x_da_borda_esquerda = 2360;
constexpr Single x_da_borda_direita = 11760;
constexpr Single x_estacionado_da_divisa = 50;
constexpr Single left_estacionado_do_pedaco = 11900;
// Os intervalos que o mouse edita e que têm caixa de duração: os de um ciclo duplo.
constexpr int ultimo_intervalo_editavel = max_intervalos_duplos;

Single x_da_coluna(int c) { return static_cast<Single>(2360 + 100 * c); }
Single topo_do_grupo(int g) { return static_cast<Single>(3120 + 360 * (g - 1)); }

void esvaziar_e_esconder(caixa_de_texto& c) {
    c.Text = "";
    c.Visible = false;
}

std::string texto_do_numero(long long v) { return texto_de_inteiro(v); }

// Os três modelos prontos do diagrama: divisas e o código de cada grupo em cada intervalo.
struct modelo_pronto {
    int grupos;
    int intervalos;
    std::vector<int> colunas;
    std::vector<std::vector<Byte>> codigos;  // [grupo - 1][intervalo - 1]
};

const modelo_pronto& modelo_da_opcao(int opcao) {
    static const modelo_pronto dois_grupos{2, 4, {50, 56, 87}, {{1, 2, 3, 3}, {3, 3, 1, 2}}};
    static const modelo_pronto quatro_grupos{
        4, 6, {36, 41, 62, 67, 88}, {{1, 2, 3, 3, 3, 3}, {3, 3, 1, 2, 3, 3}, {1, 1, 1, 2, 3, 3}, {3, 3, 3, 3, 1, 2}}};
    static const modelo_pronto pedestres{2, 5, {44, 50, 63, 88}, {{1, 2, 3, 3, 3}, {3, 3, 3, 1, 2}}};
    if (opcao == 2) return dois_grupos;
    if (opcao == 3) return quatro_grupos;
    return pedestres;
}

// As caixas numéricas do nó: o nome ao lado de cada uma e a faixa que a confirmação aceita.
const caixa_numerica caixa_do_intervalo_escravo{"Intervalo escravo", faixa_intervalo_do_no};
const caixa_numerica caixa_do_intervalo_mestre{"Intervalo mestre", faixa_intervalo_do_no};
const caixa_numerica caixa_da_defasagem_forcada{"Defasagem imposta", faixa_defasagem_forcada};
const caixa_numerica caixa_dos_acionamentos{"Quantidade de acionamentos (h)", faixa_n_acionamentos};
const caixa_numerica caixa_do_intervalo_demandado{"Intervalo demandado", faixa_intervalo_do_no};
const caixa_numerica caixa_do_intervalo_beneficiado{"Intervalo beneficiado", faixa_intervalo_do_no};

caixa_numerica caixa_da_duracao(int k) {
    return {"Duração imposta do intervalo " + texto_de_inteiro(k), faixa_duracao_imposta};
}

bool guardar_selecao(const caixa_de_selecao& c, bool& destino) {
    if (c.Value == 1)
        destino = true;
    else if (c.Value == 0)
        destino = false;  // cinza: fica como estava
    return true;
}

void aviso(std::string_view texto) {
    servicos().caixa_de_mensagem(std::string(texto), estilo_ok, "Aviso");
    dados_ok = false;
}

// Fora da faixa da regra: o aviso com a sua mensagem.
void conferir(const regra_de_valor& regra, double valor) {
    if (!regra.faixa.contem(valor)) aviso(regra.mensagem);
}

}  // namespace

// --- Construção ---

editor_de_no::editor_de_no() : formulario("frmEditarNo_versao2") {
    Caption = titulo_das_janelas();
    borda_fixa = true;
    dialogo_do_programa = true;
    Width = 11910;
    Height = 8325;

    struct campo_fixo {
        controle_retangular* c;
        Single left, top, width, height;
    };
    const campo_fixo fixos[] = {
        {&codigo_texto, 1200, 240, 480, 285},
        {&codigo_label, 1920, 262, 1092, 240},
        {&texto_quantos_grupos, 3720, 240, 375, 285},
        {&label_quantos_grupos, 4320, 255, 2535, 255},
        {&CheckDuplo, 8160, 202, 2175, 360},
        {&CheckEscravo, 1200, 795, 1215, 375},
        {&mestre_texto, 2880, 840, 480, 285},
        {&Label15, 3540, 886, 1500, 192},
        {&intervalo_escravo_texto, 5640, 840, 300, 285},
        {&Label16, 6120, 860, 1332, 252},
        {&intervalo_mestre_texto, 7800, 840, 300, 285},
        {&Label17, 8280, 860, 1212, 252},
        {&defasagem_forcada_texto, 10000, 840, 400, 285},
        {&Label18, 10560, 860, 852, 252},
        {&CheckDemanda, 1200, 1320, 1575, 495},
        {&n_acionamentos_texto, 3240, 1425, 495, 285},
        {&Label19, 3840, 1440, 2412, 252},
        {&intervalo_demandado_texto, 6840, 1425, 375, 285},
        {&Label20, 7440, 1440, 1572, 252},
        {&intervalo_beneficiado_texto, 9360, 1425, 375, 285},
        {&Label21, 9960, 1440, 1572, 252},
        {&Label4, 6100, 2050, 1812, 252},
        {&Label14, 360, 2400, 1215, 405},
        {&Shape1, 4200, 2520, 4932, 3550},
        {&Label1, 5760, 2800, 1812, 252},
        {&cancelar_command, 8160, 7440, 1212, 492},
        {&inserir_dados_command, 9720, 7440, 1212, 492},
    };
    for (const auto& f : fixos) {
        f.c->posicionar(f.left, f.top, f.width, f.height);
        f.c->Visible = false;
    }

    codigo_texto.MaxLength = 3;
    texto_quantos_grupos.MaxLength = 1;
    mestre_texto.MaxLength = 3;
    intervalo_escravo_texto.MaxLength = 2;
    intervalo_mestre_texto.MaxLength = 3;
    n_acionamentos_texto.MaxLength = 5;
    intervalo_demandado_texto.MaxLength = 2;
    intervalo_beneficiado_texto.MaxLength = 2;

    codigo_label.Caption = "Código do nó";
    label_quantos_grupos.Caption = "Quantidade de grupos semafóricos";
    CheckDuplo.Caption = "Ciclo duplo permitido";
    CheckEscravo.Caption = "Nó escravo";
    Label15.Caption = "Código do nó mestre";
    Label16.Caption = "Intervalo escravo";
    Label17.Caption = "Intervalo mestre";
    Label18.Caption = "Defasagem imposta";
    CheckDemanda.Caption = "Nó com demanda     de pedestres";
    Label19.Caption = "Quantidade de acionamentos (h)";
    Label20.Caption = "Intervalo demandado";
    Label21.Caption = "Intervalo beneficiado";
    Label4.Caption = "Diagrama de barras";
    Label4.FontSize = 9.75f;
    Label14.Caption = "          Links correspondentes";
    Label1.Caption = "Diagrama de barras";
    Label1.FontSize = 9.75f;
    cancelar_command.Caption = "Cancelar";
    inserir_dados_command.Caption = "Inserir Dados";
    Shape1.Shape = 0;
    Shape1.BackStyle = 0;

    // Painel dos modelos prontos: os cinco botões de opção existem com a janela.
    Option1(0).Click = [this](int i) { Option1_Click(i); };
    for (int i = 1; i <= 4; ++i) Option1.carregar(i);
    const char* legendas[] = {"só prá ativar invisivelmente", "  diagrama novo", "  2 grupos com 4 intervalos",
                              "  4 grupos com 6 intervalos", "  2 grupos com 5 intervalo de pedestres"};
    const Single tops[] = {6480, 5430, 3270, 4750, 3990};
    for (int i = 0; i <= 4; ++i) {
        botao_de_opcao& o = Option1(i);
        o.Caption = legendas[i];
        o.posicionar(i == 0 ? 18000 : 5100, tops[i], i == 0 ? 2292 : 3333, 495);
        o.Value = false;
        // O elemento 0 só serve para desmarcar os outros por programa: nunca é desenhado, nem
        // numa tela maior do que a janela desenhada, onde ficaria à vista e clicável.
        o.Visible = i == 4;
    }

    // Moldura, régua e fundos das barras dos grupos.
    Line1.posicionar(2360, 2400, 2360, 6360);
    Line2.posicionar(11760, 2400, 11760, 6360);
    Line3.posicionar(2360, 2640, 11760, 2640);
    Line3.BorderWidth = 3;
    for (linha* l : {&Line1, &Line2, &Line3}) l->Visible = false;
    for (int g = 1; g <= max_grupos; ++g) {
        forma& f = fundo_barra(g);
        const bool estreita = g == 1 || g == 3;
        f.posicionar(2360, topo_do_grupo(g), estreita ? 9396 : 9400, estreita ? 72 : 75);
        f.Shape = 0;
        f.BackStyle = 0;
        f.Visible = false;
    }

    // Modelos das matrizes (elemento 0).
    linha& divisa = ordenada(0);
    divisa.posicionar(50, 2500, 50, 3000);
    divisa.BorderStyle = 3;
    for (int g = 1; g <= max_grupos; ++g) {
        forma& p = intervalo_do_grupo(g)(0);
        p.posicionar(left_estacionado_do_pedaco, topo_do_grupo(g), 100, 75);
        p.Shape = 0;
        p.BackStyle = 1;
        p.BackColor = cor_da_face_dos_botoes;
        auto& links = links_do_G(g)(0);
        links.posicionar(100, static_cast<Single>(3015 + 360 * (g - 1)), 500, 285);
        links.MaxLength = 4;
    }
    duracao_imposta_texto(0).posicionar(120, 6120, 280, 285);
    duracao_imposta_texto(0).MaxLength = 3;

    // Eventos.
    inserir_dados_command.Click = fora_da_execucao([this] { inserir_dados_command_Click(); });
    cancelar_command.Click = [this] { cancelar_command_Click(); };
    sair_sem_validar(cancelar_command);
    CheckEscravo.Click = [this] { CheckEscravo_Click(); };
    CheckDemanda.Click = [this] { CheckDemanda_Click(); };
    texto_quantos_grupos.KeyDown = [this](Integer& k, Integer s) { texto_quantos_grupos_KeyDown(k, s); };
    texto_quantos_grupos.KeyPress = [this](Integer& k) { texto_quantos_grupos_KeyPress(k); };
    texto_quantos_grupos.KeyUp = [this](Integer& k, Integer s) { texto_quantos_grupos_KeyUp(k, s); };

    ligar_campo(codigo_texto, [this] {
        nome_do_no_editado(no_selecionado) = codigo_texto.Text.texto();
        return true;
    });
    ligar_campo(CheckDuplo,
                [this] { return guardar_selecao(CheckDuplo, eh_ciclo_duplo_permitido_editado(no_selecionado)); });
    ligar_campo(CheckEscravo, [this] { return guardar_selecao(CheckEscravo, eh_no_escravo_editado(no_selecionado)); });
    ligar_campo(mestre_texto, [this] {
        nome_do_mestre_editado(no_selecionado) = mestre_texto.Text.texto();
        return true;
    });
    ligar_campo(intervalo_escravo_texto, [this] {
        return guardar_numero(intervalo_escravo_texto, intervalo_do_escravo_editado(no_selecionado),
                              caixa_do_intervalo_escravo, caixa_recusada_);
    });
    ligar_campo(intervalo_mestre_texto, [this] {
        return guardar_numero(intervalo_mestre_texto, intervalo_do_mestre_editado(no_selecionado),
                              caixa_do_intervalo_mestre, caixa_recusada_);
    });
    ligar_campo(defasagem_forcada_texto, [this] {
        return guardar_numero(defasagem_forcada_texto, defasagem_forcada_editado(no_selecionado),
                              caixa_da_defasagem_forcada, caixa_recusada_);
    });
    ligar_campo(CheckDemanda,
                [this] { return guardar_selecao(CheckDemanda, eh_no_demandado_editado(no_selecionado)); });
    ligar_campo(n_acionamentos_texto, [this] {
        return guardar_numero(n_acionamentos_texto, n_acionamentos_editado(no_selecionado), caixa_dos_acionamentos,
                              caixa_recusada_);
    });
    ligar_campo(intervalo_demandado_texto, [this] {
        return guardar_numero(intervalo_demandado_texto, intervalo_demandado_editado(no_selecionado),
                              caixa_do_intervalo_demandado, caixa_recusada_);
    });
    ligar_campo(intervalo_beneficiado_texto, [this] {
        return guardar_numero(intervalo_beneficiado_texto, intervalo_beneficiado_editado(no_selecionado),
                              caixa_do_intervalo_beneficiado, caixa_recusada_);
    });
}

matriz_de_controles<forma>& editor_de_no::intervalo_do_grupo(int g) {
    switch (g) {
        case 1: return intervalo_do_grupo_1;
        case 2: return intervalo_do_grupo_2;
        case 3: return intervalo_do_grupo_3;
        case 4: return intervalo_do_grupo_4;
        case 5: return intervalo_do_grupo_5;
        case 6: return intervalo_do_grupo_6;
        case 7: return intervalo_do_grupo_7;
        case 8: return intervalo_do_grupo_8;
        default: falhar(tipo_de_falha::objeto_nao_definido);
    }
}

forma& editor_de_no::fundo_barra(int g) {
    switch (g) {
        case 1: return fundo_barra_1;
        case 2: return fundo_barra_2;
        case 3: return fundo_barra_3;
        case 4: return fundo_barra_4;
        case 5: return fundo_barra_5;
        case 6: return fundo_barra_6;
        case 7: return fundo_barra_7;
        case 8: return fundo_barra_8;
        default: falhar(tipo_de_falha::objeto_nao_definido);
    }
}

matriz_de_controles<caixa_de_texto>& editor_de_no::links_do_G(int g) {
    switch (g) {
        case 1: return links_do_G1;
        case 2: return links_do_G2;
        case 3: return links_do_G3;
        case 4: return links_do_G4;
        case 5: return links_do_G5;
        case 6: return links_do_G6;
        case 7: return links_do_G7;
        case 8: return links_do_G8;
        default: falhar(tipo_de_falha::objeto_nao_definido);
    }
}

// --- Campos: Enter guarda e confirma; a saída do foco só guarda ---

void editor_de_no::ligar_campo(controle_com_foco& campo, std::function<bool()> guardar) {
    campo.KeyPress = [this, guardar](Integer& k) { campo_KeyPress(guardar, k); };
    campo.LostFocus = [this, guardar] { campo_LostFocus(guardar); };
}

void editor_de_no::campo_KeyPress(const std::function<bool()>& guardar, Integer& codigo) {
    if (codigo != tecla_enter) return;
    const bool guardado = guardar();
    codigo = 0;
    // Um número que não coube não chegou à cópia de edição: confirmar agora gravaria o valor
    // anterior no lugar do digitado.
    if (guardado) inserir_dados_command.Click();
}

void editor_de_no::campo_LostFocus(const std::function<bool()>& guardar) {
    if (!gravacao_suspensa_) guardar();
}

void editor_de_no::soltar_foco_sem_gravar() {
    gravacao_suspensa_ = true;
    mover_foco(nullptr);
    gravacao_suspensa_ = false;
}

// --- Carga ---

// A tabulação segue os campos como estão na janela, de cima para baixo e da esquerda para a
// direita (o código do nó primeiro, a quantidade de grupos em segundo), e acaba nos botões.
void editor_de_no::ordenar_o_foco() {
    Integer ordem = 0;
    auto proximo = [&ordem](controle_com_foco& c) { c.TabIndex = ordem++; };
    for (controle_com_foco* c : std::initializer_list<controle_com_foco*>{
             &codigo_texto, &texto_quantos_grupos, &CheckDuplo, &CheckEscravo, &mestre_texto, &intervalo_escravo_texto,
             &intervalo_mestre_texto, &defasagem_forcada_texto, &CheckDemanda, &n_acionamentos_texto,
             &intervalo_demandado_texto, &intervalo_beneficiado_texto})
        proximo(*c);
    for (int g = 1; g <= max_grupos; ++g)
        for (int m = 0; m <= 3; ++m) proximo(links_do_G(g)(m));
    for (int k = 0; k <= 95; ++k) proximo(duracao_imposta_texto(k));
    // Os modelos prontos de cima para baixo; o invisível depois deles.
    for (int i : {2, 4, 3, 1, 0}) proximo(Option1(i));
    proximo(inserir_dados_command);
    proximo(cancelar_command);
}

void editor_de_no::Form_Load() {
    Top = 105;
    Left = 105;
    Height = tela().Height;
    Width = tela().Width;
    Left = dividir_single(tela().Width - Width, 2.0f);
    Top = dividir_single(tela().Height - Height, 2.0f);

    for (int i = 1; i <= 95; ++i) {
        ordenada.carregar(i);
        for (int g = 1; g <= max_grupos; ++g) intervalo_do_grupo(g).carregar(i);
        duracao_imposta_texto.carregar(i);
    }
    for (int m = 1; m <= 3; ++m)
        for (int g = 1; g <= max_grupos; ++g) links_do_G(g).carregar(m);
    ordenar_o_foco();

    // Cada caixa de matriz grava o seu próprio elemento.
    for (int g = 1; g <= max_grupos; ++g)
        for (int m = 0; m <= 3; ++m) {
            caixa_de_texto& c = links_do_G(g)(m);
            ligar_campo(c, [&c, g, m] {
                nome_dos_links_do_grupo_editado(no_selecionado, g, m + 1) = c.Text.texto();
                return true;
            });
        }
    for (int k = 0; k <= 95; ++k) {
        caixa_de_texto& c = duracao_imposta_texto(k);
        ligar_campo(c, [this, &c, k] {
            return guardar_numero(c, duracao_imposta_editado(no_selecionado, k), caixa_da_duracao(k), caixa_recusada_);
        });
    }

    codigo_texto.Left = 1200;
    codigo_texto.Top = 240;
    for (int m = 0; m <= 3; ++m) {
        for (int g = 1; g <= max_grupos; ++g) links_do_G(g)(m).Top = static_cast<Single>(3015 + 360 * (g - 1));
        for (int g = 1; g <= max_grupos; ++g) links_do_G(g)(m).Left = static_cast<Single>(100 + 550 * m);
    }

    Line1.posicionar(2360, 2400, 2360, 6360);
    Line2.posicionar(11760, 2400, 11760, 6360);
    Line3.posicionar(2360, 2640, 11760, 2640);
    ordenada(coluna_da_borda_direita).X1 = x_da_borda_direita;
    ordenada(coluna_da_borda_direita).X2 = x_da_borda_direita;

    for (int g = 1; g <= max_grupos; ++g) fundo_barra(g).Left = 2360;
    for (int g = 1; g <= max_grupos; ++g) fundo_barra(g).Top = topo_do_grupo(g);
    for (int g = 1; g <= max_grupos; ++g) {
        forma& p = pedaco(g, 1);
        p.Left = x_da_borda_esquerda;
        p.Width = 9400;
        p.Top = topo_do_grupo(g);
    }

    const Single tops[] = {0, 5430, 3270, 4750, 3990};
    for (int i = 1; i <= 4; ++i) {
        Option1(i).Left = 5100;
        Option1(i).Top = tops[i];
        Option1(i).Width = 3333;
    }
    Label1.Left = 5760;
    Label1.Top = 2800;
    Shape1.Left = 4200;
    Shape1.Top = 2520;

    for (int i = 1; i <= ultima_divisa; ++i) {
        ordenada(i).Y1 = 2450;
        ordenada(i).Y2 = 6200;
    }
    for (int i = 1; i <= ultimo_intervalo_editavel; ++i) duracao_imposta_texto(i).Top = 6040;

    cancelar_command.Left = 8160;
    cancelar_command.Top = 7440;
    inserir_dados_command.Left = 9720;
    inserir_dados_command.Top = 7440;

    // Marcar o botão invisível esconde o painel dos modelos prontos.
    Option1(0).marcar();
    for (int i = 1; i <= 4; ++i) Option1(i).Value = false;

    for (int n = 1; n <= max_nos; ++n) {
        existe_ordenada_editado(n, 0) = true;
        existe_ordenada_editado(n, coluna_da_borda_direita) = true;
        contexto().copias.existe_ordenada(n, 0) = true;
        contexto().copias.existe_ordenada(n, coluna_da_borda_direita) = true;
    }
}

// --- Limpeza ---

void limpar_editor_de_no() {
    com_codigo("Erro 147", [] {
        editor_de_no& j = editor_de_no_unico();
        j.soltar_foco_sem_gravar();
        j.caixa_recusada_ = nullptr;

        esvaziar_e_esconder(j.codigo_texto);
        j.codigo_label.Visible = false;
        esvaziar_e_esconder(j.texto_quantos_grupos);
        j.CheckDuplo.definir_valor(0);
        j.CheckDuplo.Visible = false;
        j.CheckEscravo.definir_valor(0);
        j.CheckEscravo.Visible = false;
        esvaziar_e_esconder(j.mestre_texto);
        j.Label15.Visible = false;
        esvaziar_e_esconder(j.intervalo_escravo_texto);
        j.Label16.Visible = false;
        esvaziar_e_esconder(j.intervalo_mestre_texto);
        j.Label17.Visible = false;
        esvaziar_e_esconder(j.defasagem_forcada_texto);
        j.Label18.Visible = false;
        j.CheckDemanda.definir_valor(0);
        j.CheckDemanda.Visible = false;
        esvaziar_e_esconder(j.n_acionamentos_texto);
        j.Label19.Visible = false;
        esvaziar_e_esconder(j.intervalo_demandado_texto);
        j.Label20.Visible = false;
        esvaziar_e_esconder(j.intervalo_beneficiado_texto);
        j.Label21.Visible = false;

        j.Label14.Visible = false;
        j.Label4.Visible = false;
        j.Line1.Visible = false;
        j.Line2.Visible = false;
        j.Line3.Visible = false;
        for (int g = 1; g <= max_grupos; ++g) j.fundo_barra(g).Visible = false;

        for (int g = 1; g <= max_grupos; ++g) {
            forma& p = j.pedaco(g, 1);
            p.Visible = false;
            p.BackColor = cor_do_intervalo_nao_definido;
        }
        for (int k = 2; k <= ultimo_intervalo_editavel; ++k)
            for (int g = 1; g <= max_grupos; ++g) {
                forma& p = j.pedaco(g, k);
                p.Left = left_estacionado_do_pedaco;
                p.Width = 100;
                p.Visible = false;
                p.BackColor = cor_do_intervalo_nao_definido;
            }
        for (int m = 0; m <= 3; ++m)
            for (int g = 1; g <= max_grupos; ++g) esvaziar_e_esconder(j.links_do_G(g)(m));
        for (int i = 1; i <= ultimo_intervalo_editavel; ++i) {
            caixa_de_texto& d = j.duracao_imposta_texto(i);
            d.Left = 120;
            esvaziar_e_esconder(d);
        }

        j.Option1(0).marcar();
        for (int i = 1; i <= 4; ++i) {
            j.Option1(i).Value = false;
            j.Option1(i).Visible = false;
        }
        j.Shape1.Visible = false;
        for (int i = 1; i <= ultima_divisa; ++i) {
            linha& l = j.ordenada(i);
            l.X1 = x_estacionado_da_divisa;
            l.X2 = x_estacionado_da_divisa;
            l.Visible = false;
        }
        j.inserir_dados_command.Visible = false;
        j.cancelar_command.Visible = false;
    });
}

// --- Ativação e fechamento ---

void editor_de_no::Form_Activate() {
    caixa_recusada_ = nullptr;
    const bool ok = com_codigo("Erro 104", [&] {
        const Byte n = no_selecionado;

        for (int i = 1; i <= max_nos; ++i)
            for (int c : {0, coluna_da_borda_direita}) {
                existe_ordenada_editado(i, c) = true;
                existe_ordenada_dado(i, c) = true;
                contexto().copias.existe_ordenada(i, c) = true;
            }

        nome_do_no_editado(n) = nome_do_no_dado(n);
        quant_de_grupos_editado(n) = quant_de_grupos_dado(n);
        eh_ciclo_duplo_permitido_editado(n) = eh_ciclo_duplo_permitido_dado(n);
        eh_no_escravo_editado(n) = eh_no_escravo_dado(n);
        nome_do_mestre_editado(n) = nome_do_mestre_dado(n);
        intervalo_do_escravo_editado(n) = intervalo_do_escravo_dado(n);
        intervalo_do_mestre_editado(n) = intervalo_do_mestre_dado(n);
        defasagem_forcada_editado(n) = defasagem_forcada_dado(n);
        eh_no_demandado_editado(n) = eh_no_demandado_dado(n);
        n_acionamentos_editado(n) = n_acionamentos_dado(n);
        intervalo_demandado_editado(n) = intervalo_demandado_dado(n);
        intervalo_beneficiado_editado(n) = intervalo_beneficiado_dado(n);
        quant_de_intervalos_antes_editado(n) = quant_de_intervalos_antes_dado(n);
        for (int g = 1; g <= max_grupos; ++g)
            for (int i = 1; i <= max_links_por_grupo; ++i)
                nome_dos_links_do_grupo_editado(n, g, i) = nome_dos_links_do_grupo_dado(n, g, i);
        for (int c = 1; c <= ultima_divisa; ++c) existe_ordenada_editado(n, c) = existe_ordenada_dado(n, c);
        const int q = quant_de_grupos_editado(n);
        for (int g = 1; g <= q; ++g)
            for (int k = 1; k <= max_intervalos_na_regua; ++k)
                cor_do_intervalo_do_grupo_editado(n, g, k) = cor_do_intervalo_do_grupo_dado(n, g, k);
        for (int k = 1; k <= max_intervalos_na_regua; ++k) duracao_imposta_editado(n, k) = duracao_imposta_dado(n, k);

        // Nó ainda sem grupos: só o painel dos modelos prontos. Os códigos de estado que a
        // cópia de edição ainda guarda (de um modelo cancelado, de um nó eliminado) não têm
        // barra que os mostre: saem, para que a confirmação veja só o que está na tela.
        if (q == 0) {
            esvaziar_cores_editadas(n);
            limpar_editor_de_no();
            for (int i = 1; i <= 4; ++i) Option1(i).Visible = true;
            Shape1.Visible = true;
            Label1.Visible = true;
            return;
        }

        codigo_texto.Visible = true;
        codigo_texto.Text = nome_do_no_editado(n);
        codigo_texto.SetFocus();
        codigo_label.Visible = true;
        texto_quantos_grupos.Visible = true;
        texto_quantos_grupos.Text = texto_do_numero(q);
        label_quantos_grupos.Visible = true;
        CheckDuplo.Visible = true;
        CheckDuplo.definir_valor(eh_ciclo_duplo_permitido_editado(n) ? 1 : 0);
        CheckEscravo.Visible = true;
        CheckEscravo.definir_valor(eh_no_escravo_editado(n) ? 1 : 0);
        if (eh_no_escravo_editado(n)) {
            mestre_texto.Visible = true;
            mestre_texto.Text = nome_do_mestre_editado(n);
            Label15.Visible = true;
            intervalo_escravo_texto.Visible = true;
            intervalo_escravo_texto.Text = texto_do_numero(intervalo_do_escravo_editado(n));
            Label16.Visible = true;
            intervalo_mestre_texto.Visible = true;
            intervalo_mestre_texto.Text = texto_do_numero(intervalo_do_mestre_editado(n));
            Label17.Visible = true;
            defasagem_forcada_texto.Visible = true;
            defasagem_forcada_texto.Text = texto_do_numero(defasagem_forcada_editado(n));
            Label18.Visible = true;
        }
        CheckDemanda.Visible = true;
        CheckDemanda.definir_valor(eh_no_demandado_editado(n) ? 1 : 0);
        if (eh_no_demandado_editado(n)) {
            n_acionamentos_texto.Visible = true;
            n_acionamentos_texto.Text = texto_do_numero(n_acionamentos_editado(n));
            Label19.Visible = true;
            intervalo_demandado_texto.Visible = true;
            intervalo_demandado_texto.Text = texto_do_numero(intervalo_demandado_editado(n));
            Label20.Visible = true;
            intervalo_beneficiado_texto.Visible = true;
            intervalo_beneficiado_texto.Text = texto_do_numero(intervalo_beneficiado_editado(n));
            Label21.Visible = true;
        }
        Label4.Visible = true;
        inserir_dados_command.Visible = true;
        cancelar_command.Visible = true;

        for (int g = 1; g <= q; ++g) {
            for (int i = 1; i <= max_links_por_grupo; ++i) {
                caixa_de_texto& c = links_do_G(g)(i - 1);
                c.Visible = true;
                c.Text = nome_dos_links_do_grupo_editado(n, g, i);
            }
            fundo_barra(g).Visible = true;
            if (g == 1) {
                Line1.Visible = true;
                Line2.Visible = true;
                Line3.Visible = true;
            }
        }

        for (int c = 1; c <= coluna_da_borda_direita; ++c)
            if (existe_ordenada_editado(n, c)) {
                ordenada(c).X1 = x_da_coluna(c);
                ordenada(c).X2 = x_da_coluna(c);
                ordenada(c).Visible = true;
            }

        for (int j = 2; j <= max_intervalos_na_regua; ++j)
            for (int g = 1; g <= max_grupos; ++g) {
                forma& p = pedaco(g, j);
                p.Left = left_estacionado_do_pedaco;
                p.Width = 100;
                p.Visible = false;
            }

        int k = 2;
        for (int c = 1; c <= coluna_da_borda_direita; ++c) {
            if (!existe_ordenada_editado(n, c)) continue;
            for (int g = 1; g <= q; ++g) {
                pedaco(g, k).Left = ordenada(c).X1;
                pedaco(g, k - 1).Width = pedaco(g, k).Left - pedaco(g, k - 1).Left;
                pedaco(g, k - 1).Visible = true;
            }
            caixa_de_texto& d = duracao_imposta_texto(k - 1);
            const forma& p = pedaco(1, k - 1);
            d.Left = p.Left + dividir_single(p.Width, 2.0f) - 160.0f;
            d.Visible = true;
            const Integer dur = duracao_imposta_editado(n, k - 1);
            d.Text = dur > 0 ? texto_do_numero(dur) : std::string();
            ++k;
        }

        for (int i = 1; i <= max_intervalos_na_regua; ++i)
            for (int g = 1; g <= max_grupos; ++g)
                if (const auto cor = cor_do_estado(cor_do_intervalo_do_grupo_editado(n, g, i)))
                    pedaco(g, i).BackColor = *cor;
    });
    if (!ok) Unload();
}

void editor_de_no::esconder_marcas_do_no() {
    auto& t = frmTela_principal_versao2();
    rotulo* marcas[] = {&t.Label2, &t.Label3, &t.Label4, &t.Label5};
    for (rotulo* r : marcas) r->Visible = false;
    for (rotulo* r : marcas) {
        r->Left = left_estacionado;
        r->Top = top_estacionado;
    }
}

void editor_de_no::fechar_edicao() {
    no_selecionado = 0;
    esconder_marcas_do_no();
    limpar_editor_de_no();
}

void editor_de_no::Form_Deactivate() { fechar_edicao(); }

void editor_de_no::Form_Unload(Integer& /*cancelar*/) { fechar_edicao(); }

void editor_de_no::cancelar_command_Click() {
    esconder_marcas_do_no();
    no_selecionado = 0;
    Unload();
}

void editor_de_no::Form_KeyPress(Integer& codigo) {
    if (codigo != tecla_enter) return;
    codigo = 0;
    inserir_dados_command.Click();
}

// --- Campos que dependem das caixas de seleção ---

namespace {

// Mostra ou esconde as caixas e os rótulos que dependem de uma caixa de seleção; escondidas,
// as caixas ficam vazias.
template <std::size_t N, std::size_t M>
void mostrar_campos_dependentes(bool mostrar, caixa_de_texto* const (&caixas)[N], rotulo* const (&rotulos)[M]) {
    for (caixa_de_texto* c : caixas) {
        c->Visible = mostrar;
        if (!mostrar) c->Text = "";
    }
    for (rotulo* r : rotulos) r->Visible = mostrar;
}

}  // namespace

void editor_de_no::CheckEscravo_Click() {
    caixa_de_texto* const caixas[] = {&mestre_texto, &intervalo_escravo_texto, &intervalo_mestre_texto,
                                      &defasagem_forcada_texto};
    rotulo* const rotulos[] = {&Label15, &Label16, &Label17, &Label18};
    mostrar_campos_dependentes(CheckEscravo.Value == 1, caixas, rotulos);
}

void editor_de_no::CheckDemanda_Click() {
    caixa_de_texto* const caixas[] = {&n_acionamentos_texto, &intervalo_demandado_texto, &intervalo_beneficiado_texto};
    rotulo* const rotulos[] = {&Label19, &Label20, &Label21};
    mostrar_campos_dependentes(CheckDemanda.Value == 1, caixas, rotulos);
}

// --- Quantidade de grupos ---

void editor_de_no::esconder_linhas_dos_grupos() {
    for (int g = 1; g <= max_grupos; ++g) fundo_barra(g).Visible = false;
    for (int m = 0; m <= 3; ++m)
        for (int g = 1; g <= max_grupos; ++g) links_do_G(g)(m).Visible = false;
    inserir_dados_command.Visible = false;
    cancelar_command.Visible = false;
}

void editor_de_no::texto_quantos_grupos_KeyDown(Integer& /*codigo*/, Integer /*shift*/) {
    texto_quantos_grupos.Text = "";
    esconder_linhas_dos_grupos();
}

void editor_de_no::texto_quantos_grupos_KeyPress(Integer& codigo) {
    if (codigo != tecla_enter) return;
    const bool ok = com_codigo("Erro 108", [&] {
        esconder_linhas_dos_grupos();
        codigo = 0;
        inserir_dados_command.Click();
    });
    if (!ok) Unload();
}

void editor_de_no::texto_quantos_grupos_KeyUp(Integer& /*codigo*/, Integer /*shift*/) {
    const bool ok = com_codigo("Erro 109", [&] {
        if (texto_quantos_grupos.Text.empty()) return;
        const double v = ler_numero(texto_quantos_grupos.Text.texto());
        if (!regra_da_quant_de_grupos_digitada.faixa.contem(v)) {
            servicos().caixa_de_mensagem(std::string(regra_da_quant_de_grupos_digitada.mensagem), estilo_ok, "Aviso");
            return;
        }
        const Byte no = no_selecionado;
        const int antes = quant_de_grupos_editado(no);
        quant_de_grupos_editado(no) = para_byte(v);
        inserir_dados_command.Visible = true;
        cancelar_command.Visible = true;
        const int q = quant_de_grupos_editado(no);
        for (int g = 1; g <= max_grupos; ++g) {
            if (g > q) continue;
            fundo_barra(g).Visible = true;
            for (int i = 0; i <= 3; ++i) {
                caixa_de_texto& c = links_do_G(g)(i);
                c.Visible = true;
                c.Text = nome_dos_links_do_grupo_editado(no, g, i + 1);
            }
        }
        redistribuir_grupos(antes, q);
    });
    if (!ok) Unload();
}

// O diagrama acompanha a quantidade de grupos: um grupo que entra ganha os intervalos de agora,
// todos sem cor (o que a cópia de edição guardava dele não estava na tela), e um grupo que sai
// some da tela, como já sai das verificações e da gravação.
void editor_de_no::redistribuir_grupos(int antes, int depois) {
    const Byte n = no_selecionado;
    for (int g = antes + 1; g <= depois; ++g) {
        for (int k = 1; k <= limite_de_intervalos; ++k) cor_do_intervalo_do_grupo_editado(n, g, k) = cor_nao_definida;
        for (int k = 1; k <= max_intervalos_na_regua; ++k) pedaco(g, k).BackColor = cor_do_intervalo_nao_definido;
    }
    for (int g = depois + 1; g <= max_grupos; ++g) pedaco(g, 1).Visible = false;
    reconstruir(true);
}

// --- Diagrama de barras com o mouse ---

void editor_de_no::reconstruir_diagrama() { reconstruir(false); }

void editor_de_no::reconstruir(bool apos_remocao) {
    const Byte n = no_selecionado;
    const int q = quant_de_grupos_editado(n);
    const int ultimo_estacionado = apos_remocao ? max_intervalos_na_regua : ultimo_intervalo_editavel;
    for (int j = 2; j <= ultimo_estacionado; ++j)
        for (int g = 1; g <= max_grupos; ++g) {
            forma& p = pedaco(g, j);
            p.Left = left_estacionado_do_pedaco;
            p.Width = 100;
            p.Visible = false;
        }
    for (int j = 1; j <= ultimo_intervalo_editavel; ++j) {
        duracao_imposta_texto(j).Left = 100;
        duracao_imposta_texto(j).Visible = false;
    }
    int k = 2;
    for (int c = 1; c <= coluna_da_borda_direita; ++c) {
        if (!existe_ordenada_editado(n, c)) continue;
        for (int g = 1; g <= max_grupos && g <= q; ++g) {
            pedaco(g, k).Left = ordenada(c).X1;
            pedaco(g, k - 1).Width = pedaco(g, k).Left - pedaco(g, k - 1).Left;
            pedaco(g, k - 1).Visible = true;
        }
        const forma& p = pedaco(1, k - 1);
        caixa_de_texto& d = duracao_imposta_texto(k - 1);
        d.Left = dividir_single(p.Width, 2.0f) + p.Left - 160.0f;
        d.Visible = true;
        ++k;
    }
}

void editor_de_no::Form_MouseUp(Integer botao, Integer /*shift*/, Single x, Single y) {
    const bool ok = com_codigo("Erro 105", [&] {
        const Byte n = no_selecionado;
        if (quant_de_grupos_editado(n) == 0) return;
        const bool na_largura = x_da_borda_esquerda < x && x < x_da_borda_direita;
        const bool na_regua = na_largura && 2530 < y && y < 2750;

        if (botao == botao_esquerdo) {
            if (na_regua) {
                const Byte c = para_byte(dividir_single(x - 2360.0f, 100.0f));
                if (c > 0 && c < coluna_da_borda_direita) {
                    ordenada(c).X1 = x_da_coluna(c);
                    ordenada(c).X2 = x_da_coluna(c);
                    ordenada(c).Visible = true;
                    existe_ordenada_editado(n, c) = true;
                    reconstruir_diagrama();
                }
            }
            for (int g = 1; g <= max_grupos; ++g) {
                const Single topo = static_cast<Single>(3020 + 360 * (g - 1));
                const Single base = g == 5 ? 4635.0f : static_cast<Single>(3295 + 360 * (g - 1));
                if (!(na_largura && topo < y && y < base)) continue;
                for (int j = 1; j <= ultimo_intervalo_editavel; ++j) {
                    forma& p = pedaco(g, j);
                    const Single fim = p.Left + p.Width;
                    if (!(p.Left < x && x < fim)) continue;
                    Byte novo;
                    Long nova_cor;
                    if (p.BackColor == cor_do_intervalo_nao_definido) {
                        novo = cor_verde;
                        nova_cor = cor_do_intervalo_verde;
                    } else if (p.BackColor == cor_do_intervalo_verde) {
                        novo = cor_amarelo;
                        nova_cor = cor_do_intervalo_amarelo;
                    } else if (p.BackColor == cor_do_intervalo_amarelo) {
                        novo = cor_vermelho;
                        nova_cor = cor_do_intervalo_vermelho;
                    } else if (p.BackColor == cor_do_intervalo_vermelho) {
                        novo = cor_nao_definida;
                        nova_cor = cor_do_intervalo_nao_definido;
                    } else {
                        continue;
                    }
                    p.BackColor = nova_cor;
                    cor_do_intervalo_do_grupo_editado(n, g, j) = novo;
                }
            }
        } else if (botao == botao_direito && na_regua) {
            for (int j = 1; j <= ultimo_intervalo_editavel; ++j) {
                duracao_imposta_texto(j).Visible = false;
                duracao_imposta_texto(j).Left = 100;
            }
            for (int c = 1; c <= ultima_divisa; ++c) {
                linha& l = ordenada(c);
                const Single antes = l.X1 - 45.0f;
                const Single depois = l.X2 + 45.0f;
                if (!(antes < x && x < depois)) continue;
                l.X1 = x_estacionado_da_divisa;
                l.X2 = x_estacionado_da_divisa;
                l.Visible = false;
                existe_ordenada_editado(n, c) = false;
                reconstruir(true);
            }
        }
    });
    if (!ok) Unload();
}

// --- Modelos prontos ---

void editor_de_no::Option1_Click(int /*indice*/) {
    const bool ok = com_codigo("Erro 107", [&] {
        int escolhido = 0;
        for (int i = 1; i <= 4 && escolhido == 0; ++i)
            if (Option1(i).Value) escolhido = i;
        const Byte n = no_selecionado;

        if (escolhido != 0) {
            for (controle* c : std::initializer_list<controle*>{
                     &codigo_texto, &codigo_label, &texto_quantos_grupos, &label_quantos_grupos, &CheckDuplo,
                     &CheckEscravo, &CheckDemanda, &Line1, &Line2, &Line3, &Label4, &Label14})
                c->Visible = true;
            codigo_texto.SetFocus();
            codigo_texto.TabIndex = 0;
            texto_quantos_grupos.TabIndex = 1;

            // Um diagrama novo parte só das bordas: uma divisa antiga sem a sua linha na régua
            // desmancharia a distribuição dos pedaços.
            for (int c = 1; c <= ultima_divisa; ++c) existe_ordenada_editado(n, c) = false;
        }

        if (escolhido >= 2) {
            const modelo_pronto& m = modelo_da_opcao(escolhido);
            quant_de_grupos_editado(n) = para_byte(m.grupos);
            quant_de_intervalos_antes_editado(n) = para_byte(m.intervalos);
            texto_quantos_grupos.Text = texto_do_numero(m.grupos);
            for (int g = 1; g <= m.grupos; ++g) {
                fundo_barra(g).Visible = true;
                for (int i = 0; i <= 3; ++i) links_do_G(g)(i).Visible = true;
            }
            for (int c : m.colunas) {
                ordenada(c).X1 = x_da_coluna(c);
                ordenada(c).X2 = x_da_coluna(c);
                ordenada(c).Visible = true;
                existe_ordenada_editado(n, c) = true;
            }
            inserir_dados_command.Visible = true;
            cancelar_command.Visible = true;
            for (int g = 1; g <= m.grupos; ++g)
                for (int i = 1; i <= m.intervalos; ++i)
                    cor_do_intervalo_do_grupo_editado(n, g, i) =
                        m.codigos[static_cast<std::size_t>(g - 1)][static_cast<std::size_t>(i - 1)];

            const int q = quant_de_grupos_editado(n);
            int k = 2;
            for (int c = 1; c <= coluna_da_borda_direita; ++c) {
                if (!existe_ordenada_editado(n, c)) continue;
                for (int g = 1; g <= 4 && g <= q; ++g) {
                    pedaco(g, k).Left = ordenada(c).X1;
                    pedaco(g, k - 1).Width = pedaco(g, k).Left - pedaco(g, k - 1).Left;
                    pedaco(g, k - 1).Visible = true;
                }
                const forma& p = pedaco(1, k - 1);
                caixa_de_texto& d = duracao_imposta_texto(k - 1);
                d.Left = p.Left + dividir_single(p.Width, 2.0f) - 160.0f;
                d.Visible = true;
                ++k;
            }

            for (int g = 1; g <= m.grupos; ++g)
                for (int i = 1; i <= m.intervalos; ++i)
                    pedaco(g, i).BackColor =
                        *cor_do_estado(m.codigos[static_cast<std::size_t>(g - 1)][static_cast<std::size_t>(i - 1)]);
        } else if (escolhido == 1) {
            esvaziar_cores_editadas(n);
            for (int g = 1; g <= max_grupos; ++g)
                for (int k = 1; k <= max_intervalos_na_regua; ++k) pedaco(g, k).BackColor = cor_do_intervalo_nao_definido;
        }

        for (int i = 1; i <= 4; ++i) Option1(i).Visible = false;
        Shape1.Visible = false;
        Label1.Visible = false;
    });
    if (!ok) Unload();
}

// --- Validação e confirmação ---

void editor_de_no::inserir_dados_command_Click() {
    // Sem nó selecionado não há onde gravar.
    if (no_selecionado == 0) return;
    if (confirmacao_espera_a_caixa_recusada(caixa_recusada_)) return;
    if (!com_codigo("Erro 106", [&] { confirmar(); })) Unload();
}

void editor_de_no::confirmar() {
    const Byte no = no_selecionado;
    dados_ok = true;

    if (nome_em_branco(nome_do_no_editado(no))) aviso(mensagem_no_sem_nome);
    conferir(regra_da_quant_de_grupos, quant_de_grupos_editado(no));

    if (eh_no_escravo_editado(no)) {
        if (nome_em_branco(nome_do_mestre_editado(no))) aviso(mensagem_escravo_sem_mestre);
        conferir(regra_do_intervalo_do_escravo, intervalo_do_escravo_editado(no));
        conferir(regra_do_intervalo_do_mestre, intervalo_do_mestre_editado(no));
        if (defasagem_forcada_texto.Text.empty()) aviso("falta definir o valor da defasagem forçada");
    }

    if (eh_no_demandado_editado(no)) {
        conferir(regra_do_n_acionamentos, n_acionamentos_editado(no));
        const int d = intervalo_demandado_editado(no);
        const int b = intervalo_beneficiado_editado(no);
        conferir(regra_do_intervalo_demandado, d);
        conferir(regra_do_intervalo_beneficiado, b);
        // Um intervalo além da tabela (já acusado acima) não tem duração nem cor a consultar: a
        // confirmação fica recusada pela mensagem de faixa, sem fechar a janela.
        if (d <= limite_de_intervalos && duracao_imposta_editado(no, d) == 0)
            aviso("o intervalo demandado deve ter sua duração fixada");
        if (b <= limite_de_intervalos && duracao_imposta_editado(no, b) > 0)
            aviso(mensagem_beneficiado_com_duracao_fixada);
        if (d <= limite_de_intervalos)
            for (int g = 1; g <= quant_de_grupos_editado(no); ++g)
                if (cor_do_intervalo_do_grupo_editado(no, g, d) == cor_amarelo)
                    aviso(mensagem_demandado_com_amarelo);
    }

    for (int g = 1; g <= max_grupos; ++g) {
        if (g > quant_de_grupos_editado(no)) continue;
        bool algum = false;
        for (int k = 1; k <= max_links_por_grupo; ++k)
            if (!nome_dos_links_do_grupo_editado(no, g, k).empty()) algum = true;
        if (!algum) aviso("falta definir os links corrrespondentes ao grupo " + texto_do_numero(g));
    }

    {
        Byte contagem = 1;
        for (int c = 1; c <= ultima_divisa; ++c)
            if (existe_ordenada_editado(no, c)) contagem = para_byte(contagem + 1);
        quant_de_intervalos_antes_editado(no) = contagem;
    }
    const int n = quant_de_intervalos_antes_editado(no);
    conferir(regra_da_quant_de_intervalos, n);  // a contagem começa em 1: só o máximo se alcança

    auto cor = [no](int g, int k) { return cor_do_intervalo_do_grupo_editado(no, g, k); };
    auto dur = [no](int k) { return duracao_imposta_editado(no, k); };
    auto caixa_vazia = [this](int k) { return duracao_imposta_texto(k).Text.empty(); };

    for (int g = 1; g <= quant_de_grupos_editado(no); ++g)
        for (int k = 1; k <= n; ++k)
            if (cor(g, k) == cor_nao_definida) aviso("falta definir a cor de algum intervalo");

    for (int k = 1; k <= n; ++k)
        if (!caixa_vazia(k)) conferir(regra_da_duracao_imposta, dur(k));

    {
        // Somada num tipo largo: com durações fora da faixa (já acusadas) a soma de 16 bits
        // estouraria e fecharia a janela.
        Long soma = 0;
        for (int k = 1; k <= n; ++k) soma = soma_long(soma, dur(k));
        if (soma == 0) aviso("deve existir, pelo menos, um intervalo com duração imposta pelo usuário");
    }

    for (int g = 1; g <= quant_de_grupos_editado(no); ++g)
        for (int k = 1; k <= n; ++k)
            if (cor(g, k) == cor_amarelo && dur(k) == 0)
                aviso("intervalos que possuem amarelo em algum grupo devem ter sua duração imposta pelo usuário");

    for (int k = 1; k <= n; ++k)
        if (!caixa_vazia(k) && dur(k) == 0) aviso("a duração imposta de um intervalo deve ser maior do que zero");

    for (int k = 1; k <= n; ++k) {
        bool tem_verde = false;
        for (int g = 1; g <= quant_de_grupos_editado(no); ++g)
            if (cor(g, k) == cor_verde) tem_verde = true;
        if (!tem_verde && dur(k) == 0)
            aviso("intervalos que não possuem verde em nenhum grupo devem ter sua duração imposta pelo usuário");
    }

    // Um nome que o arquivo de projeto não guarda: a rede salva não voltaria igual. Os links de
    // todos os grupos são confirmados, também os dos grupos além da quantidade.
    auto aviso_de_nome_se_houver = [](const std::string& texto) {
        if (!texto.empty()) aviso(texto);
    };
    aviso_de_nome_se_houver(aviso_de_nome(nome_do_no_editado(no), uso_do_nome::no, "no nome de um nó"));
    aviso_de_nome_se_houver(aviso_de_nome(nome_do_mestre_editado(no), uso_do_nome::no, "no nome do nó mestre"));
    for (int g = 1; g <= max_grupos; ++g)
        for (int k = 1; k <= max_links_por_grupo; ++k)
            aviso_de_nome_se_houver(aviso_de_nome(nome_dos_links_do_grupo_editado(no, g, k), uso_do_nome::link,
                                                  "no nome de um link do grupo " + texto_do_numero(g)));

    if (!dados_ok) return;

    auto& t = frmTela_principal_versao2();
    for (int c = 1; c <= ultima_divisa; ++c) existe_ordenada_dado(no, c) = existe_ordenada_editado(no, c);
    nome_do_no_dado(no) = nome_do_no_editado(no);
    t.apoio_no_label(no).Caption = nome_do_no_dado(no);
    quant_de_grupos_dado(no) = quant_de_grupos_editado(no);
    eh_ciclo_duplo_permitido_dado(no) = eh_ciclo_duplo_permitido_editado(no);
    eh_no_escravo_dado(no) = eh_no_escravo_editado(no);
    nome_do_mestre_dado(no) = nome_do_mestre_editado(no);
    intervalo_do_escravo_dado(no) = intervalo_do_escravo_editado(no);
    intervalo_do_mestre_dado(no) = intervalo_do_mestre_editado(no);
    defasagem_forcada_dado(no) = defasagem_forcada_editado(no);
    eh_no_demandado_dado(no) = eh_no_demandado_editado(no);
    n_acionamentos_dado(no) = n_acionamentos_editado(no);
    intervalo_demandado_dado(no) = intervalo_demandado_editado(no);
    intervalo_beneficiado_dado(no) = intervalo_beneficiado_editado(no);
    for (int g = 1; g <= max_grupos; ++g)
        for (int k = 1; k <= max_links_por_grupo; ++k)
            nome_dos_links_do_grupo_dado(no, g, k) = nome_dos_links_do_grupo_editado(no, g, k);
    for (int g = 1; g <= quant_de_grupos_editado(no); ++g)
        for (int k = 1; k <= n; ++k) cor_do_intervalo_do_grupo_dado(no, g, k) = cor(g, k);
    for (int k = 1; k <= n; ++k) duracao_imposta_dado(no, k) = dur(k);
    quant_de_intervalos_antes_dado(no) = para_byte(n);
    t.apoio_no_label(no).Left = t.no_shape(no).Left + 70.0f;
    t.apoio_no_label(no).Top = t.no_shape(no).Top + 70.0f;
    guardar_desenho_do_no(t, no, contexto());
    no_selecionado = 0;
    esconder_marcas_do_no();
    ++revisao_da_rede;
    projeto_alterado = true;
    Unload();
}

}  // namespace orvel
