#include "dialogos/opcoes_da_rede.h"

#include "dialogos/numeros_das_caixas.h"
#include "dialogos/protocolo_das_caixas.h"
#include "editor/estado_dos_comandos.h"
#include "editor/janelas.h"
#include "modelo/buffers_de_edicao.h"
#include "modelo/rede.h"
#include "editor/desenho_da_rede.h"
#include "plataforma/servicos.h"

namespace orvel {

janela_opcoes_da_rede& opcoes_da_rede_unica() { return formulario_unico<janela_opcoes_da_rede>(); }
formulario& frmRede_versao2() { return opcoes_da_rede_unica(); }

namespace {

constexpr Long cinza_do_dialogo = rgb(193, 193, 193);

void rotular(rotulo& r, const char* caption, Single left, Single top, Single width, Single height) {
    r.Caption = caption;
    r.posicionar(left, top, width, height);
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

janela_opcoes_da_rede::janela_opcoes_da_rede() : formulario("frmRede_versao2") {
    borda_fixa = true;
    dialogo_do_programa = true;
    Caption = titulo_das_janelas();

    Shape1.posicionar(1010, 600, 7080, 5604);
    rotular(Label7, "Dados opcionais", 3070, 1200, 1725, 240);
    Label7.FontName = "MS Sans Serif";
    Label7.FontSize = 9.75f;
    rotular(Label5, "Tempo de ciclo imposto (s)", 2670, 2052, 2292, 252);
    rotular(Label1, "Tempo de ciclo máximo imposto  (s)  [default = 120 s]", 2670, 2868, 3855, 255);
    rotular(Label2, "Grau de saturação meta imposto  [default = 88]", 2670, 3672, 3495, 255);
    rotular(Label3, "Grau de saturação limite imposto  [default =95]", 2670, 4488, 3495, 255);
    rotular(Label4, "Peso da parada imposto (s)  [default = 30 s]", 2670, 5292, 3255, 255);

    Integer tab = 1;
    const Single tops[] = {2000, 2816, 3620, 4400, 5240};
    int i = 0;
    for (caixa_de_texto* c : {&t_de_ciclo_imposto_texto, &t_de_ciclo_maximo_texto, &grau_de_saturacao_meta_texto,
                              &grau_de_saturacao_limite_texto, &peso_da_parada_texto}) {
        c->posicionar(2000, tops[i++], 495, 285);
        c->TabIndex = tab++;
        c->MaxLength = c == &peso_da_parada_texto ? 0 : 3;
        ligar_caixa_de_dados(*c, [this](caixa_de_texto& caixa) { return guardar(caixa); },
                             [this] { inserir_dados_button.Click(); });
    }

    inserir_dados_button.Caption = "Inserir dados";
    inserir_dados_button.posicionar(6800, 6600, 1215, 495);
    cancelar_button.Caption = "Cancelar";
    cancelar_button.posicionar(5300, 6600, 1215, 495);
    sair_sem_validar(cancelar_button);

    inserir_dados_button.Click = fora_da_execucao([this] { inserir_dados_button_Click(); });
    cancelar_button.Click = [this] { cancelar_button_Click(); };
}

void janela_opcoes_da_rede::Form_Load() {
    Height = 8000;
    Width = 9100;
    Left = (tela().Width - Width) / 2.0f;
    Top = (tela().Height - Height) / 2.0f;
    BackColor = cinza_do_dialogo;
    Shape1.Left = (Width - Shape1.Width) / 2.0f;
    for (rotulo* r : {&Label1, &Label2, &Label3, &Label4, &Label5}) r->BackColor = cinza_do_dialogo;
}

void janela_opcoes_da_rede::Form_Activate() {
    caixa_recusada_ = nullptr;
    if (com_codigo("Erro 112", [this] {
            t_de_ciclo_imposto_editado = t_de_ciclo_imposto_dado;
            t_de_ciclo_maximo_imposto_editado = t_de_ciclo_maximo_imposto_dado;
            grau_de_saturacao_meta_imposto_editado = grau_de_saturacao_meta_imposto_dado;
            grau_de_saturacao_limite_imposto_editado = grau_de_saturacao_limite_imposto_dado;
            peso_da_parada_imposto_editado = peso_da_parada_imposto_dado;

            t_de_ciclo_imposto_texto.Text = caixa_de_inteiro(t_de_ciclo_imposto_editado);
            t_de_ciclo_maximo_texto.Text = caixa_de_inteiro(t_de_ciclo_maximo_imposto_editado);
            grau_de_saturacao_meta_texto.Text = caixa_de_single(grau_de_saturacao_meta_imposto_editado);
            grau_de_saturacao_limite_texto.Text = caixa_de_single(grau_de_saturacao_limite_imposto_editado);
            peso_da_parada_texto.Text = caixa_de_inteiro(peso_da_parada_imposto_editado);
        }))
        return;
    Unload();
}

void janela_opcoes_da_rede::Form_Deactivate() { limpar_editor_de_rede(); }

void janela_opcoes_da_rede::Form_Unload(Integer&) { limpar_editor_de_rede(); }

void janela_opcoes_da_rede::limpar_editor_de_rede() {
    caixa_recusada_ = nullptr;
    for (caixa_de_texto* c : {&t_de_ciclo_imposto_texto, &t_de_ciclo_maximo_texto, &grau_de_saturacao_meta_texto,
                              &grau_de_saturacao_limite_texto, &peso_da_parada_texto})
        c->Text = "";
}

bool janela_opcoes_da_rede::guardar(caixa_de_texto& caixa) {
    auto numero = [&](auto& destino, const char* nome, const faixa_de_valor& faixa) {
        return guardar_numero(caixa, destino, {nome, faixa}, caixa_recusada_);
    };
    if (&caixa == &t_de_ciclo_imposto_texto)
        return numero(t_de_ciclo_imposto_editado, "Tempo de ciclo imposto (s)", faixa_t_de_ciclo_imposto);
    if (&caixa == &t_de_ciclo_maximo_texto)
        return numero(t_de_ciclo_maximo_imposto_editado, "Tempo de ciclo máximo imposto (s)",
                      faixa_t_de_ciclo_maximo_imposto);
    if (&caixa == &grau_de_saturacao_meta_texto)
        return numero(grau_de_saturacao_meta_imposto_editado, "Grau de saturação meta imposto",
                      faixa_grau_de_saturacao_imposto);
    if (&caixa == &grau_de_saturacao_limite_texto)
        return numero(grau_de_saturacao_limite_imposto_editado, "Grau de saturação limite imposto",
                      faixa_grau_de_saturacao_imposto);
    if (&caixa == &peso_da_parada_texto)
        return numero(peso_da_parada_imposto_editado, "Peso da parada imposto (s)", faixa_peso_da_parada_imposto);
    return true;
}

void janela_opcoes_da_rede::Form_KeyPress(Integer& codigo) {
    enter_da_janela_confirma(codigo, [this] { inserir_dados_button.Click(); });
}

void janela_opcoes_da_rede::inserir_dados_button_Click() {
    if (confirmacao_espera_a_caixa_recusada(caixa_recusada_)) return;
    bool confirmado = false;
    const bool sem_falha = com_codigo("Erro 113", [&] {
        dados_ok = true;
        const bool com_imposto = !t_de_ciclo_imposto_texto.Text.empty();
        const bool com_maximo = !t_de_ciclo_maximo_texto.Text.empty();
        if (com_imposto) conferir(regra_do_t_de_ciclo_imposto, t_de_ciclo_imposto_editado);
        if (com_maximo) conferir(regra_do_t_de_ciclo_maximo_imposto, t_de_ciclo_maximo_imposto_editado);
        if (com_imposto && com_maximo && t_de_ciclo_imposto_editado > t_de_ciclo_maximo_imposto_editado)
            aviso(mensagem_ciclo_imposto_acima_do_maximo);
        if (!grau_de_saturacao_meta_texto.Text.empty())
            conferir(regra_do_grau_de_saturacao_meta_imposto, grau_de_saturacao_meta_imposto_editado);
        if (!grau_de_saturacao_limite_texto.Text.empty())
            conferir(regra_do_grau_de_saturacao_limite_imposto, grau_de_saturacao_limite_imposto_editado);
        if (!peso_da_parada_texto.Text.empty()) conferir(regra_do_peso_da_parada_imposto, peso_da_parada_imposto_editado);
        if (!dados_ok) return;

        t_de_ciclo_imposto_dado = t_de_ciclo_imposto_editado;
        t_de_ciclo_maximo_imposto_dado = t_de_ciclo_maximo_imposto_editado;
        grau_de_saturacao_meta_imposto_dado = grau_de_saturacao_meta_imposto_editado;
        grau_de_saturacao_limite_imposto_dado = grau_de_saturacao_limite_imposto_editado;
        peso_da_parada_imposto_dado = peso_da_parada_imposto_editado;
        ++revisao_da_rede;
        projeto_alterado = true;
        confirmado = true;
    });
    if (confirmado || !sem_falha) Unload();
}

void janela_opcoes_da_rede::cancelar_button_Click() {
    limpar_editor_de_rede();
    Unload();
}

}  // namespace orvel
