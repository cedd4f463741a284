#include "dialogos/numeros_das_caixas.h"

#include <algorithm>

#include "plataforma/falha.h"
#include "plataforma/numeros.h"
#include "plataforma/servicos.h"

namespace orvel {

namespace {

template <class T, class Converter>
bool guardar(caixa_de_texto& caixa, T& destino, const caixa_numerica& c, caixa_de_texto*& recusada, Converter converter) {
    try {
        destino = converter(ler_numero_do_arquivo(caixa.Text.texto()));
    } catch (const falha&) {
        recusada = &caixa;
        servicos().caixa_de_mensagem(aviso_de_numero_que_nao_cabe(c), estilo_ok, "Aviso");
        // Saindo da caixa, o foco volta a ela; com Enter, ela já o tem.
        if (caixa.dono().carregado() && !caixa.tem_o_foco()) caixa.SetFocus();
        return false;
    }
    if (recusada == &caixa) recusada = nullptr;
    return true;
}

}  // namespace

bool guardar_numero(caixa_de_texto& caixa, Byte& destino, const caixa_numerica& c, caixa_de_texto*& recusada) {
    return guardar(caixa, destino, c, recusada, [](double v) { return para_byte(v); });
}

bool guardar_numero(caixa_de_texto& caixa, Integer& destino, const caixa_numerica& c, caixa_de_texto*& recusada) {
    return guardar(caixa, destino, c, recusada, [](double v) { return para_integer(v); });
}

bool guardar_numero(caixa_de_texto& caixa, Single& destino, const caixa_numerica& c, caixa_de_texto*& recusada) {
    return guardar(caixa, destino, c, recusada, [](double v) { return verificar_single(v); });
}

bool confirmacao_espera_a_caixa_recusada(caixa_de_texto*& recusada) {
    if (!recusada) return false;
    if (!recusada->Visible || recusada->Text.empty()) {
        recusada = nullptr;
        return false;
    }
    if (!recusada->tem_o_foco()) recusada->SetFocus();
    return true;
}

std::string aviso_de_numero_que_nao_cabe(const caixa_numerica& c) {
    return "o número digitado na caixa \"" + c.nome + "\" deve estar compreendido " + texto_da_faixa(c.faixa);
}

std::string aviso_de_nome(std::string_view nome, uso_do_nome uso, const std::string& onde) {
    const auto c = caracter_que_o_arquivo_nao_guarda(nome, uso);
    return c ? "o caracter " + *c + " não pode ser usado " + onde : std::string();
}

std::string caixa_de_inteiro(long long valor) { return valor == 0 ? std::string() : texto_de_inteiro(valor); }

std::string caixa_de_single(Single valor) {
    if (valor == 0) return {};
    std::string s = texto_de_single(valor);
    std::replace(s.begin(), s.end(), separador_decimal(), '.');
    return s;
}

}  // namespace orvel
