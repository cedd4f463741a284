#include "plataforma/formularios.h"

#include <algorithm>
#include <utility>

namespace orvel {

// --- Controles ---

controle::controle(formulario& dono, std::string nome, int indice)
    : dono_(&dono), nome_(std::move(nome)), indice_(indice) {
    // Os elementos de matriz (índice > 0) se registram ao serem carregados.
    if (indice_ <= 0) dono_->registrar(this, false);
}

controle::~controle() {
    if (no_formulario_) dono_->retirar(this);
}

texto_de_rotulo& texto_de_rotulo::operator=(std::string t) {
    valor_ = std::move(t);
    if (r_.AutoSize) r_.ajustar_ao_texto();
    observador().ao_mudar();
    return *this;
}

void rotulo::copiar_de(const rotulo& m) {
    copiar_retangulo(m);
    BackColor = m.BackColor;
    ForeColor = m.ForeColor;
    BackStyle = m.BackStyle;
    BorderStyle = m.BorderStyle;
    Alignment = m.Alignment;
    AutoSize = m.AutoSize;
    FontName = m.FontName;
    FontSize = m.FontSize;
    FontBold = m.FontBold;
    Caption = m.Caption.texto();
    MouseDown = m.MouseDown;
    MouseMove = m.MouseMove;
    MouseUp = m.MouseUp;
    Click = m.Click;
    DblClick = m.DblClick;
}

void rotulo::ajustar_ao_texto() {
    const auto [w, h] = observador().medir_texto(Caption.texto(), FontName, FontSize, FontBold);
    Width = w;
    Height = h;
}

void forma::copiar_de(const forma& m) {
    copiar_retangulo(m);
    Shape = m.Shape;
    BackColor = m.BackColor;
    BackStyle = m.BackStyle;
    FillColor = m.FillColor;
    FillStyle = m.FillStyle;
    BorderColor = m.BorderColor;
    BorderWidth = m.BorderWidth;
    BorderStyle = m.BorderStyle;
}

void linha::copiar_de(const linha& m) {
    copiar_comuns(m);
    X1 = m.X1;
    Y1 = m.Y1;
    X2 = m.X2;
    Y2 = m.Y2;
    BorderColor = m.BorderColor;
    BorderWidth = m.BorderWidth;
    BorderStyle = m.BorderStyle;
}

void botao_de_comando::copiar_de(const botao_de_comando& m) {
    copiar_foco(m);
    Caption = m.Caption;
    Cancel = m.Cancel;
    Style = m.Style;
    Picture = m.Picture;
    BackColor = m.BackColor;
    FontName = m.FontName;
    FontSize = m.FontSize;
    Click = m.Click;
}

void controle_com_foco::SetFocus() {
    dono().mover_foco(this);
    observador().ao_mudar_o_foco(*this);
}

bool controle_com_foco::tem_o_foco() const { return dono().ActiveControl() == this; }

void controle_com_foco::receber_descida(Integer& codigo, Integer shift) {
    if (std::find(teclas_descidas_.begin(), teclas_descidas_.end(), codigo) == teclas_descidas_.end())
        teclas_descidas_.push_back(codigo);
    if (KeyDown) KeyDown(codigo, shift);
}

void controle_com_foco::receber_subida(Integer& codigo, Integer shift) {
    auto it = std::find(teclas_descidas_.begin(), teclas_descidas_.end(), codigo);
    if (it == teclas_descidas_.end()) return;
    teclas_descidas_.erase(it);
    if (KeyUp) KeyUp(codigo, shift);
}

texto_de_caixa& texto_de_caixa::operator=(std::string t) {
    if (t == valor_) return *this;
    valor_ = std::move(t);
    observador().ao_mudar();
    if (c_.Change) c_.Change();
    return *this;
}

void caixa_de_texto::copiar_de(const caixa_de_texto& m) {
    copiar_foco(m);
    MaxLength = m.MaxLength;
    Locked = m.Locked;
    Alignment = m.Alignment;
    Appearance = m.Appearance;
    BorderStyle = m.BorderStyle;
    BackColor = m.BackColor;
    ForeColor = m.ForeColor;
    FontName = m.FontName;
    FontSize = m.FontSize;
    Change = m.Change;
    Text = m.Text.texto();
}

void caixa_de_selecao::definir_valor(Integer v) {
    if (v == Value) return;
    Value = v;
    observador().ao_mudar();
    if (Click) Click();
}

void caixa_de_selecao::copiar_de(const caixa_de_selecao& m) {
    copiar_foco(m);
    Caption = m.Caption;
    Value = m.Value;
    BackColor = m.BackColor;
    Click = m.Click;
}

void botao_de_opcao::marcar() {
    const bool estava = Value;
    for (controle* c : dono().controles())
        if (c != this && c->tipo() == tipo_de_controle::botao_de_opcao) static_cast<botao_de_opcao*>(c)->Value = false;
    Value = true;
    observador().ao_mudar();
    if (!estava && Click) Click(indice());
}

void botao_de_opcao::copiar_de(const botao_de_opcao& m) {
    copiar_foco(m);
    Caption = m.Caption;
    Value = false;
    BackColor = m.BackColor;
    Click = m.Click;
}

void navegador::Navigate(const std::string& endereco) {
    endereco_ = endereco;
    observador().ao_navegar(*this);
}

item_de_menu::item_de_menu(formulario& dono, std::string nome, std::string caption, item_de_menu* pai)
    : controle(dono, std::move(nome), -1), Caption(std::move(caption)), pai_(pai) {
    if (pai_) pai_->filhos_.push_back(this);
}

// --- Observador ---

std::pair<Single, Single> observador_de_formularios::medir_texto(const std::string& texto, const std::string&, Single tamanho,
                                                                   bool) {
    // Sem tela: uma estimativa de fonte proporcional (meia altura por caractere).
    std::size_t caracteres = 0;
    for (unsigned char c : texto)
        if ((c & 0xC0) != 0x80) ++caracteres;
    const Single altura = tamanho * 20.0f * 1.25f;
    return {static_cast<Single>(caracteres) * tamanho * 10.0f, altura};
}

std::pair<Single, Single> observador_de_formularios::area_interna(const formulario& f) { return {f.Width, f.Height}; }

namespace {
observador_de_formularios& observador_nulo() {
    static observador_de_formularios o;
    return o;
}
observador_de_formularios* observador_em_uso = nullptr;

struct estado_do_gestor {
    std::vector<formulario*> janelas;
    std::vector<std::function<void()>> destruidores;  // paralelo a janelas
    formulario* ativa = nullptr;
    int profundidade = 0;
    std::vector<std::function<void()>> adiados;
};

// Nunca destruído: janelas estáticas destruídas no fim do programa ainda o consultam.
estado_do_gestor& gestor() {
    static estado_do_gestor* g = new estado_do_gestor;
    return *g;
}

void destruir_adiados() {
    auto& g = gestor();
    while (!g.adiados.empty()) {
        auto lista = std::move(g.adiados);
        g.adiados.clear();
        for (auto& f : lista) f();
    }
}

void esquecer_janela(formulario* f) {
    auto& g = gestor();
    for (std::size_t i = 0; i < g.janelas.size(); ++i) {
        if (g.janelas[i] == f) {
            g.janelas.erase(g.janelas.begin() + static_cast<std::ptrdiff_t>(i));
            g.destruidores.erase(g.destruidores.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    if (g.ativa == f) g.ativa = nullptr;
}
}  // namespace

void instalar_observador_de_formularios(observador_de_formularios* o) { observador_em_uso = o; }

observador_de_formularios& observador() { return observador_em_uso ? *observador_em_uso : observador_nulo(); }

dados_da_tela& tela() {
    static dados_da_tela t;
    return t;
}

// --- Janelas ---

formulario::formulario(std::string nome) : nome_(std::move(nome)) {}

formulario::~formulario() {
    for (controle* c : controles_) c->no_formulario_ = false;
    esquecer_janela(this);
}

void formulario::registrar(controle* c, bool no_topo) {
    if (no_topo) controles_.insert(controles_.begin(), c);
    else controles_.push_back(c);
    c->no_formulario_ = true;
}

void formulario::retirar(controle* c) {
    if (c == foco_) foco_ = nullptr;
    if (c == saida_adiada_) saida_adiada_ = nullptr;
    auto it = std::find(controles_.begin(), controles_.end(), c);
    if (it != controles_.end()) controles_.erase(it);
    c->no_formulario_ = false;
}

std::vector<item_de_menu*> formulario::menus_do_topo() const {
    std::vector<item_de_menu*> v;
    for (controle* c : controles_)
        if (c->tipo() == tipo_de_controle::menu) {
            auto* m = static_cast<item_de_menu*>(c);
            if (m->pai() == nullptr) v.push_back(m);
        }
    return v;
}

void formulario::mover_foco(controle_com_foco* novo) {
    if (novo == foco_) return;
    controle_com_foco* antigo = foco_;
    foco_ = novo;
    if (antigo) antigo->esquecer_teclas_descidas();
    const bool valida = !novo || novo->CausesValidation;
    if (!valida && antigo && antigo->CausesValidation) {
        // A caixa deixada pelo "Cancelar" não guarda nem avisa agora: a janela pode estar se
        // fechando. Se o foco seguir para um controle que valida, ela sai então.
        saida_adiada_ = antigo;
    } else {
        if (valida) {
            controle_com_foco* adiada = std::exchange(saida_adiada_, nullptr);
            if (adiada && adiada != novo && adiada->LostFocus) adiada->LostFocus();
        }
        if (antigo && antigo->LostFocus) antigo->LostFocus();
    }
    if (foco_ == novo && novo && novo->GotFocus) novo->GotFocus();
}

bool formulario::apertar_o_cancelar() {
    for (controle* c : controles_) {
        if (c->tipo() != tipo_de_controle::botao_de_comando) continue;
        auto* b = static_cast<botao_de_comando*>(c);
        if (!b->Cancel || !b->Enabled) continue;
        if (b->Click) b->Click();
        return true;
    }
    return false;
}

Integer formulario::entregar_tecla(Integer codigo) {
    if (codigo == tecla_esc && apertar_o_cancelar()) return 0;
    if (foco_) {
        if (foco_->KeyPress) foco_->KeyPress(codigo);
        return codigo;
    }
    Form_KeyPress(codigo);
    return codigo;
}

bool formulario::eh_a_ativa() const { return gestor().ativa == this; }

void formulario::Show(int modal) {
    const bool estava_visivel = Visible;
    Visible = true;
    // A modalidade vale desde antes de a janela aparecer.
    if (!estava_visivel) modal_ = modal != 0;
    if (!estava_visivel) observador().ao_mostrar(*this);
    else observador().ao_trazer_para_a_frente(*this);
    ativar_janela(*this);
    if (!estava_visivel) dar_o_foco_ao_aparecer();
    // Trazida para a frente, a janela devolve o foco ao seu controle como o programa o dá: a
    // tela o põe lá depois do que a ativação escreveu nas caixas.
    else if (foco_ && foco_->Visible && foco_->Enabled) foco_->SetFocus();
    observador().ao_mudar();
    if (modal != 0) observador().executar_modal(*this);
}

void formulario::dar_o_foco_ao_aparecer() {
    // A janela principal começa sem controle com o foco: nenhum comando seu é apertado por
    // Espaço ou Enter antes de o usuário escolher um.
    if (janela_principal || foco_ != nullptr || !carregado_ || !Visible) return;
    caixa_de_texto* primeira = nullptr;
    for (controle* c : controles_) {
        if (c->tipo() != tipo_de_controle::caixa_de_texto) continue;
        auto* caixa = static_cast<caixa_de_texto*>(c);
        if (!caixa->Visible || !caixa->Enabled || !caixa->TabStop) continue;
        if (primeira == nullptr || caixa->TabIndex < primeira->TabIndex) primeira = caixa;
    }
    if (primeira) primeira->SetFocus();
}

void formulario::Hide() {
    if (!Visible) return;
    Visible = false;
    modal_ = false;
    observador().ao_esconder(*this);
    auto& g = gestor();
    if (g.ativa == this) {
        g.ativa = nullptr;
        Form_Deactivate();
        // A janela visível mais antiga (a principal) passa a ser a ativa.
        for (formulario* f : g.janelas)
            if (f != this && f->Visible && f->carregado()) {
                ativar_janela(*f);
                break;
            }
    }
    observador().ao_mudar();
}

bool formulario::Unload(Integer modo) {
    if (!carregado_) return true;
    Integer cancelar = 0;
    Form_QueryUnload(cancelar, modo);
    if (cancelar != 0) return false;
    Form_Unload(cancelar);
    if (cancelar != 0) return false;
    auto& g = gestor();
    const bool era_ativa = g.ativa == this;
    Visible = false;
    modal_ = false;
    carregado_ = false;
    if (era_ativa) g.ativa = nullptr;
    observador().ao_descarregar(*this);
    esquecer_janela(this);
    if (era_ativa)
        for (formulario* f : g.janelas)
            if (f->Visible) {
                ativar_janela(*f);
                break;
            }
    if (liberar_) {
        auto l = std::move(liberar_);
        l();  // a destruição fica para depois do tratador em curso
    }
    if (g.profundidade == 0) destruir_adiados();
    return true;
}

void formulario::PopupMenu(item_de_menu& menu) { observador().mostrar_menu_suspenso(*this, menu); }

// --- Gestor ---

void detalhe_formularios::registrar_janela(formulario* f, std::function<void()> destruir) {
    gestor().janelas.push_back(f);
    gestor().destruidores.push_back(std::move(destruir));
}

void despachar_evento(formulario* janela, const std::function<void()>& tratador) {
    auto& g = gestor();
    ++g.profundidade;
    try {
        tratador();
    } catch (...) {
        // Um tratador sem código de local deixou escapar uma falha: relata com o título da
        // janela, em vez de deixar o programa terminar.
        registrar_excecao_em_andamento();
        try {
            relatar_erro(janela && janela->carregado() ? janela->Caption : std::string("ORVEL"));
        } catch (...) {
        }
    }
    --g.profundidade;
    if (g.profundidade == 0) destruir_adiados();
    observador().ao_mudar();
}

int profundidade_de_eventos() { return gestor().profundidade; }

void adiar_destruicao(std::function<void()> destruir) {
    gestor().adiados.push_back(std::move(destruir));
    if (gestor().profundidade == 0) destruir_adiados();
}

formulario* janela_ativa() { return gestor().ativa; }

void ativar_janela(formulario& f) {
    auto& g = gestor();
    if (g.ativa == &f) return;
    formulario* anterior = g.ativa;
    g.ativa = &f;
    if (anterior) anterior->Form_Deactivate();
    if (g.ativa == &f) f.Form_Activate();
}

const std::vector<formulario*>& janelas_carregadas() { return gestor().janelas; }

void destruir_todas_as_janelas() {
    auto& g = gestor();
    destruir_adiados();
    while (!g.janelas.empty()) {
        auto destruir = g.destruidores.back();
        formulario* f = g.janelas.back();
        f->Visible = false;
        observador().ao_descarregar(*f);
        g.janelas.pop_back();
        g.destruidores.pop_back();
        destruir();
    }
    g.ativa = nullptr;
    destruir_adiados();
}

}  // namespace orvel
