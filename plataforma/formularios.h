#pragma once
// Janelas (formulários) e controles como dados. Cada janela guarda os seus controles (posição e
// tamanho em twips, textos, cores, Visible, Enabled) e os seus tratadores de evento; o Qt só
// desenha esses dados e transforma o mouse e o teclado em chamadas de tratadores
// (plataforma/qt). Assim quase todo comportamento se testa chamando um tratador e lendo tabelas
// e propriedades, sem tela.
//
// Regras do ciclo de vida:
// - Uma janela é carregada na primeira referência (formulario_unico) e conta como carregada
//   antes de o seu passo de carga (Form_Load) rodar: uma referência durante a carga não a
//   carrega de novo.
// - Descarregar uma janela ou um controle dentro do seu próprio tratador só o destrói depois
//   que o tratador volta.
// - Ativação e desativação só acontecem entre as janelas do programa; a caixa de mensagem não
//   desativa janela nenhuma.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plataforma/falha.h"
#include "plataforma/tipos.h"

namespace orvel {

class formulario;

// Cor como o número RGB(r, g, b) = r + 256·g + 65536·b.
constexpr Long rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }
inline constexpr Long cor_preta = 0;
inline constexpr Long cor_branca = rgb(255, 255, 255);
inline constexpr Long cor_da_face_do_botao = rgb(240, 240, 240);
inline constexpr Long cor_da_sombra_do_botao = rgb(160, 160, 160);
inline constexpr Long cor_do_fundo_da_janela = rgb(255, 255, 255);

// Estado da janela (WindowState), posto pela tela quando o usuário minimiza ou maximiza.
inline constexpr Integer estado_normal = 0;
inline constexpr Integer estado_minimizado = 1;
inline constexpr Integer estado_maximizado = 2;

// Botões do mouse nos eventos.
inline constexpr Integer botao_esquerdo = 1;
inline constexpr Integer botao_direito = 2;
inline constexpr Integer botao_do_meio = 4;

using evento_de_mouse = std::function<void(Integer botao, Integer shift, Single x, Single y)>;
using evento_simples = std::function<void()>;
using evento_de_tecla = std::function<void(Integer& codigo)>;

enum class tipo_de_controle {
    rotulo,
    forma,
    linha,
    botao_de_comando,
    caixa_de_texto,
    caixa_de_selecao,
    botao_de_opcao,
    caixa_de_imagem,
    navegador,
    menu,
    temporizador
};

// Códigos de tecla de KeyDown/KeyUp (os de KeyPress são os códigos dos caracteres).
inline constexpr Integer tecla_enter = 13;
inline constexpr Integer tecla_tab = 9;
inline constexpr Integer tecla_esc = 27;

using evento_de_tecla_com_shift = std::function<void(Integer& codigo, Integer shift)>;

class controle {
public:
    controle(formulario& dono, std::string nome, int indice);
    virtual ~controle();
    controle(const controle&) = delete;
    controle& operator=(const controle&) = delete;

    virtual tipo_de_controle tipo() const = 0;

    formulario& dono() const { return *dono_; }
    const std::string& nome() const { return nome_; }
    int indice() const { return indice_; }  // -1 fora de matriz

    bool Visible = true;
    bool Enabled = true;

protected:
    // Copia as propriedades comuns do modelo de uma matriz.
    void copiar_comuns(const controle& modelo) {
        Visible = modelo.Visible;
        Enabled = modelo.Enabled;
    }

private:
    friend class formulario;
    formulario* dono_;
    std::string nome_;
    int indice_;
    bool no_formulario_ = false;  // ainda está na lista de controles da janela
};

// Controle com retângulo: rótulo, forma, botão, caixa de texto...
class controle_retangular : public controle {
public:
    using controle::controle;
    Single Left = 0, Top = 0, Width = 0, Height = 0;

