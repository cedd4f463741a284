#include "plataforma/numeros.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace orvel {

namespace {
char separador_corrente = '.';

// Formata como "%.<precisao>G" e troca o ponto pelo separador regional.
template <class Real>
std::string formatar_g(Real v, int precisao) {
    if (!std::isfinite(v)) return v != v ? "NaN" : (v > 0 ? "Infinito" : "-Infinito");
    if (v == 0) return "0";  // inclui o zero negativo
    std::array<char, 64> buf{};
    auto [fim, erro] = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::general, precisao);
    if (erro != std::errc{}) return "0";
    std::string s(buf.data(), fim);
    std::string saida;
    saida.reserve(s.size() + 2);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '.') {
            saida += separador_corrente;
        } else if (c == 'e') {
            // Expoente com sinal e ao menos dois algarismos: "E+07", "E-05".
            saida += 'E';
            std::size_t j = i + 1;
            char sinal = '+';
            if (j < s.size() && (s[j] == '+' || s[j] == '-')) sinal = s[j++];
            std::string digitos = s.substr(j);
            while (digitos.size() > 2 && digitos[0] == '0') digitos.erase(0, 1);
            if (digitos.size() < 2) digitos.insert(0, 2 - digitos.size(), '0');
            saida += sinal;
            saida += digitos;
            break;
        } else {
            saida += c;
        }
    }
    return saida;
}

bool eh_branco(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

double ler(std::string_view t, bool aceita_virgula) {
    std::size_t i = 0;
    const std::size_t n = t.size();
    auto pular = [&] {
        while (i < n && eh_branco(t[i])) ++i;
    };
    pular();
    if (i + 1 < n && t[i] == '&') {
        const char base_c = static_cast<char>(t[i + 1] & ~0x20);
        int base = base_c == 'H' ? 16 : base_c == 'O' ? 8 : 0;
        if (base != 0) {
            i += 2;
            std::uint64_t valor = 0;
            bool algum = false;
            for (; i < n; ++i) {
                if (eh_branco(t[i])) continue;
                int d;
                const char c = t[i];
                if (c >= '0' && c <= '9') d = c - '0';
                else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
                else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
                else break;
                if (d >= base) break;
                algum = true;
                valor = valor * base + d;
                if (valor > 0xFFFFFFFFull) falhar(tipo_de_falha::estouro);
            }
            if (!algum) return 0;
            // Até 16 bits o valor é um Integer; até 32, um Long (com o sinal do complemento a dois).
            if (valor <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(valor)));
            return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(valor)));
        }
    }
    // Junta os caracteres do número (sem os brancos) e converte com from_chars.
    std::string num;
    if (i < n && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-') num += '-';
        ++i;
    }
    bool ponto = false;
    bool algarismo = false;
    for (; i < n; ++i) {
        const char c = t[i];
        if (eh_branco(c)) continue;
        if (c >= '0' && c <= '9') {
            num += c;
            algarismo = true;
        } else if ((c == '.' || (aceita_virgula && c == ',')) && !ponto) {
            num += '.';
            ponto = true;
        } else {
            break;
        }
    }
    if (!algarismo) return 0;
    // Expoente: "E" ou "D", sinal opcional, algarismos.
    if (i < n && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        while (j < n && eh_branco(t[j])) ++j;
        if (j < n && (t[j] == '+' || t[j] == '-')) {
            if (t[j] == '-') exp += '-';
            ++j;
        }
        bool tem = false;
        for (; j < n; ++j) {
            if (eh_branco(t[j])) continue;
            if (t[j] < '0' || t[j] > '9') break;
            exp += t[j];
            tem = true;
        }
        if (tem) num += exp;
    }
    double valor = 0;
    const char* ini = num.data();
    if (*ini == '-') ++ini;
    auto [p, erro] = std::from_chars(ini, num.data() + num.size(), valor);
    (void)p;
    if (erro == std::errc::result_out_of_range) {
        // Subnormais e expoentes grandes demais: zero abaixo, estouro acima.
        const auto pos_e = num.find('e');
        if (pos_e != std::string::npos && num.find('-', pos_e) != std::string::npos) return 0;
        falhar(tipo_de_falha::estouro);
    }
    if (erro != std::errc{}) return 0;
    if (!std::isfinite(valor)) falhar(tipo_de_falha::estouro);
    return num[0] == '-' ? -valor : valor;
}

}  // namespace

char separador_decimal() { return separador_corrente; }

void definir_separador_decimal(char separador) { separador_corrente = separador == ',' ? ',' : '.'; }

std::string texto_de_single(Single v) { return formatar_g(v, 7); }

std::string texto_de_double(double v) { return formatar_g(v, 15); }

std::string texto_de_inteiro(long long v) {
    std::array<char, 24> buf{};
    auto [fim, erro] = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    (void)erro;
    return std::string(buf.data(), fim);
}

std::string texto_de_booleano(bool v) { return v ? "True" : "False"; }

double ler_numero(std::string_view texto) { return ler(texto, false); }

double ler_numero_do_arquivo(std::string_view texto) { return ler(texto, true); }

}  // namespace orvel
