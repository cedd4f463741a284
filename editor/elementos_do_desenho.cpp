#include "editor/elementos_do_desenho.h"

#include "modelo/buffers_de_edicao.h"
#include "modelo/estado_do_editor.h"
#include "modelo/rede.h"
#include "editor/desenho_da_rede.h"
#include "plataforma/servicos.h"

namespace orvel {

namespace {

void estacionar(controle_retangular& c) {
    c.Left = left_estacionado;
    c.Top = top_estacionado;
}

void pos_marca_de_link(forma& s, Single x, Single y) {
    s.Left = x - 52;
    s.Top = y - 52;
}

}  // namespace

void recalcular_max_indice_no() {
    for (int n = 1; n <= max_nos; ++n)
        if (existe_no(n)) max_indice_no = static_cast<Byte>(n);
}

void recalcular_max_indice_link() {
    for (int l = 1; l <= max_links; ++l)
        if (existe_link(l)) max_indice_link = static_cast<Byte>(l);
}

void inserir_no() {
    com_codigo("Erro 1", [] {
        if (total_de_nos_dado == max_nos) {
            servicos().caixa_de_mensagem("o máximo número de nós de uma rede é 50", estilo_ok, "Aviso");
            return;
        }
        int s = 0;
        for (int n = 1; n <= max_nos && s == 0; ++n)
            if (!existe_no(n)) s = n;
        if (s == 0) return;
        auto& t = frmTela_principal_versao2();

        t.no_shape.carregar(s);
        x_do_no(s) = 240;
        y_do_no(s) = 240;
        raio_do_no(s) = 240;
        forma& circulo = t.no_shape(s);
        circulo.Height = 480;
        circulo.Width = 480;
        circulo.Left = 200;
        circulo.Top = 800;
        circulo.Visible = true;

        t.apoio_no_label.carregar(s);
        rotulo& r = t.apoio_no_label(s);
        r.Height = 340;
        r.Width = 340;
        r.Left = circulo.Left + 70;
        r.Top = circulo.Top + 70;
        r.Visible = true;
        guardar_desenho_do_no(t, s, contexto());

        existe_no(s) = true;
        total_de_nos_dado = para_byte(total_de_nos_dado + 1);
        recalcular_max_indice_no();
        ++revisao_da_rede;
        projeto_alterado = true;
    });
}

void inserir_link() {
    com_codigo("Erro 156", [] {
        if (total_de_links_dado == max_links) {
            servicos().caixa_de_mensagem("o máximo número de links de uma rede é 150", estilo_ok, "Aviso");
            return;
        }
        int s = 0;
        for (int l = 1; l <= max_links && s == 0; ++l)
            if (!existe_link(l)) s = l;
        if (s == 0) return;
        auto& t = frmTela_principal_versao2();

        t.carregar_elementos_do_link(s);

        linha& corpo = t.corpo_link_line(s);
        linha& braco = t.braco_link_line(s);
        linha& esquerda = t.esquerda_seta_line(s);
        linha& direita = t.direita_seta_line(s);
        if (link_de_conversao) {
            corpo.posicionar(100, 950, 900, 950);
            braco.posicionar(900, 950, 1112, 738);
            esquerda.posicionar(1006, 766, 1112, 738);
            direita.posicionar(1084, 844, 1112, 738);
        } else {
            corpo.posicionar(100, 800, 1100, 800);
            esquerda.posicionar(1005, 745, 1100, 800);
            direita.posicionar(1005, 855, 1100, 800);
        }

        rotulo& etiqueta = t.etiqueta_link_label(s);
        etiqueta.Left = 330;
        etiqueta.Top = 100;

        pos_marca_de_link(t.Shape2, corpo.X1, corpo.Y1);
        pos_marca_de_link(t.Shape3, corpo.X2, corpo.Y2);

        corpo.Visible = true;
        esquerda.Visible = true;
        direita.Visible = true;
        t.Shape2.Visible = true;
        t.Shape3.Visible = true;
        braco.Visible = link_de_conversao;
        guardar_desenho_do_link(t, s, contexto());

        existe_link(s) = true;
        link_selecionado = static_cast<Byte>(s);
        eh_link_conversao(s) = link_de_conversao;
        total_de_links_dado = para_byte(total_de_links_dado + 1);
        recalcular_max_indice_link();
        ++revisao_da_rede;
        projeto_alterado = true;
    });
}

void eliminar_no() {
    com_codigo("Erro 155", [] {
        const int s = no_selecionado;
        const std::string pergunta = "confirma a eliminação do nó " + nome_do_no_dado(s) + " ?";
        if (servicos().caixa_de_mensagem(pergunta, estilo_sim_nao, "Aviso") != resposta_sim) return;
        auto& t = frmTela_principal_versao2();

        t.no_shape.descarregar(s);
        t.apoio_no_label.descarregar(s);
        existe_no(s) = false;
        total_de_nos_dado = para_byte(total_de_nos_dado - 1);
        recalcular_max_indice_no();

        // Os dados do nó, também as divisas do diagrama de barras (um nó criado depois na mesma
        // posição não pode herdá-las), e as cópias de edição: o editor de um nó novo na posição
        // mostraria vazio o que elas ainda guardam do antigo, e a confirmação gravaria o que o
        // usuário nunca viu.
        esvaziar_posicao_do_no(contexto().rede, s);
        esvaziar_posicao_do_no(contexto().desenho, s);
        esvaziar_no_editado(s);

        no_selecionado = 0;
        for (rotulo* r : {&t.Label2, &t.Label3, &t.Label4, &t.Label5}) {
            r->Visible = false;
            estacionar(*r);
        }
        t.Line1.Visible = false;
        t.Line2.Visible = false;
        ++revisao_da_rede;
        projeto_alterado = true;
    });
}

void eliminar_link() {
    com_codigo("Erro 120", [] {
        const int s = link_selecionado;
        const std::string pergunta = "confirma a eliminação do link " + nome_do_link_dado(s) + " ?";
        if (servicos().caixa_de_mensagem(pergunta, estilo_sim_nao, "Aviso") != resposta_sim) return;
        auto& t = frmTela_principal_versao2();

        t.corpo_link_line.descarregar(s);
        t.braco_link_line.descarregar(s);
        t.esquerda_seta_line.descarregar(s);
        t.direita_seta_line.descarregar(s);
        t.etiqueta_link_label.descarregar(s);
        existe_link(s) = false;
        total_de_links_dado = para_byte(total_de_links_dado - 1);
        recalcular_max_indice_link();

        esvaziar_posicao_do_link(contexto().rede, s);
        esvaziar_posicao_do_link(contexto().desenho, s);

        link_selecionado = 0;
        for (forma* f : {&t.Shape2, &t.Shape3}) {
            f->Visible = false;
            estacionar(*f);
        }
        ++revisao_da_rede;
        projeto_alterado = true;
    });
}

void esconder_marcas_de_selecao() {
    auto& t = frmTela_principal_versao2();
    arrastando_inicio_do_link = false;
    arrastando_fim_do_link = false;
    arrastando_link = false;
    t.Shape2.Visible = false;
    t.Shape3.Visible = false;
    for (rotulo* r : {&t.Label2, &t.Label3, &t.Label4, &t.Label5}) {
        estacionar(*r);
        r->Visible = false;
    }
    t.Line1.Visible = false;
    t.Line2.Visible = false;
}

}  // namespace orvel
