#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plataforma/numeros.h"
#include "plataforma/tipos.h"

namespace orvel {
namespace {

struct separador_restaurado {
    char antes = separador_decimal();
    ~separador_restaurado() { definir_separador_decimal(antes); }
};

TEST(estreitamento, arredonda_metade_para_o_par_e_falha_fora_da_faixa) {
    EXPECT_EQ(para_byte(0.5), 0);
    EXPECT_EQ(para_byte(1.5), 2);
    EXPECT_EQ(para_byte(2.5), 2);
    EXPECT_EQ(para_byte(-0.5), 0);
    EXPECT_EQ(para_byte(255.4), 255);
    EXPECT_THROW(para_byte(255.5), falha);
    EXPECT_THROW(para_byte(-0.51), falha);
    EXPECT_THROW(para_byte(256), falha);
    EXPECT_THROW(para_byte(-1), falha);

    EXPECT_EQ(para_integer(32766.5), 32766);
    EXPECT_THROW(para_integer(32767.5), falha);
    EXPECT_EQ(para_integer(-32768.5), -32768);
    EXPECT_THROW(para_integer(-32769), falha);
    EXPECT_EQ(para_integer(-2.5f), -2);
    EXPECT_EQ(para_integer(3.5f), 4);
    EXPECT_THROW(para_integer(std::numeric_limits<double>::quiet_NaN()), falha);

    EXPECT_EQ(para_long(2147483647.0), 2147483647);
    EXPECT_THROW(para_long(2147483647.5), falha);
    EXPECT_EQ(para_long(-2147483648.5), -2147483647 - 1);
    EXPECT_THROW(para_long(1e12), falha);
}

TEST(estreitamento, a_falha_diz_estouro) {
    try {
        para_byte(300);
        FAIL();
    } catch (const falha& f) {
        EXPECT_EQ(f.tipo(), tipo_de_falha::estouro);
        EXPECT_EQ(f.descricao(), "Estouro");
    }
}

TEST(aritmetica, divisao_por_zero_e_estouro_sao_falhas) {
    EXPECT_FLOAT_EQ(dividir_single(1.0f, 3.0f), 1.0f / 3.0f);
    EXPECT_THROW(dividir_single(1.0f, 0.0f), falha);
    EXPECT_THROW(dividir_single(0.0f, 0.0f), falha);
    EXPECT_THROW(dividir_single(3e38f, 1e-10f), falha);
    EXPECT_THROW(dividir_double(1.0, 0.0), falha);
    EXPECT_THROW(verificar_single(1e39), falha);
    EXPECT_THROW(soma_long(2147483647, 1), falha);
    EXPECT_THROW(produto_long(65536, 65536), falha);
    EXPECT_EQ(resto(-7, 3), -1);
}

TEST(texto_de_numero, single_com_sete_algarismos_e_o_separador_regional) {
    separador_restaurado r;
    struct caso {
        float valor;
        const char* com_ponto;
        const char* com_virgula;
    };
    const caso casos[] = {
        {1800.5f, "1800.5", "1800,5"},
        {0.88f, "0.88", "0,88"},
        {1800.0f, "1800", "1800"},
        {1.0f / 3.0f, "0.3333333", "0,3333333"},
        {123456.7f, "123456.7", "123456,7"},
        {-0.5f, "-0.5", "-0,5"},
        {1e7f, "1E+07", "1E+07"},
        {9999999.0f, "9999999", "9999999"},
        {0.0001f, "0.0001", "0,0001"},
        {0.00001f, "1E-05", "1E-05"},
        {-0.0f, "0", "0"},
        {0.95f, "0.95", "0,95"},
        {2.5e-7f, "2.5E-07", "2,5E-07"},
    };
    for (const auto& c : casos) {
        definir_separador_decimal('.');
        EXPECT_EQ(texto_de_single(c.valor), c.com_ponto) << c.valor;
        definir_separador_decimal(',');
        EXPECT_EQ(texto_de_single(c.valor), c.com_virgula) << c.valor;
    }
}

TEST(texto_de_numero, double_inteiros_e_booleanos) {
    separador_restaurado r;
    definir_separador_decimal('.');
    EXPECT_EQ(texto_de_double(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(texto_de_double(0.88), "0.88");
    EXPECT_EQ(texto_de_double(1e15), "1E+15");
    EXPECT_EQ(texto_de_double(123456789012345.0), "123456789012345");
    EXPECT_EQ(texto_de_inteiro(0), "0");
    EXPECT_EQ(texto_de_inteiro(-32768), "-32768");
    EXPECT_EQ(texto_de_inteiro(1800), "1800");
    EXPECT_EQ(texto_de_booleano(true), "True");
    EXPECT_EQ(texto_de_booleano(false), "False");
}

TEST(leitura_de_numero, regra_do_numero_no_inicio_do_texto) {
    struct caso {
        const char* texto;
        double valor;
    };
    const caso casos[] = {
        {"12abc", 12},  {"1,5", 1},        {"", 0},         {"-", 0},       {" 1 2", 12},
        {"&H10", 16},   {"&h1f", 31},      {"&O17", 15},    {"&HFFFF", -1}, {"&H10000", 65536},
        {"1E3", 1000},  {"-2.5", -2.5},    {"+3", 3},       {"1.2.3", 1.2}, {".5", 0.5},
        {"\t\n7", 7},   {"- 5", -5},       {"2e", 2},       {"2e-1", 0.2},  {"1D2", 100},
        {"abc", 0},     {"1 800.5", 1800.5}, {"-0", 0},     {"3 E 2", 300}, {"&", 0},
    };
    for (const auto& c : casos) EXPECT_DOUBLE_EQ(ler_numero(c.texto), c.valor) << '"' << c.texto << '"';
    EXPECT_THROW(ler_numero("1E400"), falha);
    EXPECT_DOUBLE_EQ(ler_numero("1E-400"), 0);
}

TEST(leitura_de_numero, do_arquivo_aceita_virgula_ou_ponto) {
    EXPECT_DOUBLE_EQ(ler_numero_do_arquivo("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(ler_numero_do_arquivo("1800.5"), 1800.5);
    EXPECT_DOUBLE_EQ(ler_numero_do_arquivo("0,88"), 0.88);
    EXPECT_DOUBLE_EQ(ler_numero_do_arquivo("1,5,"), 1.5);
    EXPECT_DOUBLE_EQ(ler_numero_do_arquivo("2,5E-07"), 2.5e-7);
    EXPECT_DOUBLE_EQ(ler_numero_do_arquivo("-"), 0);
}

TEST(leitura_de_numero, texto_gravado_volta_ao_mesmo_single) {
    separador_restaurado r;
    // Valores com até 7 algarismos, como os digitados nos diálogos.
    const float valores[] = {1800.5f, 0.88f, 0.3333333f, 123456.7f, -0.5f, 1e7f, 3.4e38f, 1.5e-30f, 0.1f};
    for (char sep : {'.', ','}) {
        definir_separador_decimal(sep);
        for (float v : valores)
            EXPECT_EQ(static_cast<float>(ler_numero_do_arquivo(texto_de_single(v))), v) << texto_de_single(v);
    }
}

}  // namespace
}  // namespace orvel