    // Põe o controle no lugar e no tamanho dados, em twips.
    void posicionar(Single left, Single top, Single width, Single height) {
        Left = left;
        Top = top;
        Width = width;
        Height = height;
    }

    bool contem(Single x, Single y) const { return x >= Left && x < Left + Width && y >= Top && y < Top + Height; }

protected:
    void copiar_retangulo(const controle_retangular& m) {
        copiar_comuns(m);
        Left = m.Left;
        Top = m.Top;
        Width = m.Width;
        Height = m.Height;
    }
};

// Texto de um rótulo: ao mudar, um rótulo com AutoSize se ajusta ao texto.
class rotulo;
class texto_de_rotulo {
public:
    explicit texto_de_rotulo(rotulo& r) : r_(r) {}
    texto_de_rotulo& operator=(std::string t);
    texto_de_rotulo& operator=(const texto_de_rotulo& o) { return *this = o.valor_; }
    operator const std::string&() const { return valor_; }
    const std::string& texto() const { return valor_; }
    bool operator==(std::string_view t) const { return valor_ == t; }

private:
    rotulo& r_;
    std::string valor_;
};

class rotulo : public controle_retangular {
public:
    rotulo(formulario& dono, std::string nome, int indice = -1) : controle_retangular(dono, std::move(nome), indice) {}
    tipo_de_controle tipo() const override { return tipo_de_controle::rotulo; }

    texto_de_rotulo Caption{*this};
    Long BackColor = cor_da_face_do_botao;
    Long ForeColor = cor_preta;
    Integer BackStyle = 1;    // 0 transparente, 1 opaco
    Integer BorderStyle = 0;  // 0 sem borda, 1 borda simples
    Integer Alignment = 0;    // 0 esquerda, 1 direita, 2 centro
    bool AutoSize = false;
    std::string FontName = "MS Sans Serif";
    Single FontSize = 8.25f;
    bool FontBold = false;

    evento_de_mouse MouseDown, MouseMove, MouseUp;
    evento_simples Click, DblClick;

    void copiar_de(const rotulo& m);
    void ajustar_ao_texto();  // AutoSize
};

class forma : public controle_retangular {
public:
    forma(formulario& dono, std::string nome, int indice = -1) : controle_retangular(dono, std::move(nome), indice) {}
    tipo_de_controle tipo() const override { return tipo_de_controle::forma; }

    Integer Shape = 0;        // 0 retângulo, 1 quadrado, 2 oval, 3 círculo, 4 retângulo arredondado, 5 quadrado arredondado
    Long BackColor = cor_branca;
    Integer BackStyle = 0;    // 0 transparente, 1 opaco
    Long FillColor = cor_preta;
    Integer FillStyle = 1;    // 0 cheio, 1 transparente
    Long BorderColor = cor_preta;
    Integer BorderWidth = 1;
    Integer BorderStyle = 1;

    void copiar_de(const forma& m);
};

class linha : public controle {
public:
    linha(formulario& dono, std::string nome, int indice = -1) : controle(dono, std::move(nome), indice) {}
    tipo_de_controle tipo() const override { return tipo_de_controle::linha; }

    Single X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    Long BorderColor = cor_preta;
    Integer BorderWidth = 1;
    Integer BorderStyle = 1;  // 1 contínua, 2 tracejada, 3 pontilhada

    // Põe as duas pontas da linha, em twips.
    void posicionar(Single x1, Single y1, Single x2, Single y2) {
        X1 = x1;
        Y1 = y1;
        X2 = x2;
        Y2 = y2;
    }

    void copiar_de(const linha& m);
};



