#pragma once
// Serviços do sistema que os procedimentos usam: caixa de mensagem, ponteiro do mouse,
// eventos pendentes, fim do programa, diálogos de arquivo, arquivos, pasta do programa,
// relógio e impressora. Tudo passa por aqui, para que os testes possam roteirizar as respostas do
// usuário e registrar o que foi mostrado.

#include <optional>
#include <string>

namespace orvel {

class formulario;

// Estilos da caixa de mensagem: botões + ícone.
inline constexpr int estilo_ok = 0;
inline constexpr int estilo_ok_cancelar = 1;
inline constexpr int estilo_sim_nao_cancelar = 3;
inline constexpr int estilo_sim_nao = 4;
inline constexpr int icone_pergunta = 32;
inline constexpr int icone_exclamacao = 48;

// Botão escolhido.
inline constexpr int resposta_ok = 1;
inline constexpr int resposta_cancelar = 2;
inline constexpr int resposta_sim = 6;
inline constexpr int resposta_nao = 7;

// Códigos do ponteiro do mouse.
inline constexpr int ponteiro_padrao = 0;
inline constexpr int ponteiro_cruz = 2;
inline constexpr int ponteiro_quatro_setas = 5;
inline constexpr int ponteiro_diagonal = 6;
inline constexpr int ponteiro_ampulheta = 11;
inline constexpr int ponteiro_seta_e_ampulheta = 13;

// Orientação do papel no diálogo de impressora; 0 deixa a que a impressora já tem.
inline constexpr int orientacao_retrato = 1;
inline constexpr int orientacao_paisagem = 2;

struct parametros_do_dialogo {
    std::string titulo;
    std::string filtro;         // "Descrição|*.ext|Outra|*.*"
    std::string pasta_inicial;
    std::string nome_proposto;  // só no diálogo de salvar
};

struct data_hora {
    int ano = 0, mes = 0, dia = 0, hora = 0, minuto = 0, segundo = 0;
};

class servicos_da_plataforma {
public:
    virtual ~servicos_da_plataforma() = default;

    // Mostra a mensagem (modal) e devolve o botão escolhido. Título vazio: o do programa.
    virtual int caixa_de_mensagem(const std::string& texto, int estilo, const std::string& titulo) = 0;
    // Mostra um aviso só com OK e volta sem esperar que o usuário o feche: quem chamou segue
    // (um processamento continua as suas sondagens) com a caixa aberta. Pedido de novo enquanto
    // o mesmo aviso está aberto, traz esse à frente em vez de abrir outro.
    virtual void aviso_sem_esperar(const std::string& texto, const std::string& titulo) = 0;

    // Ponteiro do mouse da tela inteira (vale sobre o de qualquer janela enquanto não é 0).
    virtual void definir_ponteiro_da_tela(int codigo) = 0;
    virtual int ponteiro_da_tela() const = 0;

    // Deixa rodar os eventos pendentes (pintura, cliques) de dentro de um cálculo longo.
    virtual void processar_eventos_pendentes() = 0;

    // Termina o programa de imediato, sem mais eventos de janela.
    virtual void encerrar_programa() = 0;

    // Diálogos comuns de arquivo; nullopt quando o usuário cancela.
    virtual std::optional<std::string> dialogo_abrir(const parametros_do_dialogo& p) = 0;
    virtual std::optional<std::string> dialogo_salvar(const parametros_do_dialogo& p) = 0;

    virtual bool arquivo_existe(const std::string& caminho) = 0;
    virtual void apagar_arquivo(const std::string& caminho) = 0;  // falha se não conseguir
    virtual std::string pasta_do_programa() = 0;

    virtual data_hora agora() = 0;
    // Relógio contínuo em segundos, com frações, contado a partir da primeira leitura: não
    // volta a 0 à meia-noite nem muda com o acerto da hora.
    virtual double segundos_do_relogio() = 0;

    // Diálogo de configuração da impressora (papel e orientação), modal. Título "" e
    // orientação 0: os da própria plataforma. O que o usuário escolher vale para as impressões
    // seguintes; cancelar não muda nada.
    virtual void configurar_impressora(const std::string& titulo, int orientacao) = 0;
    // Imprime a imagem da área da janela, como está na tela, na impressora corrente. Falha se
    // a impressão não puder ser feita.
    virtual void imprimir_janela(formulario& janela) = 0;
};

// Serviços sem janela: arquivos e relógio reais; mensagens na saída de erro, respondidas com
// o botão que não muda nada (OK, Cancelar ou Não); diálogos sempre cancelados.
class servicos_sem_janela : public servicos_da_plataforma {
public:
    int caixa_de_mensagem(const std::string& texto, int estilo, const std::string& titulo) override;
    void aviso_sem_esperar(const std::string& texto, const std::string& titulo) override;
    void definir_ponteiro_da_tela(int codigo) override { ponteiro_ = codigo; }
    int ponteiro_da_tela() const override { return ponteiro_; }
    void processar_eventos_pendentes() override {}
    void encerrar_programa() override;
    std::optional<std::string> dialogo_abrir(const parametros_do_dialogo&) override { return std::nullopt; }
    std::optional<std::string> dialogo_salvar(const parametros_do_dialogo&) override { return std::nullopt; }
    bool arquivo_existe(const std::string& caminho) override;
    void apagar_arquivo(const std::string& caminho) override;
    std::string pasta_do_programa() override;
    data_hora agora() override;
    double segundos_do_relogio() override;
    void configurar_impressora(const std::string&, int) override {}
    void imprimir_janela(formulario&) override {}

private:
    int ponteiro_ = ponteiro_padrao;
};

// O controle de diálogo comum de impressora de uma janela: as propriedades postas valem na
// próxima vez que o diálogo for mostrado.
struct dialogo_de_impressora {
    std::string DialogTitle;  // "" = o título da plataforma
    int Orientation = 0;      // 0 = a da impressora; 1 retrato; 2 paisagem
    int Flags = 0;            // 64 = a configuração da impressora, não o diálogo de imprimir
    bool PrinterDefault = false;

    void ShowPrinter();
};

// Os serviços em uso; no início, os sem janela.
servicos_da_plataforma& servicos();
void instalar_servicos(servicos_da_plataforma* s);  // nullptr volta aos sem janela

}  // namespace orvel
