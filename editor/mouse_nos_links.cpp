// O mouse na área de desenho da janela principal: achar o link sob o ponteiro, selecioná-lo,
// mostrar as marcas das pontas, arrastar o início, o fim ou o link inteiro redesenhando a seta
// e o braço, pôr o nome ao lado do meio do corpo e abrir o menu suspenso dos links.

#include <cmath>

#include "editor/contas_do_desenho.h"
#include "editor/elementos_do_desenho.h"
#include "editor/estado_dos_comandos.h"
#include "editor/tela_principal.h"
#include "modelo/estado_do_editor.h"
#include "modelo/rede.h"
#include "modelo/valores_da_animacao.h"
#include "plataforma/servicos.h"

namespace orvel {

namespace {

using desenho::dif;
using desenho::prod;
using desenho::quoc;
using desenho::single_de;
using desenho::soma;

constexpr Single faixa_do_corpo = 50;  // meia largura da faixa em volta do corpo, medida no eixo
constexpr Single lado_da_marca = 105;
constexpr Single meio_lado_da_marca = 52;
constexpr Single afastamento_da_etiqueta = 20;

// O ponto está perto da linha do corpo e estritamente entre as suas pontas. O link é medido no
// eixo em que mais se estende (quatro setores, pela direção dominante); num link a 45 graus
// valem dois setores. As pontas são testadas antes da reta: um link de pontas coincidentes
// nunca é achado e nenhuma divisão por zero acontece.
bool ponto_sobre_o_corpo(const linha& corpo, Single x, Single y) {
    const Single x1 = corpo.X1, y1 = corpo.Y1, x2 = corpo.X2, y2 = corpo.Y2;
    const Single soma1 = soma(x1, y1), soma2 = soma(x2, y2);
    const Single dif1 = dif(y1, x1), dif2 = dif(y2, x2);
    auto perto = [](Single v, Single na_reta) {
        return dif(na_reta, faixa_do_corpo) < v && v < soma(na_reta, faixa_do_corpo);
    };
    // Para a direita.
    if (soma1 <= soma2 && dif1 >= dif2 && x1 < x && x < x2) {
        const Single yl = soma(prod(quoc(dif(y1, y2), dif(x2, x1)), dif(x2, x)), y2);
        if (perto(y, yl)) return true;
    }
    // Para baixo.
    if (soma1 <= soma2 && dif1 <= dif2 && y1 < y && y < y2) {
        const Single xl = soma(prod(quoc(dif(x1, x2), dif(y2, y1)), dif(y2, y)), x2);
        if (perto(x, xl)) return true;
    }
    // Para a esquerda.
    if (soma1 >= soma2 && dif1 <= dif2 && x2 < x && x < x1) {
        const Single yl = soma(prod(quoc(dif(y2, y1), dif(x1, x2)), dif(x1, x)), y1);
        if (perto(y, yl)) return true;
    }
    // Para cima.
    if (soma1 >= soma2 && dif1 >= dif2 && y2 < y && y < y1) {
        const Single xl = soma(prod(quoc(dif(x2, x1), dif(y1, y2)), dif(y1, y)), x1);
        if (perto(x, xl)) return true;
    }
    return false;
}

// Dentro do quadrado de uma marca, onde quer que ela esteja, sem as bordas.
bool dentro_da_marca(const forma& marca, Single x, Single y) {
    return marca.Left < x && x < soma(marca.Left, lado_da_marca) && marca.Top < y && y < soma(marca.Top, lado_da_marca);
}

void pos_marca(forma& marca, Single x, Single y) {
    marca.Left = dif(x, meio_lado_da_marca);
    marca.Top = dif(y, meio_lado_da_marca);
}

void marcar_as_pontas(tela_principal& t, const linha& corpo) {
    pos_marca(t.Shape2, corpo.X1, corpo.Y1);
    pos_marca(t.Shape3, corpo.X2, corpo.Y2);
    t.Shape2.Visible = true;
    t.Shape3.Visible = true;
}

// O nome fica 20 twips abaixo do meio do corpo: começando 20 twips à direita do meio nos corpos
// que sobem para a direita (e nos horizontais), terminando 20 twips à esquerda nos que descem
// para a direita (e nos verticais). Pontas coincidentes: fica onde estava.
void posicionar_etiqueta(rotulo& etiqueta, const linha& corpo) {
    const Single x1 = corpo.X1, y1 = corpo.Y1, x2 = corpo.X2, y2 = corpo.Y2;
    bool a_direita;
    if (x2 > x1 && y2 <= y1) a_direita = true;
    else if (x2 >= x1 && y2 > y1) a_direita = false;
    else if (x2 < x1 && y2 >= y1) a_direita = true;
    else if (x2 <= x1 && y2 < y1) a_direita = false;
    else return;
    const Single mx = quoc(soma(x2, x1), 2), my = quoc(soma(y2, y1), 2);
    const Single largura = etiqueta.Width;
    etiqueta.Left = a_direita ? soma(mx, afastamento_da_etiqueta) : dif(dif(mx, afastamento_da_etiqueta), largura);
    etiqueta.Top = soma(my, afastamento_da_etiqueta);
}

// --- Seta e braço ---

struct direcao {
    Single c = 0;  // cosseno, x para a direita
    Single s = 0;  // seno, y para cima da tela
};

direcao direcao_da_linha(const linha& l) {
    const Single dx = dif(l.X2, l.X1);
    const Single dy = dif(l.Y2, l.Y1);
    if (dx != 0 && dy != 0) {
        const Single subida = dif(l.Y1, l.Y2);
        const double d =
            verificar_double(std::sqrt(static_cast<double>(subida) * subida + static_cast<double>(dx) * dx));
        return {verificar_single(dividir_double(dx, d)), verificar_single(dividir_double(subida, d))};
    }
    if (dy == 0) {
        if (dx > 0) return {1, 0};
        if (dx < 0) return {-1, 0};
        return {0, 0};
    }
    return dy < 0 ? direcao{0, 1} : direcao{0, -1};
}

void pos_ponto_inicial(linha& l, Single x, Single y) {
    l.X1 = x;
    l.Y1 = y;
}

// As duas hastes partem da ponta de volta ao longo da linha, a 30 graus de cada lado, com 110
// twips; numa linha vertical as pontas de fora são deslocamentos fixos.
void pontas_da_seta(tela_principal& t, int l, Single xt, Single yt, direcao d, const linha& portadora) {
    linha& esquerda = t.esquerda_seta_line(l);
    linha& direita = t.direita_seta_line(l);
    esquerda.X2 = xt;
    esquerda.Y2 = yt;
    direita.X2 = xt;
    direita.Y2 = yt;
    const double c = d.c, s = d.s, px = xt, py = yt;
    pos_ponto_inicial(esquerda, verificar_single(px - 110 * (0.866 * c - 0.5 * s)),
                      verificar_single(py + 110 * (0.866 * s + 0.5 * c)));
    pos_ponto_inicial(direita, verificar_single(px - 110 * (0.866 * c + 0.5 * s)),
                      verificar_single(py - 110 * (0.5 * c - 0.866 * s)));
    if (portadora.X2 == portadora.X1) {
        if (portadora.Y2 > portadora.Y1) {
            pos_ponto_inicial(esquerda, soma(xt, 55), dif(yt, 95));
            pos_ponto_inicial(direita, dif(xt, 55), dif(yt, 95));
        } else if (portadora.Y2 < portadora.Y1) {
            pos_ponto_inicial(esquerda, dif(xt, 55), soma(yt, 95));
            pos_ponto_inicial(direita, soma(xt, 55), soma(yt, 95));
        }
    }
}

// Redesenha a seta do link a partir do corpo como está; num link de conversão, o braço de 300
// twips sai do fim do corpo virado 45 graus à esquerda do sentido do trânsito, e a seta fica na
// ponta do braço.
void redesenhar_seta(tela_principal& t, int l) {
    const linha& corpo = t.corpo_link_line(l);
    const direcao do_corpo = direcao_da_linha(corpo);
    if (!eh_link_conversao(l)) {
        pontas_da_seta(t, l, corpo.X2, corpo.Y2, do_corpo, corpo);
        t.esquerda_seta_line(l).Visible = true;
        t.direita_seta_line(l).Visible = true;
        return;
    }
    linha& braco = t.braco_link_line(l);
    braco.X1 = corpo.X2;
    braco.Y1 = corpo.Y2;
    const double c = do_corpo.c, s = do_corpo.s;
    braco.X2 = verificar_single(static_cast<double>(corpo.X2) + 300 * (0.7071 * c - 0.7071 * s));
    braco.Y2 = verificar_single(static_cast<double>(corpo.Y2) - 300 * (0.7071 * s + 0.7071 * c));
    pontas_da_seta(t, l, braco.X2, braco.Y2, direcao_da_linha(braco), braco);
    // Como na criação do link, as duas hastes ficam visíveis.
    t.esquerda_seta_line(l).Visible = true;
    t.direita_seta_line(l).Visible = true;
}

// --- Os três eventos ---

void pressionar(tela_principal& t, Integer botao, Single x, Single y) {
    apresentacao_encerrada = true;
    t.LblVersao.Visible = false;
    if (botao != botao_esquerdo) return;

    esconder_marcas_de_selecao();
    int achado = 0;
    for (int i = 1; i <= max_links && achado == 0; ++i)
        if (existe_link(i) && ponto_sobre_o_corpo(t.corpo_link_line(i), x, y)) achado = i;

    if (achado == 0) {
        link_selecionado = 0;
        for (forma* marca : {&t.Shape2, &t.Shape3}) {
            marca->Visible = false;
            marca->Left = left_estacionado;
            marca->Top = top_estacionado;
        }
        return;
    }

    link_selecionado = static_cast<Byte>(achado);
    const linha& corpo = t.corpo_link_line(link_selecionado);
    // As marcas são testadas onde estão agora: na colocação anterior ou estacionadas.
    if (dentro_da_marca(t.Shape2, x, y)) {
        arrastando_inicio_do_link = true;
        t.MousePointer = ponteiro_cruz;
    } else if (dentro_da_marca(t.Shape3, x, y)) {
        arrastando_fim_do_link = true;
        t.MousePointer = ponteiro_cruz;
    } else {
        arrastando_link = true;
        t.MousePointer = ponteiro_quatro_setas;
        x_inicial_do_arrasto = para_long(x);
        y_inicial_do_arrasto = para_long(y);
        x1_inicial_do_link = para_long(corpo.X1);
        y1_inicial_do_link = para_long(corpo.Y1);
        x2_inicial_do_link = para_long(corpo.X2);
        y2_inicial_do_link = para_long(corpo.Y2);
    }
    marcar_as_pontas(t, corpo);
    t.etiqueta_link_label(link_selecionado).Caption = "";  // o nome volta quando o botão for solto
}

// Sem botão: o ponteiro diz o que um clique faria no link selecionado.
void pairar(tela_principal& t, Single x, Single y) {
    if (!processando) t.MousePointer = ponteiro_padrao;
    const int l = link_selecionado;
    if (l == 0 || !existe_link(l) || !ponto_sobre_o_corpo(t.corpo_link_line(l), x, y)) return;
    if (dentro_da_marca(t.Shape2, x, y) || dentro_da_marca(t.Shape3, x, y))
        t.MousePointer = ponteiro_diagonal;
    else
        t.MousePointer = ponteiro_quatro_setas;
}

void mover(tela_principal& t, Integer botao, Single x, Single y) {
    if (botao == 0) {
        pairar(t, x, y);
        return;
    }
    // Durante um processamento o desenho não se edita.
    if (botao != botao_esquerdo || !desenhando || link_selecionado == 0 || recusado_pela_execucao()) return;
    const int l = link_selecionado;
    linha& corpo = t.corpo_link_line(l);
    if (arrastando_inicio_do_link) {
        t.MousePointer = ponteiro_cruz;
        corpo.X1 = x;
        corpo.Y1 = y;
        projeto_alterado = true;
    } else if (arrastando_fim_do_link) {
        t.MousePointer = ponteiro_cruz;
        corpo.X2 = x;
        corpo.Y2 = y;
        projeto_alterado = true;
    } else if (arrastando_link) {
        t.MousePointer = ponteiro_quatro_setas;
        const Single dx = dif(x, single_de(x_inicial_do_arrasto));
        const Single dy = dif(y, single_de(y_inicial_do_arrasto));
        corpo.X1 = soma(dx, single_de(x1_inicial_do_link));
        corpo.Y1 = soma(dy, single_de(y1_inicial_do_link));
        corpo.X2 = soma(dx, single_de(x2_inicial_do_link));
        corpo.Y2 = soma(dy, single_de(y2_inicial_do_link));
        projeto_alterado = true;
    }
    redesenhar_seta(t, l);
    guardar_desenho_do_link(t, l, contexto());
    t.Shape2.Visible = false;
    t.Shape3.Visible = false;
}

void soltar(tela_principal& t, Integer botao, Single x, Single y) {
    if (botao == botao_esquerdo) {
        if (link_selecionado == 0) return;
        const linha& corpo = t.corpo_link_line(link_selecionado);
        if (arrastando_inicio_do_link || arrastando_fim_do_link || arrastando_link) marcar_as_pontas(t, corpo);
        rotulo& etiqueta = t.etiqueta_link_label(link_selecionado);
        posicionar_etiqueta(etiqueta, corpo);
        etiqueta.Caption = nome_do_link_dado(link_selecionado);
        guardar_desenho_do_link(t, link_selecionado, contexto());
        return;
    }
    if (botao != botao_direito) return;
    no_selecionado = 0;
    link_selecionado = 0;
    const int ultimo = max_indice_link;
    for (int i = 1; i <= ultimo; ++i) {
        if (!existe_link(i) || !ponto_sobre_o_corpo(t.corpo_link_line(i), x, y)) continue;
        link_selecionado = static_cast<Byte>(i);
        t.PopupMenu(t.mnuLinksPop);
        return;
    }
}

}  // namespace

// Numa falha, depois do relato, a janela principal é descarregada: isso faz a pergunta de
// salvar e encerra o programa (a não ser que o usuário cancele).

void tela_principal::Form_MouseDown(Integer Button, Integer /*Shift*/, Single X, Single Y) {
    if (!com_codigo("Erro 116", [&] { pressionar(*this, Button, X, Y); })) Unload();
}

void tela_principal::Form_MouseMove(Integer Button, Integer /*Shift*/, Single X, Single Y) {
    if (!com_codigo("Erro 117", [&] { mover(*this, Button, X, Y); })) Unload();
}

void tela_principal::Form_MouseUp(Integer Button, Integer /*Shift*/, Single X, Single Y) {
    if (!com_codigo("Erro 118", [&] { soltar(*this, Button, X, Y); })) Unload();
}

}  // namespace orvel