// Controle que recebe o foco do teclado (caixas, botões): foco, tabulação e teclas.
class controle_com_foco : public controle_retangular {
public:
    using controle_retangular::controle_retangular;
    Integer TabIndex = 0;
    bool TabStop = true;
    evento_simples GotFocus, LostFocus;
    evento_de_tecla KeyPress;                 // código do caractere; 0 engole a tecla
    evento_de_tecla_com_shift KeyDown, KeyUp;  // código da tecla
    // False num controle que recebe o foco sem que o controle que o perde se valide (o botão
    // "Cancelar"): o LostFocus desse fica adiado até o foco chegar a um controle que valida, e
    // não roda se o foco voltar a ele ou se a janela se fechar antes.
    bool CausesValidation = true;
    // Dica que a tela mostra com o mouse parado sobre o controle ("" = nenhuma).
    std::string ToolTipText;

    // Dá o foco a este controle: o que o tinha perde (LostFocus) antes de este o ganhar.
    void SetFocus();
    bool tem_o_foco() const;

    // A tela entrega a descida e a subida de uma tecla por aqui. O KeyUp só roda para uma tecla
    // cuja descida este controle recebeu (a subida do Enter que fechou uma caixa de mensagem não
    // é dele); perder o foco esquece as teclas descidas.
    void receber_descida(Integer& codigo, Integer shift);
    void receber_subida(Integer& codigo, Integer shift);
    void esquecer_teclas_descidas() { teclas_descidas_.clear(); }

protected:
    void copiar_foco(const controle_com_foco& m) {
        copiar_retangulo(m);
        TabIndex = m.TabIndex;
        TabStop = m.TabStop;
        GotFocus = m.GotFocus;
        LostFocus = m.LostFocus;
        KeyPress = m.KeyPress;
        KeyDown = m.KeyDown;
        KeyUp = m.KeyUp;
        CausesValidation = m.CausesValidation;
        ToolTipText = m.ToolTipText;
    }

private:
    std::vector<Integer> teclas_descidas_;
};

class botao_de_comando : public controle_com_foco {
public:
    botao_de_comando(formulario& dono, std::string nome, int indice = -1) : controle_com_foco(dono, std::move(nome), indice) {}
    tipo_de_controle tipo() const override { return tipo_de_controle::botao_de_comando; }

    std::string Caption;
    bool Cancel = false;    // Esc na janela aperta este botão (formulario::apertar_o_cancelar)
    Integer Style = 0;      // 0 comum, 1 gráfico (figura sobre o texto)
    std::string Picture;    // nome da figura em recursos/
    Long BackColor = cor_da_face_do_botao;
    std::string FontName = "MS Sans Serif";
    Single FontSize = 8.25f;

    evento_simples Click;

    void copiar_de(const botao_de_comando& m);
};

// Texto de uma caixa: ao mudar, a caixa dispara Change (também quando o programa o muda).
class caixa_de_texto;
class texto_de_caixa {
public:
    explicit texto_de_caixa(caixa_de_texto& c) : c_(c) {}
    texto_de_caixa& operator=(std::string t);
    texto_de_caixa& operator=(const texto_de_caixa& o) { return *this = o.valor_; }
    operator const std::string&() const { return valor_; }
    const std::string& texto() const { return valor_; }
    bool operator==(std::string_view t) const { return valor_ == t; }
    bool empty() const { return valor_.empty(); }

private:
    caixa_de_texto& c_;
    std::string valor_;
};

class caixa_de_texto : public controle_com_foco {
public:
    caixa_de_texto(formulario& dono, std::string nome, int indice = -1) : controle_com_foco(dono, std::move(nome), indice) {}
    tipo_de_controle tipo() const override { return tipo_de_controle::caixa_de_texto; }

    texto_de_caixa Text{*this};
    Integer MaxLength = 0;  // 0 = sem limite; limita só o que o usuário digita, nunca um texto posto pelo programa
    bool Locked = false;
    Integer Alignment = 0;
    Integer Appearance = 1;   // 0 plana, 1 tridimensional
    Integer BorderStyle = 1;  // 0 sem borda, 1 borda simples fixa
    Long BackColor = cor_branca;
    Long ForeColor = cor_preta;
    std::string FontName = "MS Sans Serif";
    Single FontSize = 8.25f;
    evento_simples Change;

