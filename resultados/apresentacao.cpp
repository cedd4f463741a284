#include "resultados/apresentacao.h"

#include "editor/tela_principal.h"
#include "modelo/valores_da_animacao.h"
#include "plataforma/numeros.h"
#include "plataforma/servicos.h"

namespace orvel {

namespace {
// A janela como foi projetada: área de 5730 x 5700 twips, centrada na tela.
constexpr Single largura_de_projeto = 5730;
constexpr Single altura_de_projeto = 5700;
// As figuras têm 478 x 478 pixels, o tamanho da janela depois da carga.
constexpr Long lado_da_figura_em_pixels = 478;

void projetar_figura(caixa_de_imagem& c, const char* figura, bool visivel) {
    c.Picture = figura;
    c.Left = 0;
    c.Top = 0;
    c.Width = static_cast<Single>(lado_da_figura_em_pixels * 15);
    c.Height = static_cast<Single>(lado_da_figura_em_pixels * 15);
    c.BorderStyle = 0;
    c.BackColor = cor_preta;
    c.Visible = visivel;
}
}  // namespace

std::string texto_da_versao() {
    return "ORVEL  " + texto_de_inteiro(versao_maior) + "." + texto_de_inteiro(versao_menor);
}

janela_apresentacao& apresentacao_unica() { return formulario_unico<janela_apresentacao>(); }

formulario& frmApresentacao_orvel_versao2() { return apresentacao_unica(); }

janela_apresentacao::janela_apresentacao() : formulario("frmApresentacao_orvel_versao2") {
    borda_fixa = true;
    sem_moldura = true;  // só a figura, do tamanho da janela
    BackColor = cor_preta;
    Width = largura_de_projeto;
    Height = altura_de_projeto;
    Left = (tela().Width - largura_de_projeto) / 2.0f;
    Top = (tela().Height - altura_de_projeto) / 2.0f;

    Timer1.Interval = 10;
    Timer1.Enabled = true;
    Timer1.Timer = [this] { Timer1_Timer(); };

    projetar_figura(pctOrvel_verde, figura_semaforo_verde, true);
    projetar_figura(pctOrvel_amarelo, figura_semaforo_amarelo, false);
    projetar_figura(pctOrvel_vermelho, figura_semaforo_vermelho, false);
}

void janela_apresentacao::Form_Load() {
    Top = (tela().Height - Height) / 2.0f - 400.0f;
    // Um quadrado de 478 x 478 pixels; os produtos são inteiros de 16 bits.
    Width = para_integer(lado_da_figura_em_pixels * Long{para_integer(tela().TwipsPerPixelX)});
    Height = para_integer(lado_da_figura_em_pixels * Long{para_integer(tela().TwipsPerPixelY)});
    MousePointer = ponteiro_seta_e_ampulheta;
    instante_da_apresentacao = static_cast<Single>(servicos().segundos_do_relogio());
}

void janela_apresentacao::Form_QueryUnload(Integer& cancelar, Integer modo) {
    // Modo 0: o usuário fechou pela moldura; os descarregamentos do próprio programa passam.
    if (modo == 0) cancelar = 1;
}

void janela_apresentacao::Timer1_Timer() {
    if (apresentacao_encerrada) return;

    // A primeira referência carrega a janela principal (e roda a sua carga). A posição usa o
    // tamanho do rótulo de antes de a fonte e o texto deste tique mudarem.
    auto& principal = tela_principal_completa();
    rotulo& versao = principal.LblVersao;
    versao.BackColor = rgb(242, 242, 242);
    // No canto de baixo à direita do interior da janela principal, que cobre a tela: o que fica
    // dentro da moldura e abaixo da barra de menus (sem tela, a própria tela).
    const auto [largura, altura] = observador().area_interna(principal);
    versao.Left = largura - versao.Width - 80.0f;
    versao.Top = altura - versao.Height - 400.0f;
    versao.Visible = true;
    versao.FontSize = 12;
    versao.Caption = texto_da_versao();

    // Comparações estritas: um tique exatamente sobre um segundo inteiro não muda nada.
    const Single t = static_cast<Single>(servicos().segundos_do_relogio());
    const Single s = instante_da_apresentacao;
    if (s < t && t < s + 1.0f) {
        pctOrvel_verde.Visible = true;
        Picture = figura_semaforo_verde;
    }
    if (s + 1.0f < t && t < s + 2.0f) {
        pctOrvel_verde.Visible = false;
        pctOrvel_amarelo.Visible = true;
        Picture = figura_semaforo_amarelo;
    }
    if (s + 2.0f < t && t < s + 3.0f) {
        pctOrvel_amarelo.Visible = false;
        pctOrvel_vermelho.Visible = true;
        Picture = figura_semaforo_vermelho;
    }
    if (s + 3.0f < t && t < s + 4.0f) {
        pctOrvel_vermelho.Visible = false;
        pctOrvel_verde.Visible = true;
        Picture = figura_semaforo_verde;
    }
    if (t > s + 4.0f) {
        versao.Visible = false;
        Unload();  // daqui em diante nada desta janela é tocado
        apresentacao_encerrada = true;
        principal.Show();
    }
}

void janela_apresentacao::Form_KeyPress(Integer& /*codigo*/) {
    // A janela só se esconde: continua carregada, e os tiques seguintes não fazem nada.
    Hide();
    apresentacao_encerrada = true;
    frmTela_principal_versao2().Show();
}

void janela_apresentacao::Form_MouseUp(Integer, Integer, Single, Single) {
    Unload();
    apresentacao_encerrada = true;
    tela_principal_completa().LblVersao.Visible = false;
    frmTela_principal_versao2().Show();
}

}  // namespace orvel
