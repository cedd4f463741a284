#pragma once
// As chaves do arquivo de projeto numa só tabela: para cada chave, a parte do arquivo (e com ela
// o elemento de nível 1 e as posições que a repetem), o campo da rede que ela guarda, a forma do
// seu texto, a faixa dos valores que os diálogos aceitam e quando o texto é "-" no lugar do
// valor. A gravação e a abertura percorrem a mesma tabela, na mesma ordem: a ordem em que um
// arquivo novo recebe as chaves.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "modelo/contexto_da_rede.h"
#include "modelo/limites_dos_valores.h"

namespace orvel {

// A parte do arquivo: o elemento de nível 1 e, nas partes de uma posição, as posições que a
// repetem (cada link ou nó em uso, em ordem crescente).
enum class parte_do_arquivo : unsigned char {
    rede,                // elemento "rede": opções e contagens
    links,               // elemento "links": a relação das posições em uso
    link,                // "link" + l: os dados de cada link
    nos,                 // elemento "nos"
    no,                  // "no" + n: os dados de cada nó
    desenho_do_link,     // "link" + l
    desenho_do_no,       // "no" + n
    resultados_da_rede,  // "rede"
    resultados_do_no,    // "no" + n
    resultados_do_link,  // "link" + l; ao gravar, só até max_indice_link
    fim,                 // "rede": a última chave gravada
};

// Uma chave que se repete por índice: '#' no nome é o índice (por extenso nos recebedores).
// Chaves seguidas com o mesmo índice andam juntas: para cada k, uma depois da outra.
enum class indice_da_chave : unsigned char {
    nenhum,
    recebedor,  // 1..max_recebedores: "primeiro", "segundo"...
    grupo,      // 1..max_grupos
    intervalo,  // 1..max_intervalos_entrados
    periodo,    // 1..4, os períodos de verde de um link
};

// A forma do texto de uma chave.
enum class forma_do_texto : unsigned char {
    texto,             // como é
    texto_ou_traco,    // "-" no lugar de ""
    nome_de_link,      // como é; um caracter que o arquivo não guarda é recusado
    numero,            // Byte, Integer ou Single, conforme o campo
    numero_ou_traco,   // "-" no lugar de um número que não é maior que 0
    booleano,          // "True" / "False"
    sim_nao,           // "sim" / "não"
    relacao,           // as posições em uso: "1,3,7,"
    lista_de_nomes,    // os nomes dos links de um grupo, um por posição
    lista_de_colunas,  // as colunas marcadas de uma tabela de flags
    lista_por_intervalo,  // um número por intervalo
    numero_em_texto,   // um texto de resultado, refeito pela regra dos números ao ler
    texto_com_numero,  // o texto como é; ao ler, o número dele também vai ao campo numérico
    percentagem,       // o texto como é; ao ler, o número dele dividido por 100 vai ao campo numérico
    periodo_de_verde,  // o texto, ou "-" quando não há período; "-" se lê "0"
    estourou,          // "sim" / "não" de um texto "True" / "False" e do seu flag
    empatados,         // os links com o maior grau de saturação, montados ao gravar
    nome_do_arquivo,   // ao gravar, o nome do arquivo do caminho; ao ler, o texto (que a abertura não usa)
};

// Quando a gravação escreve "-" no lugar do valor (ou não escreve a chave).
enum class condicao_da_chave : unsigned char {
    sempre,
    so_escravo,        // "-" num nó que não é escravo
    so_demandado,      // "-" num nó que não é demandado
    recebedor,         // "-" nas duas chaves de um recebedor sem nome; ao ler, "-" é nenhum
    grupo_do_no,       // os grupos 3 em diante só quando o nó os tem (ao ler também)
    grupo_do_no_ao_gravar,  // o mesmo, só ao gravar: ao ler, os oito
    resultado,         // o valor de uma rede não processada quando os resultados não valem
    intervalo_ou_traco,  // resultado; "-" além dos intervalos do nó
    intervalo,           // resultado; além dos intervalos do nó a chave não é gravada
};

// O campo que uma chave guarda: um valor, ou o começo de uma linha de tabela (nas listas, o
// elemento de índice 0; o item k é o elemento k).
using campo_da_chave = std::variant<std::string*, Byte*, Integer*, Single*, bool*>;

struct chave_do_projeto {
    parte_do_arquivo parte;
    const char* nome;
    forma_do_texto forma;
    campo_da_chave (*campo)(contexto_da_rede& c, int posicao, int k);
    const faixa_de_valor* faixa = nullptr;  // a de cada item, numa lista
    condicao_da_chave condicao = condicao_da_chave::sempre;
    indice_da_chave indice = indice_da_chave::nenhum;
    // O segundo campo de texto_com_numero, percentagem e estourou, e o texto de uma lista.
    campo_da_chave (*outro_campo)(contexto_da_rede& c, int posicao, int k) = nullptr;
};

std::span<const chave_do_projeto> chaves_do_projeto();

// Onde uma chave está no arquivo, numa volta da tabela.
struct lugar_da_chave {
    const chave_do_projeto& chave;
    const std::string& elemento;
    const std::string& nome;
    int posicao;  // o link ou o nó (0 nas partes sem posição)
    int k;        // o índice (0 sem índice)
};

enum class sentido_do_arquivo { leitura, gravacao };

// Percorre as chaves na ordem do arquivo, sobre a rede c: as posições de cada parte são as que
// a rede tem em uso quando a volta chega a ela (na leitura, as que a relação acabou de ler).
// As chaves que o sentido não lê ou não grava (grupos além dos do nó, intervalos além dos do
// nó, links além de max_indice_link na gravação) ficam de fora.
void percorrer_as_chaves(const contexto_da_rede& c, sentido_do_arquivo sentido,
                         const std::function<void(const lugar_da_chave&)>& visitar);

// A chave que guarda um campo da rede c (numa lista, o começo da sua linha) numa posição de
// link, de nó ou da rede (posição 0): o elemento e o nome. nullopt quando nenhuma o guarda.
enum class dono_da_posicao { rede, link, no };
struct chave_achada {
    std::string elemento, nome;
};
std::optional<chave_achada> chave_do_campo(contexto_da_rede& c, const void* campo, dono_da_posicao dono, int posicao);

// As chaves de entrada com faixa, com os índices por extenso: a abertura recusa um arquivo com
// um valor fora dela (numa lista, a faixa vale para cada item).
struct chave_com_faixa {
    std::string chave;
    const faixa_de_valor* faixa;
    bool lista;
};
std::vector<chave_com_faixa> chaves_com_faixa();

}  // namespace orvel