    void copiar_de(const caixa_de_texto& m);
};

class caixa_de_selecao : public controle_com_foco {
public:
    caixa_de_selecao(formulario& dono, std::string nome, int indice = -1) : controle_com_foco(dono, std::move(nome), indice) {}
    tipo_de_controle tipo() const override { return tipo_de_controle::caixa_de_selecao; }

    std::string Caption;
    Integer Value = 0;  // 0 desmarcada, 1 marcada, 2 cinza
    Long BackColor = cor_da_face_do_botao;
    evento_simples Click;

    // Mudar Value por programa também dispara Click, como um clique.
    void definir_valor(Integer v);
    void copiar_de(const caixa_de_selecao& m);
};

class botao_de_opcao : public controle_com_foco {
public:
    botao_de_opcao(formulario& dono, std::string nome, int indice = -1) : controle_com_foco(dono, std::move(nome), indice) {}
    tipo_de_controle tipo() const override { return tipo_de_controle::botao_de_opcao; }

    std::string Caption;
    bool Value = false;
    Long BackColor = cor_da_face_do_botao;
    std::function<void(int indice)> Click;  // numa matriz, o índice do elemento; fora, -1

    // Marca este botão (desmarcando os outros da janela) e, se não estava marcado, dispara Click.
    void marcar();
    void copiar_de(const botao_de_opcao& m);
};

class caixa_de_imagem : public controle_retangular {
public:
    caixa_de_imagem(formulario& dono, std::string nome, int indice = -1) : controle_retangular(dono, std::move(nome), indice) {}
    tipo_de_controle tipo() const override { return tipo_de_controle::caixa_de_imagem; }

    std::string Picture;  // nome da figura em recursos/ ("" = nenhuma)
    Long BackColor = cor_da_face_do_botao;
    Integer BorderStyle = 0;

    void copiar_de(const caixa_de_imagem& m) {
        copiar_retangulo(m);
        Picture = m.Picture;
        BackColor = m.BackColor;
        BorderStyle = m.BorderStyle;
    }
};

// Navegador embutido: mostra um arquivo local (um projeto XML através da sua folha de estilo,
// ou uma página HTML).
class navegador : public controle_retangular {
public:
    navegador(formulario& dono, std::string nome, int indice = -1) : controle_retangular(dono, std::move(nome), indice) {}
    tipo_de_controle tipo() const override { return tipo_de_controle::navegador; }

    const std::string& endereco() const { return endereco_; }
    void Navigate(const std::string& endereco);

    // True no navegador do relatório: o endereço é um arquivo de projeto, que só é mostrado
    // transformado em HTML, nunca lido como página (qualquer que seja a sua extensão).
    bool mostra_projeto = false;

private:
    std::string endereco_;
};

class temporizador : public controle {
public:
    temporizador(formulario& dono, std::string nome, int indice = -1) : controle(dono, std::move(nome), indice) {}
    tipo_de_controle tipo() const override { return tipo_de_controle::temporizador; }

    Long Interval = 0;  // milissegundos; 0 = parado
    evento_simples Timer;
};

// Item de menu. Os menus de primeiro nível sem filhos são comandos na própria barra.
class item_de_menu : public controle {
public:
    item_de_menu(formulario& dono, std::string nome, std::string caption, item_de_menu* pai = nullptr);
    tipo_de_controle tipo() const override { return tipo_de_controle::menu; }

    std::string Caption;  // "&" marca a tecla de acesso; "-" é um separador
    bool Checked = false;
    evento_simples Click;

    item_de_menu* pai() const { return pai_; }
    const std::vector<item_de_menu*>& filhos() const { return filhos_; }
    bool eh_separador() const { return Caption == "-"; }

private:
    item_de_menu* pai_;
    std::vector<item_de_menu*> filhos_;
};

