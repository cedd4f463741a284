#include "resultados/rede_dinamica.h"

#include <cmath>

#include "editor/janelas.h"
#include "modelo/rede.h"
#include "modelo/tabelas_de_calculo.h"
#include "editor/desenho_da_rede.h"
#include "modelo/valores_da_animacao.h"
#include "plataforma/numeros.h"
#include "plataforma/servicos.h"

namespace orvel {

namespace {

constexpr Long cor_do_cabecalho = rgb(170, 170, 170);
constexpr Long cor_dos_contadores = rgb(0, 255, 255);
// A escala da fila de um link sem caixa (um link de entrada), em veículos.
constexpr Integer caixa_sem_capacidade = 400;

void copiar_pontas(linha& destino, const linha& origem) {
    destino.X1 = origem.X1;
    destino.X2 = origem.X2;
    destino.Y1 = origem.Y1;
    destino.Y2 = origem.Y2;
}

void copiar_retangulo(controle_retangular& destino, const controle_retangular& origem) {
    destino.Height = origem.Height;
    destino.Width = origem.Width;
    destino.Left = origem.Left;
    destino.Top = origem.Top;
}

// Comprimento de uma linha em twips.
Single comprimento(const linha& l) {
    const double dx = Single(l.X2 - l.X1);
    const double dy = Single(l.Y2 - l.Y1);
    return verificar_single(std::sqrt(dx * dx + dy * dy));
}

// O primeiro segundo da apresentação: o primeiro depois do aquecimento de 8 ciclos.
Integer primeiro_segundo_da_apresentacao() {
    return para_integer(Long{para_integer(Long{8} * contexto().derivados.t_de_ciclo)} + 121);
}

// Tira os elementos criados (o modelo, elemento 0, fica).
template <class C>
void descarregar_os_criados(matriz_de_controles<C>& m) {
    for (int i : m.indices()) m.descarregar(i);
}

// A cor das linhas de um link no estado do seu sinal; false para um estado sem cor.
bool cor_do_sinal(Byte estado, Long& cor) {
    switch (estado) {
        case cor_verde: cor = rgb(0, 135, 135); return true;
        case cor_amarelo: cor = rgb(192, 192, 0); return true;
        case cor_vermelho: cor = rgb(255, 26, 34); return true;
        default: return false;
    }
}

}  // namespace

formulario& frmRede_dinamica_versao2() { return rede_dinamica_unica(); }

janela_rede_dinamica& rede_dinamica_unica() { return formulario_unico<janela_rede_dinamica>(); }

janela_rede_dinamica::janela_rede_dinamica() : formulario("frmRede_dinamica_versao2") {
    Caption = titulo_das_janelas();
    Width = 11880;
    Height = 8595;

    for (rotulo* r : {&Label3, &Label4, &Label5, &Label6, &Label7, &Label8, &Label9, &Label10, &Label11, &Label12, &Label14}) {
        r->FontName = "MS Sans Serif";
        r->FontSize = 9.75f;
        r->ForeColor = cor_branca;
    }
    Label13.posicionar(0, 0, Width, 900);
    Label13.BackColor = cor_do_cabecalho;
    Label14.Caption = "Escala  de   tempos:";
    Label14.Alignment = 2;
    Label14.posicionar(700, 140, 1812, 240);
    Text1.Text = "1";
    Text1.posicionar(2760, 120, 435, 285);
    Text1.BackColor = rgb(206, 206, 206);
    for (botao_de_comando* b : {&Command1, &Command2}) {
        b->Style = 1;
        b->Caption.clear();
    }
    Command1.Picture = "processar";
    Command1.posicionar(10440, 62, 400, 400);
    Command1.ToolTipText = "Iniciar apresentação";
    Command2.Picture = "interromper";
    Command2.posicionar(10920, 62, 400, 400);
    Command2.ToolTipText = "Parar apresentação";
    Command2.BackColor = rgb(255, 192, 192);

    Label8.Caption = "Período de simulação:";
    Label8.posicionar(600, 600, 2025, 240);
    Label7.Caption = "3666";
    Label7.Alignment = 1;
    Label7.posicionar(2715, 600, 420, 240);
    Label9.Caption = "s";
    Label9.posicionar(3240, 600, 105, 240);
    Label6.Caption = "Instante no período de simulação:";
    Label6.posicionar(3600, 600, 3015, 240);
    Label5.Caption = "3665";
    Label5.Alignment = 1;
    Label5.ForeColor = cor_dos_contadores;
    Label5.posicionar(6795, 600, 420, 240);
    Label10.Caption = "Ciclo:";
    Label10.posicionar(7920, 600, 495, 240);
    Label11.Caption = "222";
    Label11.Alignment = 1;
    Label11.posicionar(8580, 600, 315, 240);
    Label12.Caption = "s";
    Label12.posicionar(9000, 600, 105, 240);
    Label4.Caption = "Instante no ciclo:";
    Label4.posicionar(9360, 600, 1470, 240);
    Label3.Caption = "221";
    Label3.Alignment = 1;
    Label3.ForeColor = cor_dos_contadores;
    Label3.posicionar(10980, 600, 315, 240);
    for (rotulo* r : {&Label3, &Label4, &Label5, &Label6}) r->Visible = false;

    Line7.X1 = 0;
    Line7.Y1 = 900;
    Line7.X2 = 12000;
    Line7.Y2 = 900;
    Line8.X1 = 0;
    Line8.Y1 = 920;
    Line8.X2 = 12000;
    Line8.Y2 = 920;

    Timer1.Interval = 1000;
    Timer1.Enabled = false;

    // Modelos do desenho.
    Shape1(0).Shape = 3;
    Shape1(0).BorderWidth = 1;
    for (rotulo* r : {&Label1(0), &Label2(0)}) {
        r->Alignment = 2;
        r->FontName = "Small Fonts";
        r->FontSize = 6.75f;
        r->BackStyle = 0;
    }
    for (linha* l : {&Line3(0), &Line4(0), &Line5(0), &braco_line(0)}) {
        l->BorderWidth = 1;
        l->BorderColor = cor_preta;
    }
    Line1(0).BorderWidth = 4;
    cor_braco(0).BorderWidth = 4;

    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Timer1.Timer = [this] { Timer1_Timer(); };
}

void janela_rede_dinamica::Form_Load() {
    const auto& principal = frmTela_principal_versao2();
    Height = principal.Height;
    Width = principal.Width;
    Left = principal.Left;
    Top = principal.Top;
    BackColor = rgb(244, 244, 244);
    // A faixa do cabeçalho vai da posição da janela na tela, não de 0.
    Label13.Width = Width;
    Label13.Left = Left;
    for (rotulo* r : {&Label3, &Label4, &Label5, &Label6, &Label7, &Label8, &Label9, &Label10, &Label11, &Label12, &Label13,
                      &Label14})
        r->BackColor = cor_do_cabecalho;
    Text1.BackColor = rgb(206, 206, 206);
    Line7.BorderColor = rgb(0, 0, 0);
    Line8.BorderColor = rgb(200, 200, 200);
    Text1.Left = 2760;
    Text1.Top = 120;
    Label14.Left = 700;
    Label14.Top = 140;
}

void janela_rede_dinamica::Form_Activate() {
    if (!com_codigo("Erro 101", [this] { copiar_o_desenho(); })) Unload();
}

// Copia o desenho da janela principal e prepara a escala da fila de cada link.
void janela_rede_dinamica::copiar_o_desenho() {
    auto& principal = frmTela_principal_versao2();
    // A janela pode ser ativada mais de uma vez na mesma apresentação (uma janela modal, sem
    // gerenciador de janelas, recebe a ativação de novo): a cópia anterior sai antes, para que
    // fique um só desenho e nenhum elemento seja carregado duas vezes.
    descarregar_os_criados(Shape1);
    descarregar_os_criados(Label1);
    descarregar_os_criados(Label2);
    descarregar_os_criados(Line3);
    descarregar_os_criados(Line4);
    descarregar_os_criados(Line5);
    descarregar_os_criados(braco_line);
    descarregar_os_criados(cor_braco);
    descarregar_os_criados(Line1);
    for (int i = 1; i <= max_indice_no; ++i) {
        if (!existe_no(i)) continue;
        Shape1.carregar(i);
        Label1.carregar(i);
        Shape1(i).Visible = true;
        Label1(i).Visible = true;
        copiar_retangulo(Shape1(i), principal.no_shape(i));
        copiar_retangulo(Label1(i), principal.apoio_no_label(i));
        Label1(i).Caption = principal.apoio_no_label(i).Caption.texto();
    }

    for (int l = 1; l <= max_indice_link; ++l) {
        if (!existe_link(l)) continue;
        // O nome do link é copiado, mas fica escondido.
        Label2.carregar(l);
        copiar_retangulo(Label2(l), principal.etiqueta_link_label(l));
        Label2(l).Caption = principal.etiqueta_link_label(l).Caption.texto();

        Line3.carregar(l);
        Line4.carregar(l);
        Line5.carregar(l);
        braco_line.carregar(l);
        cor_braco.carregar(l);
        Line1.carregar(l);
        const bool com_braco = eh_link_conversao(l);
        Line3(l).Visible = true;
        Line4(l).Visible = true;
        Line5(l).Visible = true;
        if (com_braco) braco_line(l).Visible = true;

        copiar_pontas(Line3(l), principal.corpo_link_line(l));
        copiar_pontas(Line1(l), Line3(l));
        copiar_pontas(Line4(l), principal.esquerda_seta_line(l));
        copiar_pontas(Line5(l), principal.direita_seta_line(l));
        if (com_braco) {
            copiar_pontas(braco_line(l), principal.braco_link_line(l));
            copiar_pontas(cor_braco(l), braco_line(l));
            comprimento_do_link_1(l) = comprimento(braco_line(l));
            comprimento_do_link_2(l) = comprimento(Line3(l));
        }

        // O ponto de parada é o meio das pontas soltas das duas hastes da seta: lá terminam o
        // link e a sua fila (num link de conversão, o braço; o corpo termina na dobra).
        const Single px = (Line5(l).X1 + Line4(l).X1) / 2.0f;
        const Single py = (Line5(l).Y1 + Line4(l).Y1) / 2.0f;
        linha& ultimo_trecho = com_braco ? braco_line(l) : Line3(l);
        linha& fila_do_trecho = com_braco ? cor_braco(l) : Line1(l);
        ultimo_trecho.X2 = px;
        ultimo_trecho.Y2 = py;
        fila_do_trecho.X2 = px;
        fila_do_trecho.Y2 = py;
    }

    for (rotulo* r : {&Label3, &Label4, &Label5, &Label6}) r->Visible = false;
    Label7.Caption = texto_de_inteiro(contexto().derivados.periodo_de_simulacao);
    Label11.Caption = texto_de_inteiro(contexto().derivados.t_de_ciclo);
    Text1.SetFocus();

    for (int l = 1; l <= max_indice_link; ++l) {
        if (!existe_link(l)) continue;
        const Integer capacidade = capacidade_da_caixa_dado(l);
        caixa_da_animacao(l) = capacidade > 0 ? capacidade : caixa_sem_capacidade;
    }
}

// "Iniciar apresentação": a escala diz quantos segundos simulados passam em um segundo.
void janela_rede_dinamica::Command1_Click() {
    reiniciar_apresentacao = true;
    for (rotulo* r : {&Label3, &Label4, &Label5, &Label6}) r->Visible = true;
    const double escala = ler_numero(Text1.Text.texto());
    if (escala < 1 || escala > 10) {
        servicos().caixa_de_mensagem(
            "Cada intervalo de 1 segundo da apresentação deve representar, no mínimo, 1 segundo e, no máximo, 10 "
            "segundos da vida real",
            estilo_ok, "Aviso");
        Text1.SetFocus();
        return;
    }
    const auto segundos_por_tique = static_cast<Integer>(std::floor(escala));
    Timer1.Interval = para_long(dividir_single(1000.0f, Single(segundos_por_tique)));
    Timer1.Enabled = true;
    Command2.Enabled = true;
    Command1.Enabled = false;
}

// "Parar apresentação": o segundo à vista e o desenho ficam como estão.
void janela_rede_dinamica::Command2_Click() {
    Timer1.Enabled = false;
    Command1.Enabled = true;
    Command2.Enabled = false;
}

void janela_rede_dinamica::Timer1_Timer() {
    if (!com_codigo("Erro 111", [this] { mostrar_o_instante(); })) Unload();
}

// Um tique: os contadores, a fila e a cor de cada link no segundo à vista; depois o segundo
// seguinte, ou o fim da apresentação.
void janela_rede_dinamica::mostrar_o_instante() {
    const Integer C = contexto().derivados.t_de_ciclo;
    const Integer primeiro = primeiro_segundo_da_apresentacao();
    if (reiniciar_apresentacao) {
        instante_da_animacao_ = primeiro;
        // As linhas de fila encolhem até a ponta do ponto de parada (ou da dobra).
        auto encolher = [](linha& fila_do_link) {
            fila_do_link.Visible = true;
            fila_do_link.X1 = fila_do_link.X2;
            fila_do_link.Y1 = fila_do_link.Y2;
        };
        for (int l = 1; l <= max_indice_link; ++l) {
            if (!existe_link(l)) continue;
            encolher(Line1(l));
            if (eh_link_conversao(l)) encolher(cor_braco(l));
        }
        reiniciar_apresentacao = false;
    }
    const Integer i = instante_da_animacao_;

    Long no_ciclo = resto(i, C);
    if (no_ciclo < 0) no_ciclo += C;
    Label3.Caption = texto_de_inteiro(no_ciclo);
    Label5.Caption = texto_de_inteiro(Long{i} - primeiro);

    for (int l = 1; l <= max_indice_link; ++l) {
        if (!existe_link(l)) continue;
        Single r = dividir_single(contexto().simulacao.fila_no_instante(l, i), Single(caixa_da_animacao(l)));
        if (r > 1.0f) r = 1.0f;
        const bool com_braco = eh_link_conversao(l);
        Line1(l).Visible = r != 0;
        if (com_braco) cor_braco(l).Visible = r != 0;
        desenhar_a_fila(l, r);

        Long cor = 0;
        if (cor_do_sinal(contexto().simulacao.estado_no_instante(l, i), cor)) {
            Line1(l).BorderColor = cor;
            Line3(l).BorderColor = cor;
            if (com_braco) {
                braco_line(l).BorderColor = cor;
                cor_braco(l).BorderColor = cor;
            }
            Line4(l).BorderColor = cor;
            Line5(l).BorderColor = cor;
        }
    }

    if (Long{i} > Long{primeiro} + contexto().derivados.periodo_de_simulacao) {
        Timer1.Enabled = false;
        Command1.Enabled = true;
        Command2.Enabled = false;
        return;
    }
    servicos().processar_eventos_pendentes();
    instante_da_animacao_ = para_integer(Long{i} + 1);
}

// A linha de fila cobre a parte r do link, medida para trás a partir do ponto de parada. Num
// link de conversão a fila ocupa primeiro o braço e depois o corpo, a partir da dobra; os
// comprimentos são os do desenho na ativação e as direções as das linhas desta janela.
void janela_rede_dinamica::desenhar_a_fila(int l, Single r) {
    linha& fila = Line1(l);
    const linha& corpo = Line3(l);
    if (!eh_link_conversao(l)) {
        fila.X1 = fila.X2 - (corpo.X2 - corpo.X1) * r;
        fila.Y1 = fila.Y2 - (corpo.Y2 - corpo.Y1) * r;
        return;
    }
    const Single a = comprimento_do_link_1(l);  // braço
    const Single b = comprimento_do_link_2(l);  // corpo
    const Single total = verificar_single(double(a + b));
    // Um braço ou um corpo de comprimento zero não tem parte da fila: a fila vai para o outro.
    const Single parte_do_braco = total > 0 ? dividir_single(a, total) : 0.0f;
    linha& fila_no_braco = cor_braco(l);
    const linha& braco = braco_line(l);
    if (parte_do_braco < r) {
        fila_no_braco.X1 = braco.X1;
        fila_no_braco.Y1 = braco.Y1;
        // O resto da fila, em twips, vai sobre o corpo a partir da dobra.
        const Single resto_da_fila = total * r - a;
        if (b > 0) {
            fila.X1 = fila.X2 - dividir_single((corpo.X2 - corpo.X1) * resto_da_fila, b);
            fila.Y1 = fila.Y2 - dividir_single((corpo.Y2 - corpo.Y1) * resto_da_fila, b);
        } else {
            fila.X1 = fila.X2;
            fila.Y1 = fila.Y2;
        }
        fila.Visible = true;
    } else {
        const Single s = a > 0 ? dividir_single(total, a) * r : 0.0f;
        fila_no_braco.X1 = fila_no_braco.X2 - (braco.X2 - braco.X1) * s;
        fila_no_braco.Y1 = fila_no_braco.Y2 - (braco.Y2 - braco.Y1) * s;
        fila.Visible = false;
    }
}

}  // namespace orvel
