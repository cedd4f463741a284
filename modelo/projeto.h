#pragma once
// O arquivo de projeto: abrir e salvar uma rede num caminho. Nenhum dos dois mostra caixa ou
// pergunta nada: o nome do arquivo, "Deseja Substituir?", o "Aviso" de um arquivo recusado e o
// relato de uma falha são dos comandos das janelas, que recebem o que aconteceu.

#include <string>

#include "modelo/contexto_da_rede.h"
#include "plataforma/falha.h"

namespace orvel {

inline constexpr char filtro_de_projetos[] = "XML's (*.xml)|*.xml|Todos os arquivos (*.*)|*.*";

// O que uma abertura ou um salvamento deu.
struct resultado_do_arquivo {
    enum class situacao {
        feito,
        recusado,  // o arquivo não foi aberto: texto é o do "Aviso"
        falhou,    // uma falha (a falha corrente, já registrada): codigo é o do relato
    };
    situacao como = situacao::feito;
    // recusado: o texto do "Aviso". feito: vazio, ou o "Aviso" de um salvamento que gravou o
    // arquivo mas cuja pasta não chegou ao disco (uma queda de energia pode desfazê-lo).
    std::string texto;
    // A chave e o elemento do valor recusado ("" quando o arquivo não se leu ou não é um projeto).
    std::string chave, elemento;
    std::string codigo;
    bool feito() const { return como == situacao::feito; }

    // O resultado da falha que está sendo tratada num catch, já registrada, com o código do relato.
    static resultado_do_arquivo da_falha_em_andamento(std::string codigo) {
        registrar_excecao_em_andamento();
        return {situacao::falhou, falha_corrente().descricao(), {}, {}, std::move(codigo)};
    }
};

// Grava a rede c, o desenho e os resultados no caminho ("Erro 146"): no lugar do que o arquivo
// já tem, ou substituindo-o por inteiro (o antigo só dá lugar ao novo quando este estiver
// completo). Só depois de gravado o caminho passa a ser o arquivo da rede, e projeto_alterado
// e salvar_como voltam a False; numa falha, nada da rede c muda. Depois que o arquivo foi
// trocado nada faz o salvamento falhar: uma pasta que não chegou ao disco é um aviso (texto).
enum class gravacao { no_lugar, substituindo };
resultado_do_arquivo salvar_projeto(contexto_da_rede& c, const std::string& caminho,
                                    gravacao modo = gravacao::no_lugar);

// Abre o projeto do caminho na rede c, no lugar da que ela tem ("Erro 148"). O arquivo é lido e
// conferido inteiro numa rede nova, que só então toma o lugar da rede c: um arquivo que não se
// pode ler, que não é um projeto ou que tem um valor que os diálogos não aceitam, e qualquer
// falha da leitura, deixam a rede c inteira como estava. Aberto, a rede é a do arquivo, com ele como nome de arquivo, sem
// alterações e fora do modo de desenho; caption_dos_forms é o nome do arquivo aberto, seja qual
// for o nome que ele guarda.
resultado_do_arquivo abrir_projeto(contexto_da_rede& c, const std::string& caminho);

}  // namespace orvel