// Matriz de controles: o elemento 0 é o modelo do projeto da janela; um elemento novo copia o
// modelo e começa invisível. Acessar, carregar ou descarregar fora das regras é falha.
template <class C>
class matriz_de_controles {
public:
    matriz_de_controles(formulario& dono, std::string nome);
    ~matriz_de_controles();
    matriz_de_controles(const matriz_de_controles&) = delete;
    matriz_de_controles& operator=(const matriz_de_controles&) = delete;

    C& operator()(long long i);
    const C& operator()(long long i) const { return const_cast<matriz_de_controles*>(this)->operator()(i); }
    bool carregado(long long i) const { return i == 0 || elementos_.count(static_cast<int>(i)) != 0; }

    void carregar(long long i);     // Load
    void descarregar(long long i);  // Unload
    const std::string& nome() const { return nome_; }

    // Índices carregados além do 0, em ordem crescente.
    std::vector<int> indices() const;

    // Chamado com cada elemento recém-carregado, depois da cópia do modelo: é onde a janela
    // liga os eventos do elemento ao seu índice (os tratadores de uma matriz recebem Index).
    std::function<void(C&)> ao_carregar;

private:
    formulario& dono_;
    std::string nome_;
    std::unique_ptr<C> modelo_;
    std::map<int, std::unique_ptr<C>> elementos_;
};

// O que o Qt (ou um teste) faz quando os dados pedem algo que só a tela faz.
class observador_de_formularios {
public:
    virtual ~observador_de_formularios() = default;
    virtual void ao_mostrar(formulario&) {}
    // Show numa janela já visível: a tela a traz para a frente e lhe dá o foco.
    virtual void ao_trazer_para_a_frente(formulario&) {}
    virtual void ao_esconder(formulario&) {}
    virtual void ao_descarregar(formulario&) {}
    virtual void ao_mudar() {}  // algum dado mudou: repintar quando der
    // Mostra um menu suspenso na posição do mouse e só volta quando ele fecha (com o clique
    // do item já tratado).
    virtual void mostrar_menu_suspenso(formulario&, item_de_menu&) {}
    // Janela modal: só volta quando a janela for escondida ou descarregada.
    virtual void executar_modal(formulario&) {}
    // O foco mudou nos dados (SetFocus): a tela põe o foco no mesmo controle (numa caixa, com o
    // texto todo selecionado, como o Tab o daria).
    virtual void ao_mudar_o_foco(controle_com_foco&) {}
    // Um navegador recebeu um endereço.
    virtual void ao_navegar(navegador&) {}
    // Largura e altura, em twips, de um texto numa fonte.
    virtual std::pair<Single, Single> medir_texto(const std::string& texto, const std::string& fonte, Single tamanho, bool negrito);
    // Largura e altura, em twips, do interior que a janela tem na tela (ou terá ao aparecer):
    // dentro da moldura e abaixo da barra de menus. Sem tela, Width e Height.
    virtual std::pair<Single, Single> area_interna(const formulario& f);
};

void instalar_observador_de_formularios(observador_de_formularios* o);  // nullptr: nenhum
observador_de_formularios& observador();

// A tela (objeto Screen): tamanho e twips por pixel, postos pelo Qt ao iniciar ou pelo teste.
struct dados_da_tela {
    Single Width = 12000;   // twips
    Single Height = 12000;
    Single TwipsPerPixelX = 15;
    Single TwipsPerPixelY = 15;
};
dados_da_tela& tela();

class formulario {
public:
    explicit formulario(std::string nome);
    virtual ~formulario();
    formulario(const formulario&) = delete;
    formulario& operator=(const formulario&) = delete;

    const std::string& nome() const { return nome_; }

