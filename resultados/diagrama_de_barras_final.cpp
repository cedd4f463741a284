#include "resultados/diagrama_de_barras_final.h"

#include <algorithm>

#include "editor/janelas.h"
#include "modelo/dimensoes_da_rede.h"
#include "modelo/tabelas_de_calculo.h"
#include "editor/desenho_da_rede.h"
#include "modelo/valores_da_animacao.h"
#include "plataforma/numeros.h"
#include "plataforma/servicos.h"
#include "plataforma/tabela.h"
#include "plataforma/textos.h"

namespace orvel {

namespace {

// A largura do ciclo inteiro no desenho e a menor largura de uma barra, em twips. Com a largura
// mínima de 400 cabem 25 intervalos; um nó com mais (até 36 entrados, 72 depois de dobrado o
// ciclo) divide o ciclo em partes iguais como mínimo. Para os números não se encostarem nos
// vizinhos, as durações dos intervalos pares descem uma linha, e os instantes se repartem em
// tantas linhas, uma acima da outra, quantas barras estreitas cabem em 400 twips.
constexpr Long largura_do_ciclo = 10000;
constexpr Integer largura_minima = 400;
constexpr int max_intervalos_desenhados = max_intervalos_duplos;
constexpr Long esquerda_do_eixo = 1080;
constexpr Single linha_dos_numeros_alternados = 200;

Integer largura_minima_para(int q) {
    return q * Long{largura_minima} <= largura_do_ciclo ? largura_minima : static_cast<Integer>(largura_do_ciclo / q);
}

// A cor do estado "sem estado" (a das barras de rolagem do sistema).
constexpr Long cor_sem_estado = rgb(200, 200, 200);

// Top de uma linha que desce com o número de grupos: base + 500 · (G − 1).
Integer abaixo_dos_grupos(Integer base, Integer G) { return para_integer(Long{base} + 500 * (Long{G} - 1)); }

void aparencia_da_caixa(caixa_de_texto& c, bool tridimensional, Single largura, Single tamanho_da_fonte) {
    c.BackColor = cor_branca;
    c.Appearance = tridimensional ? 1 : 0;
    c.BorderStyle = tridimensional ? 1 : 0;
    c.Width = largura;
    c.FontSize = tamanho_da_fonte;
}

}  // namespace

bool cor_do_estado_do_intervalo(Byte codigo, Long& cor) {
    switch (codigo) {
        case 0: cor = cor_sem_estado; return true;
        case cor_verde: cor = rgb(0, 135, 88); return true;
        case cor_amarelo: cor = rgb(255, 255, 0); return true;
        case cor_vermelho: cor = rgb(255, 26, 34); return true;
        default: return false;
    }
}

formulario& frmDiagrama_de_barras_final_versao2() { return diagrama_de_barras_final_unico(); }

janela_diagrama_de_barras_final& diagrama_de_barras_final_unico() {
    return formulario_unico<janela_diagrama_de_barras_final>();
}

janela_diagrama_de_barras_final::janela_diagrama_de_barras_final() : formulario("frmDiagrama_de_barras_final_versao2") {
    Caption = titulo_das_janelas();
    Width = 11880;
    Height = 8580;
    borda_fixa = true;
    medida_pelo_interior = true;
    dialogo_do_programa = true;

    Command2.Caption = "Apl";
    Command2.posicionar(9840, 1800, 495, 405);
    Command1.Caption = "Imp";
    Command1.posicionar(10335, 1800, 495, 405);
    Text3.posicionar(10355, 1235, 520, 285);
    Label16.Caption = "Código:";
    Label16.posicionar(9720, 1284, 564, 192);
    Text1.posicionar(2400, 1280, 6975, 285);
    Label14.Caption = "Nome do nó:";
    Label14.posicionar(1080, 1280, 915, 195);
    Text2.posicionar(2600, 1840, 6775, 285);
    Label15.Caption = "Nome da rede:";
    Label15.posicionar(1080, 1880, 1050, 195);
    Label9(0).Caption = "0";
    Label9(0).posicionar(1080, 3000, 105, 195);

    titulos_ = {nullptr, &Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &Label8};
    barras_ = {nullptr, &Shape1, &Shape2, &Shape3, &Shape4, &Shape5, &Shape6, &Shape7, &Shape8};
    for (int g = 1; g <= max_grupos; ++g) {
        rotulo& titulo = titulo_do_grupo(g);
        titulo.Caption = "G" + texto_de_inteiro(g);
        titulo.posicionar(480, static_cast<Single>(3840 + 500 * (g - 1)), 210, 195);
        titulo.Visible = false;
        forma& barra = barras_do_grupo(g)(0);
        barra.posicionar(1080, static_cast<Single>(g == 1 ? 3920 : 4400 + 500 * (g - 2)), 10005, 75);
        barra.Shape = 0;
        barra.BackStyle = 1;
        barra.BackColor = cor_da_face_do_botao;
    }

    // Os títulos das durações e da demanda e os modelos das suas matrizes ficam abaixo da área
    // da janela até que "Apl" os traga para cima.
    Label10.Caption = "Duração";
    Label10.posicionar(240, 8800, 615, 195);
    Label11(0).Caption = "00";
    Label11(0).posicionar(1320, 8800, 180, 195);
    Label12.Caption = "Demanda";
    Label12.posicionar(240, 9320, 690, 195);
    Label13(0).Caption = "0";
    Label13(0).posicionar(1350, 9320, 90, 195);

    // Os rótulos se ajustam ao texto. Os elementos novos das matrizes nascem com a largura do
    // modelo, a do "0", que centra os instantes nas divisas.
    for (rotulo* r : {&Label16, &Label14, &Label15, &Label9(0), &Label1, &Label2, &Label3, &Label4, &Label5, &Label6,
                      &Label7, &Label8, &Label10, &Label11(0), &Label12, &Label13(0)}) {
        r->AutoSize = true;
        r->ajustar_ao_texto();
    }

    Line1.posicionar(1080, 3280, 11100, 3280);
    Line2.posicionar(1080, 3275, 1080, 8780);
    Line3.posicionar(11085, 3275, 11085, 8660);
    Line4(0).posicionar(240, 3400, 240, 7480);

    Command2.Click = [this] { Command2_Click(); };
    Command1.Click = [this] { Command1_Click(); };
}

void janela_diagrama_de_barras_final::Form_Load() {
    Left = (tela().Width - Width) / 2;
    Top = (tela().Height - Height) / 2;
    BackColor = cor_branca;
    for (rotulo* r : {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &Label8, &Label10, &Label12, &Label14,
                      &Label15, &Label16})
        r->BackColor = cor_branca;
}

void janela_diagrama_de_barras_final::fonte_dos_titulos(Single tamanho) {
    for (rotulo* r : {&Label14, &Label15}) {
        r->FontSize = tamanho;
        r->ajustar_ao_texto();
    }
}

// Estado de entrada: a caixa do código e "Apl" à vista, "Imp" e as três linhas escondidos.
void janela_diagrama_de_barras_final::Form_Activate() {
    Text3.Visible = true;
    Text3.Enabled = true;
    Command2.Visible = true;
    Command2.Enabled = true;
    Label16.Visible = true;

    Line1.Visible = false;
    Line2.Visible = false;
    Line3.Visible = false;
    Command1.Visible = false;
    Command1.Enabled = false;

    aparencia_da_caixa(Text1, true, 6975, 8);
    aparencia_da_caixa(Text2, true, 6775, 8);
    fonte_dos_titulos(8);

    // Os dois botões dividem o mesmo lugar: só um deles fica à vista de cada vez.
    Command1.Left = 10335;
    Command1.Top = 1880;
    Command2.Left = 10335;
    Command2.Top = 1780;

    Text1.SetFocus();
}

void janela_diagrama_de_barras_final::Command2_Click() {
    if (!com_codigo("Erro 101", [this] { desenhar(); })) Unload();
}

void janela_diagrama_de_barras_final::desenhar() {
    // As posições são comparadas tenham ou não um nó.
    bool achou = false;
    for (int i = 1; i <= max_indice_no && !achou; ++i) {
        if (!nomes_iguais(contexto().copias.nome_do_no(i), Text3.Text.texto())) continue;
        no_do_diagrama = static_cast<Byte>(i);
        achou = true;
    }
    // Sem nó com este nome, o desenho segue com o nó que já estava escolhido (0 depois de
    // uma saída da janela ou de uma limpeza da rede).
    if (!achou) servicos().caixa_de_mensagem("não existe nenhum nó com este nome", estilo_ok, "Aviso");

    Line1.Visible = true;
    Line2.Visible = true;
    Line3.Visible = true;
    Command1.Visible = true;
    Command1.Enabled = true;

    const int n = no_do_diagrama;
    const int q = contexto().derivados.quant_de_intervalos_depois(n);
    const Integer G = contexto().copias.quant_de_grupos(n);
    const Integer C = contexto().derivados.t_de_ciclo;

    // Larguras das barras: o ciclo inteiro tem 10000 twips. Quando os verdes de segurança não
    // couberam no ciclo, as durações somam mais que ele: então a soma ocupa os 10000 twips (uma
    // barra maior que o ciclo não passa da largura do desenho nem do tamanho de um Integer).
    Long soma_das_duracoes = 0;
    for (int k = 1; k <= q; ++k) soma_das_duracoes += contexto().derivados.duracao_do_intervalo(n, k);
    const double base_das_larguras = double(std::max<Long>(C, soma_das_duracoes));
    tabela<Integer, max_intervalos_desenhados> largura;
    tabela<Integer, max_intervalos_desenhados> instante;
    for (int k = 1; k <= q; ++k)
        largura(k) = para_integer(dividir_double(double(contexto().derivados.duracao_do_intervalo(n, k)), base_das_larguras) * double(largura_do_ciclo));

    // Uma barra estreita demais ganha a largura mínima, tirada da mais larga. O índice da mais
    // larga começa em 1 uma vez só e só muda para uma barra estritamente mais larga.
    const Integer minima = largura_minima_para(q);
    const bool alternar_os_numeros = minima < largura_minima;
    const int linhas_dos_instantes = (largura_minima + minima - 1) / minima;
    int mais_larga = 1;
    for (int k = 1; k <= q; ++k) {
        if (largura(k) >= minima) continue;
        for (int j = 1; j <= q; ++j)
            if (largura(j) > largura(mais_larga)) mais_larga = j;
        largura(mais_larga) = para_integer(Long{largura(mais_larga)} - (Long{minima} - largura(k)));
        largura(k) = minima;
    }

    Integer soma = 0;
    Label9(0).Visible = true;
    instante(0) = 0;
    const Integer fundo_das_divisas = abaixo_dos_grupos(5000, G);
    const Integer top_das_duracoes = abaixo_dos_grupos(4400, G);
    const Integer top_da_demanda = abaixo_dos_grupos(4800, G);
    for (int k = 1; k <= q; ++k) {
        Line4.carregar(k);
        linha& divisa = Line4(k);
        divisa.Visible = true;
        soma = para_integer(Long{soma} + largura(k));
        const Integer x = para_integer(esquerda_do_eixo + soma);
        divisa.X1 = x;
        divisa.X2 = x;
        divisa.Y1 = 3380;
        divisa.Y2 = fundo_das_divisas;
        Line2.Y2 = fundo_das_divisas;
        Line3.Y2 = fundo_das_divisas;

        instante(k) = para_integer(Long{instante(k - 1)} + contexto().derivados.duracao_do_intervalo(n, k));

        Label9.carregar(k);
        rotulo& marca_do_instante = Label9(k);
        marca_do_instante.Top = 3000 - linha_dos_numeros_alternados * Single(k % linhas_dos_instantes);
        marca_do_instante.Left = Single(x) - marca_do_instante.Width / 2.0f;
        marca_do_instante.Caption = texto_de_inteiro(instante(k));
        marca_do_instante.Visible = true;

        // O rótulo da duração começa no meio da barra.
        const Single meio_da_barra = Single(x) - Single(largura(k)) / 2.0f;
        Label11.carregar(k);
        rotulo& duracao = Label11(k);
        duracao.Top = alternar_os_numeros && k % 2 == 0 ? top_das_duracoes + linha_dos_numeros_alternados : top_das_duracoes;
        duracao.Left = meio_da_barra;
        duracao.Visible = true;
        duracao.Caption = texto_de_inteiro(contexto().derivados.duracao_do_intervalo(n, k));

        Label13.carregar(k);
        rotulo& marca = Label13(k);
        marca.Top = top_da_demanda;
        if (contexto().copias.eh_no_demandado(n) && contexto().copias.intervalo_demandado(n) == k) marca.Caption = "D";
        if (contexto().copias.eh_no_demandado(n) && contexto().copias.intervalo_beneficiado(n) == k) marca.Caption = "B";
        if (marca.Caption.texto() != "0") {
            // Recuada de metade da duração do intervalo, tomada como twips.
            const double d = ler_numero(duracao.Caption.texto());
            marca.Left = static_cast<Single>(double(meio_da_barra) - d / 2.0);
            marca.Visible = true;
        }
    }

    Label10.Top = top_das_duracoes;
    Label10.Visible = true;

    for (int g = 1; g <= max_grupos; ++g) {
        if (G < g) continue;
        titulo_do_grupo(g).Visible = true;
        matriz_de_controles<forma>& barras = barras_do_grupo(g);
        for (int k = 1; k <= q; ++k) {
            barras.carregar(k);
            forma& barra = barras(k);
            barra.Visible = true;
            barra.Left = Line4(k).X1 - Single(largura(k));
            barra.Width = largura(k);
            Long cor = 0;
            if (cor_do_estado_do_intervalo(contexto().resultados.cor_do_intervalo_do_grupo_depois(n, g, k), cor)) barra.BackColor = cor;
        }
    }

    // O título "Demanda" só acompanha um nó com demanda: o de um nó mostrado antes não pode
    // ficar na tela (nem no papel) de um nó que não a tem.
    if (contexto().copias.eh_no_demandado(n)) {
        Label12.Top = top_da_demanda;
        Label12.Visible = true;
    } else {
        Label12.Visible = false;
    }

    // Estado do diagrama: o que entra na impressão parece texto solto sobre o fundo branco.
    Text3.Visible = false;
    Text3.Enabled = false;
    Command2.Visible = false;
    Command2.Enabled = false;
    Label16.Visible = false;
    aparencia_da_caixa(Text1, false, 8760, 10);
    aparencia_da_caixa(Text2, false, 6015, 10);
    fonte_dos_titulos(10);
    for (int k = 0; k <= q; ++k) {
        Label9(k).BackColor = cor_branca;
        Label11(k).BackColor = cor_branca;
        Label13(k).BackColor = cor_branca;
    }

    Command1.Visible = true;
    Command1.Enabled = true;
    Command2.Visible = false;
}

// "Imp": o botão sai antes da impressão e fica escondido, para nunca aparecer no papel.
void janela_diagrama_de_barras_final::Command1_Click() {
    Command1.Visible = false;
    servicos().imprimir_janela(*this);
}

void janela_diagrama_de_barras_final::Form_Deactivate() {
    if (!com_codigo("Erro 101", [this] { remover(); })) Unload();
}

// Tira o que "Apl" desenhou, com o número de intervalos e de grupos lidos de novo.
void janela_diagrama_de_barras_final::remover() {
    const int n = no_do_diagrama;
    const int q = contexto().derivados.quant_de_intervalos_depois(n);
    const int G = contexto().copias.quant_de_grupos(n);
    for (int g = 1; g <= max_grupos; ++g) titulo_do_grupo(g).Visible = false;
    Label12.Visible = false;
    for (int k = 1; k <= q; ++k) {
        Label9(k).Visible = false;
        Line4.descarregar(k);
        Label9.descarregar(k);
        Label11.descarregar(k);
        Label13.descarregar(k);
    }
    for (int g = 1; g <= max_grupos; ++g) {
        if (G < g) continue;
        for (int k = 1; k <= q; ++k) barras_do_grupo(g).descarregar(k);
    }
    no_do_diagrama = 0;
    Command1.Visible = false;
    Command1.Enabled = false;
    Command2.Visible = true;
}

// O que foi desenhado some com a janela: o nó escolhido também, para que a próxima saída de
// uma janela nova não tente tirar um desenho que ela não tem.
void janela_diagrama_de_barras_final::Form_Unload(Integer&) { no_do_diagrama = 0; }

}  // namespace orvel
