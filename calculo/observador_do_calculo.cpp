#include "calculo/observador_do_calculo.h"

#include "modelo/projeto.h"
#include "plataforma/falha.h"
#include "plataforma/servicos.h"

namespace orvel {

int observador_do_calculo::mensagem(const std::string& texto, int estilo, const std::string& titulo) {
    return servicos().caixa_de_mensagem(texto, estilo, titulo);
}

void observador_do_calculo::sondar() { servicos().processar_eventos_pendentes(); }

void observador_do_calculo::relatar_erro(const std::string& codigo) { orvel::relatar_erro(codigo); }

bool observador_do_calculo::salvar(contexto_da_rede& c) {
    if (c.projeto.nome_do_arquivo.empty() || c.projeto.salvar_como) return false;
    const resultado_do_arquivo r = salvar_projeto(c, c.projeto.nome_do_arquivo);
    if (r.como == resultado_do_arquivo::situacao::falhou) {
        const relatos_sempre_mostrados sempre;
        relatar_erro(r.codigo);
    }
    // Gravado, mas a pasta não chegou ao disco: o salvamento vale, com o aviso.
    if (r.feito() && !r.texto.empty()) mensagem(r.texto, estilo_ok | icone_exclamacao, "Aviso");
    return r.feito();
}

namespace {
// O observador do processo, uma escolha fora das redes: o de omissão e o que o programa (ou um
// teste) instalou.
observador_do_calculo observador_de_omissao_do_processo;
observador_do_calculo* observador_instalado_no_processo = nullptr;
}  // namespace

void instalar_observador_do_calculo(observador_do_calculo* o) { observador_instalado_no_processo = o; }

observador_do_calculo& observador_do_calculo_instalado() {
    return observador_instalado_no_processo ? *observador_instalado_no_processo : observador_de_omissao_do_processo;
}

}  // namespace orvel