    std::string Caption;
    Single Left = 0, Top = 0, Width = 4800, Height = 3600;
    Long BackColor = cor_da_face_do_botao;
    bool Visible = false;
    bool Enabled = true;
    Integer MousePointer = 0;
    Integer WindowState = estado_normal;
    bool borda_fixa = false;  // janela de diálogo, sem redimensionar
    // Width e Height medem o interior (a área que a janela foi projetada para ter), com a
    // moldura em volta; sem isso, medem a moldura, barra de título e bordas incluídas.
    bool medida_pelo_interior = false;
    bool sem_moldura = false;          // sem barra de título nem bordas
    bool janela_principal = false;     // a janela principal do programa
    bool dialogo_do_programa = false;  // fica acima da janela principal enquanto aberto

    // Eventos da própria janela.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_QueryUnload(Integer& /*cancelar*/, Integer /*modo*/) {}
    virtual void Form_Unload(Integer& /*cancelar*/) {}
    virtual void Form_MouseDown(Integer, Integer, Single, Single) {}
    virtual void Form_MouseMove(Integer, Integer, Single, Single) {}
    virtual void Form_MouseUp(Integer, Integer, Single, Single) {}
    virtual void Form_KeyPress(Integer& /*codigo*/) {}
    virtual void Form_KeyDown(Integer& /*codigo*/, Integer /*shift*/) {}
    virtual void Form_KeyUp(Integer& /*codigo*/, Integer /*shift*/) {}
    virtual void Form_Resize() {}
    virtual void Form_Click() {}

    // Mostrar uma janela escondida roda a sua ativação e, se os dados não deram o foco a
    // controle nenhum, dá o foco à primeira caixa de texto habilitada e à vista na ordem de
    // tabulação (na janela principal, a nenhum). Numa janela já à vista, a ativação roda e o
    // foco volta ao controle que o tem, se à vista e habilitado (SetFocus, sem LostFocus nem
    // GotFocus).
    void Show(int modal = 0);
    void Hide();
    // Mostrada com Show(1) e ainda à vista: a tela a mostra já modal.
    bool modal() const { return modal_; }
    // Unload: roda QueryUnload e Unload; se nenhum cancelar, esconde a janela e a destrói
    // (depois do tratador em curso). Devolve false quando foi cancelado.
    bool Unload(Integer modo = 1);
    void PopupMenu(item_de_menu& menu);

    bool carregado() const { return carregado_; }

    // O controle com o foco do teclado (nullptr: nenhum). Mudar o foco dispara LostFocus no
    // que o perde e depois GotFocus no que o ganha.
    controle_com_foco* ActiveControl() const { return foco_; }
    void mover_foco(controle_com_foco* novo);

    // Entrega uma tecla (KeyPress) ao controle com o foco ou, sem ele, à janela. Devolve o
    // código depois dos tratadores (0 = engolida).
    Integer entregar_tecla(Integer codigo);
    // Esc: aperta o botão da janela marcado com Cancel, se ele estiver habilitado, à vista ou
    // não (sair da janela não depende do que ela mostra). Devolve false quando não há um; a
    // tecla então segue o caminho de qualquer outra.
    bool apertar_o_cancelar();
    bool eh_a_ativa() const;

    // Controles em ordem de profundidade: o primeiro fica por cima.
    const std::vector<controle*>& controles() const { return controles_; }
    std::vector<item_de_menu*> menus_do_topo() const;

    // Usado pelo gestor de janelas e pelas matrizes.
    void registrar(controle* c, bool no_topo);
    void retirar(controle* c);
    void marcar_carregado() { carregado_ = true; }
    void definir_liberador(std::function<void()> f) { liberar_ = std::move(f); }

private:
    void dar_o_foco_ao_aparecer();

    std::string nome_;
    bool carregado_ = false;
    bool modal_ = false;
    std::vector<controle*> controles_;
    std::function<void()> liberar_;
    controle_com_foco* foco_ = nullptr;
    controle_com_foco* saida_adiada_ = nullptr;  // LostFocus à espera (CausesValidation)
};

