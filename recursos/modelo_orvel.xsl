<?xml version="1.0" encoding="UTF-8"?>
<!--
  Relatório de um projeto do ORVEL: os dados da rede, dos nós e dos links e os resultados do
  último processamento, a partir do arquivo de projeto como foi salvo.
-->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
                xmlns:str="http://exslt.org/strings" exclude-result-prefixes="str">

  <xsl:output method="html" encoding="UTF-8" indent="yes"/>

  <xsl:variable name="rede" select="/rss/rede"/>
  <!-- O nome do arquivo do projeto, que o programa passa (o dos títulos das janelas); sem ele,
       o nome guardado no arquivo. -->
  <xsl:param name="arquivo" select="string($rede/caption_dos_forms)"/>
  <xsl:variable name="links" select="/rss/*[starts-with(local-name(), 'link') and local-name() != 'links']"/>
  <xsl:variable name="nos" select="/rss/*[starts-with(local-name(), 'no') and local-name() != 'nos']"/>
  <xsl:variable name="processada" select="normalize-space($rede/t_ciclo_da_rede_rel) != ''"/>

  <!-- Um valor do arquivo; "-" ou vazio é um valor que não foi dado. -->
  <xsl:template name="valor">
    <xsl:param name="v"/>
    <xsl:param name="unidade" select="''"/>
    <xsl:param name="sem_valor" select="'&#8211;'"/>
    <xsl:choose>
      <xsl:when test="normalize-space($v) = '' or normalize-space($v) = '-'">
        <xsl:value-of select="$sem_valor"/>
      </xsl:when>
      <xsl:otherwise>
        <xsl:value-of select="normalize-space($v)"/>
        <xsl:if test="$unidade != ''">
          <xsl:value-of select="concat(' ', $unidade)"/>
        </xsl:if>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Os itens não vazios de uma lista "a,b,,c," separados por vírgula e espaço. As listas
       são percorridas item a item, sem recursão: uma lista de milhares de itens cabe. -->
  <xsl:template name="lista">
    <xsl:param name="texto"/>
    <xsl:for-each select="str:split(string($texto), ',')[normalize-space(.) != '']">
      <xsl:if test="position() &gt; 1">, </xsl:if>
      <xsl:value-of select="normalize-space(.)"/>
    </xsl:for-each>
  </xsl:template>

  <!-- As primeiras "restantes" células de estado de um grupo, a partir da lista de códigos.
       Cada item ganha um "#" à frente, para que os itens vazios também contem; o pedaço vazio
       depois da última vírgula não é item. -->
  <xsl:template name="estados">
    <xsl:param name="lista"/>
    <xsl:param name="restantes"/>
    <xsl:for-each select="str:split(concat('#', str:replace(string($lista), ',', ',#')), ',')[position() &lt; $restantes + 1 and (position() &lt; last() or . != '#')]">
      <xsl:variable name="codigo" select="normalize-space(substring(., 2))"/>
      <xsl:choose>
        <xsl:when test="$codigo = '1'"><td class="estado verde" bgcolor="#008758">V</td></xsl:when>
        <xsl:when test="$codigo = '2'"><td class="estado amarelo" bgcolor="#ffff00">A</td></xsl:when>
        <xsl:when test="$codigo = '3'"><td class="estado vermelho" bgcolor="#ff1a22">R</td></xsl:when>
        <xsl:otherwise><td class="estado">&#160;</td></xsl:otherwise>
      </xsl:choose>
    </xsl:for-each>
  </xsl:template>

  <xsl:template name="opcao">
    <xsl:param name="rotulo"/>
    <xsl:param name="v"/>
    <xsl:param name="unidade" select="''"/>
    <xsl:param name="padrao"/>
    <tr>
      <th><xsl:value-of select="$rotulo"/></th>
      <td>
        <xsl:call-template name="valor">
          <xsl:with-param name="v" select="$v"/>
          <xsl:with-param name="unidade" select="$unidade"/>
          <xsl:with-param name="sem_valor" select="$padrao"/>
        </xsl:call-template>
      </td>
    </tr>
  </xsl:template>

  <xsl:template match="/">
    <html lang="pt-BR">
      <head>
        <title>ORVEL - Relatório da rede <xsl:value-of select="$rede/nome_da_rede_dado"/></title>
        <style type="text/css">
          body { font-family: sans-serif; font-size: 10pt; margin: 1em 2em; }
          h1 { font-size: 16pt; color: #000080; }
          h2 { font-size: 13pt; color: #000080; border-bottom: 1px solid #000080; margin-top: 1.5em; }
          h3 { font-size: 11pt; margin-bottom: 0.3em; }
          table { border-collapse: collapse; margin: 0.5em 0; }
          th, td { border: 1px solid #a0a0a0; padding: 2px 6px; }
          th { background-color: #f0f0f0; text-align: left; }
          td.numero { text-align: right; }
          td.estado { text-align: center; width: 1.6em; }
          .aviso { color: #800000; }
          .origem { color: #404040; }
          .nota { color: #404040; font-size: 9pt; }
        </style>
      </head>
      <body>
        <h1>Relatório da rede <xsl:value-of select="$rede/nome_da_rede_dado"/></h1>
        <p class="origem">
          <xsl:if test="normalize-space($arquivo) != ''">
            Projeto: <xsl:value-of select="$arquivo"/>.
          </xsl:if>
          <xsl:if test="$processada and normalize-space($rede/data_rel) != ''">
            Processado em <xsl:value-of select="$rede/data_rel"/>.
          </xsl:if>
        </p>

        <h2>Opções da rede</h2>
        <table>
          <xsl:call-template name="opcao">
            <xsl:with-param name="rotulo" select="'Tempo de ciclo imposto'"/>
            <xsl:with-param name="v" select="$rede/t_de_ciclo_imposto_dado"/>
            <xsl:with-param name="unidade" select="'s'"/>
            <xsl:with-param name="padrao" select="'não imposto'"/>
          </xsl:call-template>
          <xsl:call-template name="opcao">
            <xsl:with-param name="rotulo" select="'Tempo de ciclo máximo'"/>
            <xsl:with-param name="v" select="$rede/t_de_ciclo_maximo_imposto_dado"/>
            <xsl:with-param name="unidade" select="'s'"/>
            <xsl:with-param name="padrao" select="'120 s (padrão)'"/>
          </xsl:call-template>
          <xsl:call-template name="opcao">
            <xsl:with-param name="rotulo" select="'Grau de saturação meta'"/>
            <xsl:with-param name="v" select="$rede/grau_de_saturacao_meta_imposto_dado"/>
            <xsl:with-param name="unidade" select="'%'"/>
            <xsl:with-param name="padrao" select="'88 % (padrão)'"/>
          </xsl:call-template>
          <xsl:call-template name="opcao">
            <xsl:with-param name="rotulo" select="'Grau de saturação limite'"/>
            <xsl:with-param name="v" select="$rede/grau_de_saturacao_limite_imposto_dado"/>
            <xsl:with-param name="unidade" select="'%'"/>
            <xsl:with-param name="padrao" select="'95 % (padrão)'"/>
          </xsl:call-template>
          <xsl:call-template name="opcao">
            <xsl:with-param name="rotulo" select="'Peso da parada'"/>
            <xsl:with-param name="v" select="$rede/peso_da_parada_imposto_dado"/>
            <xsl:with-param name="padrao" select="'30 (padrão)'"/>
          </xsl:call-template>
          <tr><th>Nós</th><td><xsl:value-of select="count($nos)"/></td></tr>
          <tr><th>Links</th><td><xsl:value-of select="count($links)"/></td></tr>
        </table>

        <h2>Resultados da rede</h2>
        <xsl:choose>
          <xsl:when test="$processada">
            <table>
              <tr><th>Tempo de ciclo da rede</th><td class="numero"><xsl:value-of select="$rede/t_ciclo_da_rede_rel"/> s</td></tr>
              <tr><th>Período de simulação</th><td class="numero"><xsl:value-of select="$rede/periodo_de_simulacao"/> s</td></tr>
              <tr><th>Atraso total</th><td class="numero"><xsl:value-of select="$rede/atraso_rede_rel"/> veíc·s/s</td></tr>
              <tr><th>Paradas</th><td class="numero"><xsl:value-of select="$rede/n_paradas_rede_rel"/> por hora</td></tr>
              <tr><th>Espera média por veículo</th><td class="numero"><xsl:value-of select="$rede/espera_media_rel"/> s</td></tr>
              <tr><th>Maior grau de saturação</th><td class="numero"><xsl:value-of select="$rede/maior_grau_de_saturacao_rel"/> %</td></tr>
              <tr>
                <th>Links com o maior grau de saturação</th>
                <td>
                  <xsl:call-template name="lista">
                    <xsl:with-param name="texto" select="$rede/StrLinks_com_maior_grau_de_saturacao_rel"/>
                  </xsl:call-template>
                </td>
              </tr>
            </table>
          </xsl:when>
          <xsl:otherwise>
            <p class="aviso">Este projeto não tem resultados: processe a rede para obtê-los.</p>
          </xsl:otherwise>
        </xsl:choose>

        <h2>Nós</h2>
        <xsl:choose>
          <xsl:when test="count($nos) = 0"><p>A rede não tem nós.</p></xsl:when>
          <xsl:otherwise>
            <table>
              <tr>
                <th>Nó</th><th>Grupos</th><th>Intervalos</th><th>Ciclo duplo</th>
                <th>Escravo de</th><th>Acionamento por demanda</th><th>Defasagem do intervalo 1 (s)</th>
              </tr>
              <xsl:for-each select="$nos">
                <tr>
                  <td><xsl:value-of select="nome_do_no_dado"/></td>
                  <td class="numero"><xsl:value-of select="quant_de_grupos_dado"/></td>
                  <td class="numero">
                    <xsl:value-of select="quant_de_intervalos_antes_dado"/>
                    <xsl:if test="$processada and number(quant_de_intervalos_depois_dado) &gt; 0 and number(quant_de_intervalos_depois_dado) != number(quant_de_intervalos_antes_dado)">
                      <xsl:value-of select="concat(' (', quant_de_intervalos_depois_dado, ' após o processamento)')"/>
                    </xsl:if>
                  </td>
                  <td>
                    <xsl:choose>
                      <xsl:when test="eh_ciclo_duplo_permitido_dado = 'sim'">permitido</xsl:when>
                      <xsl:otherwise>não permitido</xsl:otherwise>
                    </xsl:choose>
                    <xsl:if test="$processada and eh_ciclo_duplo_rel = 'sim'">; em uso</xsl:if>
                  </td>
                  <td>
                    <xsl:choose>
                      <xsl:when test="eh_no_escravo_dado = 'True'">
                        <xsl:value-of select="nome_do_mestre_dado"/>
                        (intervalo <xsl:value-of select="intervalo_do_escravo_dado"/> do escravo
                        com o intervalo <xsl:value-of select="intervalo_do_mestre_dado"/> do mestre,
                        defasagem forçada de <xsl:value-of select="defasagem_forcada_dado"/> s)
                      </xsl:when>
                      <xsl:otherwise>&#8211;</xsl:otherwise>
                    </xsl:choose>
                  </td>
                  <td>
                    <xsl:choose>
                      <xsl:when test="eh_no_demandado_dado = 'True'">
                        <xsl:value-of select="n_acionamentos_dado"/> acionamentos por hora;
                        intervalo demandado <xsl:value-of select="intervalo_demandado_dado"/>,
                        beneficiado <xsl:value-of select="intervalo_beneficiado_dado"/>
                      </xsl:when>
                      <xsl:otherwise>&#8211;</xsl:otherwise>
                    </xsl:choose>
                  </td>
                  <td class="numero">
                    <xsl:choose>
                      <xsl:when test="$processada">
                        <xsl:call-template name="valor"><xsl:with-param name="v" select="defasagem_valendo_rel"/></xsl:call-template>
                      </xsl:when>
                      <xsl:otherwise>&#8211;</xsl:otherwise>
                    </xsl:choose>
                  </td>
                </tr>
              </xsl:for-each>
            </table>
            <xsl:if test="$processada">
              <!-- O instante do nó é o da rede menos a defasagem: o intervalo 1 começa tantos
                   segundos depois do início do ciclo da rede. -->
              <p class="nota">Defasagem do intervalo 1: quantos segundos depois do início do ciclo da
                rede começa o intervalo 1 do nó; num nó de defasagem 0, como o nó de referência, o
                intervalo 1 começa junto com o ciclo da rede.</p>
            </xsl:if>
            <xsl:apply-templates select="$nos" mode="detalhe"/>
          </xsl:otherwise>
        </xsl:choose>

        <h2>Links</h2>
        <xsl:choose>
          <xsl:when test="count($links) = 0"><p>A rede não tem links.</p></xsl:when>
          <xsl:otherwise>
            <h3>Dados</h3>
            <table>
              <tr>
                <th>Link</th><th>Origem</th><th>Destino</th><th>Fluxo (veíc/h)</th>
                <th>Fluxo de saturação (veíc/h)</th><th>Verde de segurança (s)</th>
                <th>Tempo de percurso (s)</th><th>Capacidade (veíc)</th><th>Fornece a</th>
              </tr>
              <xsl:for-each select="$links">
                <tr>
                  <td><xsl:value-of select="nome_do_link_dado"/></td>
                  <td>
                    <xsl:call-template name="valor">
                      <xsl:with-param name="v" select="nome_do_no_origem_dado"/>
                      <xsl:with-param name="sem_valor" select="'(entrada)'"/>
                    </xsl:call-template>
                  </td>
                  <td><xsl:value-of select="nome_do_no_destino_dado"/></td>
                  <td class="numero"><xsl:value-of select="fluxo_dado"/></td>
                  <td class="numero"><xsl:value-of select="fluxo_de_saturacao_dado"/></td>
                  <td class="numero"><xsl:value-of select="verde_de_seguranca_dado"/></td>
                  <td class="numero"><xsl:call-template name="valor"><xsl:with-param name="v" select="t_de_percurso_dado"/></xsl:call-template></td>
                  <td class="numero"><xsl:call-template name="valor"><xsl:with-param name="v" select="capacidade_da_caixa_dado"/></xsl:call-template></td>
                  <td>
                    <!-- Uma linha por recebedor: a quebra vai entre eles, nunca depois do último. -->
                    <xsl:for-each select="(nome_do_primeiro_recebedor_dado | nome_do_segundo_recebedor_dado | nome_do_terceiro_recebedor_dado | nome_do_quarto_recebedor_dado)[normalize-space(.) != '' and normalize-space(.) != '-']">
                      <xsl:variable name="ordem" select="substring-before(substring-after(local-name(), 'nome_do_'), '_recebedor_dado')"/>
                      <xsl:variable name="fluxo" select="../*[local-name() = concat('valor_do_', $ordem, '_fornecimento_dado')]"/>
                      <xsl:if test="position() &gt; 1"><br/></xsl:if>
                      <xsl:value-of select="concat(normalize-space(.), ' (', normalize-space($fluxo), ' veíc/h)')"/>
                    </xsl:for-each>
                  </td>
                </tr>
              </xsl:for-each>
            </table>

            <h3>Resultados</h3>
            <xsl:choose>
              <xsl:when test="$processada">
                <table>
                  <tr>
                    <th>Link</th><th>Taxa de ocupação y (%)</th><th>Períodos de verde (s)</th>
                    <th>Grau de saturação (%)</th><th>Fila máxima (veíc)</th><th>Estourou a caixa</th>
                    <th>Atraso (veíc·s/s)</th><th>Paradas por hora</th>
                  </tr>
                  <xsl:for-each select="$links">
                    <tr>
                      <td><xsl:value-of select="nome_do_link_dado"/></td>
                      <td class="numero"><xsl:call-template name="valor"><xsl:with-param name="v" select="y_rel"/></xsl:call-template></td>
                      <td>
                        <xsl:call-template name="lista">
                          <xsl:with-param name="texto" select="translate(concat(periodo_de_verde_do_link1_rel, ',', periodo_de_verde_do_link2_rel, ',', periodo_de_verde_do_link3_rel, ',', periodo_de_verde_do_link4_rel), '-', '')"/>
                        </xsl:call-template>
                      </td>
                      <td class="numero"><xsl:call-template name="valor"><xsl:with-param name="v" select="grau_de_saturacao_por_link_rel"/></xsl:call-template></td>
                      <td class="numero"><xsl:call-template name="valor"><xsl:with-param name="v" select="fila_maxima_rel"/></xsl:call-template></td>
                      <td><xsl:call-template name="valor"><xsl:with-param name="v" select="estourou_caixa_rel"/></xsl:call-template></td>
                      <td class="numero"><xsl:call-template name="valor"><xsl:with-param name="v" select="atraso_rel"/></xsl:call-template></td>
                      <td class="numero"><xsl:call-template name="valor"><xsl:with-param name="v" select="n_paradas_rel"/></xsl:call-template></td>
                    </tr>
                  </xsl:for-each>
                </table>
              </xsl:when>
              <xsl:otherwise>
                <p class="aviso">Sem resultados por link: a rede não foi processada.</p>
              </xsl:otherwise>
            </xsl:choose>
          </xsl:otherwise>
        </xsl:choose>
      </body>
    </html>
  </xsl:template>

  <!-- Grupos e plano de um nó. -->
  <xsl:template match="*" mode="detalhe">
    <xsl:variable name="no" select="."/>
    <xsl:variable name="grupos" select="number(quant_de_grupos_dado)"/>
    <xsl:variable name="intervalos" select="number(quant_de_intervalos_depois_dado)"/>
    <xsl:variable name="demandado" select="eh_no_demandado_dado = 'True'"/>
    <h3>Nó <xsl:value-of select="nome_do_no_dado"/></h3>
    <table>
      <tr><th>Grupo</th><th>Links</th></tr>
      <xsl:for-each select="*[starts-with(local-name(), 'nome_dos_links_do_grupo')]">
        <xsl:variable name="g" select="number(substring-before(substring-after(local-name(), 'nome_dos_links_do_grupo'), '_dado'))"/>
        <xsl:if test="$g &lt;= $grupos">
          <tr>
            <td class="numero"><xsl:value-of select="$g"/></td>
            <td><xsl:call-template name="lista"><xsl:with-param name="texto" select="."/></xsl:call-template></td>
          </tr>
        </xsl:if>
      </xsl:for-each>
    </table>
    <xsl:if test="$processada and $intervalos &gt; 0">
      <p>Plano de sinalização (V verde, A amarelo, R vermelho):</p>
      <table>
        <tr>
          <th>Intervalo</th>
          <xsl:for-each select="*[starts-with(local-name(), 'd') and string(number(substring(local-name(), 2))) != 'NaN']">
            <xsl:if test="number(substring(local-name(), 2)) &lt;= $intervalos">
              <th><xsl:value-of select="substring(local-name(), 2)"/></th>
            </xsl:if>
          </xsl:for-each>
        </tr>
        <tr>
          <th>Duração (s)</th>
          <xsl:for-each select="*[starts-with(local-name(), 'd') and string(number(substring(local-name(), 2))) != 'NaN']">
            <xsl:if test="number(substring(local-name(), 2)) &lt;= $intervalos">
              <td class="numero"><xsl:value-of select="."/></td>
            </xsl:if>
          </xsl:for-each>
        </tr>
        <xsl:if test="$demandado">
          <tr>
            <th>Duração média (s)</th>
            <xsl:for-each select="*[starts-with(local-name(), 'dcd') and string(number(substring(local-name(), 4))) != 'NaN']">
              <xsl:if test="number(substring(local-name(), 4)) &lt;= $intervalos">
                <td class="numero"><xsl:value-of select="."/></td>
              </xsl:if>
            </xsl:for-each>
          </tr>
        </xsl:if>
        <xsl:for-each select="*[starts-with(local-name(), 'cor_do_intervalo_do_grupo') and substring(local-name(), string-length(local-name()) - 5) = 'depois']">
          <xsl:variable name="g" select="number(substring-before(substring-after(local-name(), 'cor_do_intervalo_do_grupo'), '_depois'))"/>
          <xsl:if test="$g &lt;= $grupos">
            <tr>
              <th>Grupo <xsl:value-of select="$g"/></th>
              <xsl:call-template name="estados">
                <xsl:with-param name="lista" select="."/>
                <xsl:with-param name="restantes" select="$intervalos"/>
              </xsl:call-template>
            </tr>
          </xsl:if>
        </xsl:for-each>
      </table>
      <xsl:if test="$demandado">
        <!-- As durações com demanda: o intervalo demandado menos o tempo que ele fica sem uso em
             média, o beneficiado mais esse tempo; os outros como estão. -->
        <p class="nota">Duração média: a duração de cada intervalo na média dos ciclos. Nos ciclos
          sem acionamento de pedestres, o intervalo demandado (<xsl:value-of select="normalize-space(intervalo_demandado_dado)"/>)
          não é usado e o seu tempo passa ao intervalo beneficiado (<xsl:value-of select="normalize-space(intervalo_beneficiado_dado)"/>);
          na média, o demandado perde e o beneficiado ganha esse tempo não usado.</p>
      </xsl:if>
    </xsl:if>
  </xsl:template>

</xsl:stylesheet>