// --- Gestor das janelas e dos eventos ---

// Roda um tratador de evento vindo da tela: nenhuma exceção passa daqui; o que foi descarregado
// durante o tratador é destruído quando o último tratador em curso volta.
void despachar_evento(formulario* janela, const std::function<void()>& tratador);
int profundidade_de_eventos();
void adiar_destruicao(std::function<void()> destruir);

// A janela ativa do programa (nullptr: nenhuma).
formulario* janela_ativa();
// Torna a janela ativa: desativa a anterior e ativa esta, na hora.
void ativar_janela(formulario& f);

// Todas as janelas carregadas, na ordem em que foram carregadas.
const std::vector<formulario*>& janelas_carregadas();

// Instância única de uma janela, carregada na primeira referência.
template <class F>
F& formulario_unico();

// Descarrega todas as janelas sem rodar os seus eventos (fim do programa e testes).
void destruir_todas_as_janelas();

// --- Implementação dos modelos ---

namespace detalhe_formularios {
void registrar_janela(formulario* f, std::function<void()> destruir);
}  // namespace detalhe_formularios

template <class F>
F& formulario_unico() {
    static std::unique_ptr<F> instancia;
    if (!instancia) {
        instancia = std::make_unique<F>();
        F* p = instancia.get();
        p->definir_liberador([p] {
            if (instancia.get() != p) return;
            auto* solto = instancia.release();
            adiar_destruicao([solto] { delete solto; });
        });
        detalhe_formularios::registrar_janela(p, [p] {
            if (instancia.get() == p) instancia.reset();
        });
        p->marcar_carregado();
        p->Form_Load();
    }
    return *instancia;
}

template <class C>
matriz_de_controles<C>::matriz_de_controles(formulario& dono, std::string nome)
    : dono_(dono), nome_(std::move(nome)), modelo_(std::make_unique<C>(dono, nome_, 0)) {
    modelo_->Visible = false;
}

template <class C>
matriz_de_controles<C>::~matriz_de_controles() = default;

template <class C>
C& matriz_de_controles<C>::operator()(long long i) {
    if (i == 0) return *modelo_;
    auto it = elementos_.find(static_cast<int>(i));
    if (i < 0 || i > 32767 || it == elementos_.end())
        falhar(tipo_de_falha::objeto_nao_carregado,
               "Elemento de matriz de controles '" + std::to_string(i) + "' não existe");
    return *it->second;
}

template <class C>
void matriz_de_controles<C>::carregar(long long i) {
    if (i < 0 || i > 32767) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
    if (carregado(i)) falhar(tipo_de_falha::generica, "Objeto já carregado");
    auto novo = std::make_unique<C>(dono_, nome_, static_cast<int>(i));
    novo->copiar_de(*modelo_);
    novo->Visible = false;
    if (ao_carregar) ao_carregar(*novo);
    dono_.registrar(novo.get(), true);
    elementos_[static_cast<int>(i)] = std::move(novo);
    observador().ao_mudar();
}

template <class C>
void matriz_de_controles<C>::descarregar(long long i) {
    if (i == 0) falhar(tipo_de_falha::generica, "Não é possível descarregar controles criados durante o projeto");
    auto it = elementos_.find(static_cast<int>(i));
    if (it == elementos_.end())
        falhar(tipo_de_falha::objeto_nao_carregado,
               "Elemento de matriz de controles '" + std::to_string(i) + "' não existe");
    std::unique_ptr<C> solto = std::move(it->second);
    elementos_.erase(it);
    dono_.retirar(solto.get());
    solto->Visible = false;
    C* p = solto.release();
    adiar_destruicao([p] { delete p; });
    observador().ao_mudar();
}

template <class C>
std::vector<int> matriz_de_controles<C>::indices() const {
    std::vector<int> v;
    for (const auto& [i, e] : elementos_) v.push_back(i);
    return v;
}

}  // namespace orvel
